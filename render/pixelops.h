#pragma once

#include <QRgb>
#include <cstdint>

// Source-over on premultiplied ARGB32 pixels, shared by every path that draws chips so that the
// screen, the pictures and the printout agree to the bit.

/** Each 8-bit channel of x times a / 255, rounded. */
inline uint32_t ByteMul(uint32_t x, uint32_t a)
{
    uint32_t t = (x & 0xFF00FFu) * a;
    t = (t + ((t >> 8) & 0xFF00FFu) + 0x800080u) >> 8;
    t &= 0xFF00FFu;
    x = ((x >> 8) & 0xFF00FFu) * a;
    x = x + ((x >> 8) & 0xFF00FFu) + 0x800080u;
    x &= 0xFF00FF00u;
    return x | t;
}

/** s over d, both premultiplied. */
inline uint32_t BlendOver(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    if (a == 255)
        return s;
    if (a == 0)
        return d;
    return s + ByteMul(d, 255 - a);
}
