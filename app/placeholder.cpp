// Intentionally empty until the application has its first source file.
