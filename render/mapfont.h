#pragma once

#include "core/geometry.h"

#include <QFont>
#include <cstdint>
#include <string>

/** Maps the Windows face names the maps use onto the IPA fonts: "ＭＳ Ｐゴシック" to IPAPGothic,
 *  "MS ゴシック" to IPAGothic. Safe to call more than once. */
void InstallFontSubstitutions();

/** Vertical dots per inch of the primary screen; 96 without one. */
int ScreenDpi();

/** A point font: face (CP932) at points x dpi / 72 pixels, the screen's dpi. */
QFont MapFont(const std::string& faceCp932, int points);

/** Pixel width and height of one line of text (CP932) in that point font. */
IntSize MeasureMapText(const std::string& textCp932, const std::string& faceCp932, int points);

/** A colour reference (red in the low byte, then green, then blue) as an opaque QRgb. */
inline uint32_t RgbFromColorRef(uint32_t ref)
{
    return 0xFF000000u | ((ref & 0xFFu) << 16) | (ref & 0xFF00u) | ((ref >> 16) & 0xFFu);
}
