#pragma once

#include <optional>

/** The state of the three lock keys, as far as the display tells it. */
struct LockKeyState {
    bool Caps = false;
    bool Num = false;
    bool Scroll = false;
};

/** Reads the lock keys from the X server's keyboard indicators; nothing on a display that does
 *  not tell (offscreen, Wayland). */
std::optional<LockKeyState> ReadLockKeys();
