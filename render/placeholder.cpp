// Intentionally empty until this subsystem has its first source file.
