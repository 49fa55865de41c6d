#pragma once

#include "core/chippage.h"

#include <QRect>
#include <string>

/** Loads a tile sheet into a page and cuts it. The path is CP932 (as the document stores it)
 *  and is kept in the page. chipWidth and chipHeight are the caller's size variables (pixels):
 *  they become 16 x 16 when the width is 0. On a file that cannot be decoded the page is left
 *  empty (its path too) and the result is false. */
bool LoadChipPage(CChipPage& page, const std::string& pathCp932, int& chipWidth, int& chipHeight);

/** Loads a sheet a map file names. As LoadChipPage, except that on failure the page keeps the
 *  path (no image, so it is not in use: nothing draws from it, the palette shows nothing) and
 *  reason gets why, for the user (UTF-8 Japanese): the system's reason when the file cannot be
 *  found or opened, else that it is no picture this program reads. */
bool LoadStoredChipPage(CChipPage& page, const std::string& pathCp932, int& chipWidth,
                        int& chipHeight, std::string& reason);

/** Why a sheet file did not load (UTF-8 Japanese), found by looking at the file again. */
std::string SheetFailureReason(const std::string& pathCp932);

/** Cuts the page's sheet into chips of chipWidth x chipHeight pixels and prepares it for
 *  drawing; both chosen chips become -1. A width of 0 (or a size that is not positive) first
 *  turns the caller's size into 16 x 16. A page without an image is cleared, except for the path
 *  of a sheet that could not be read, and the result is false. */
bool CutChipPage(CChipPage& page, int& chipWidth, int& chipHeight);

/** The page's name: the file name of its path (true), else "ページ<n>" for page number n, or ""
 *  for -1 (false). CP932. */
bool GetChipPageName(int pageNumber, const CChipPage& page, std::string& name);

/** Source rectangle of chip n in the sheet, in sheet pixels; empty for a number that names no
 *  chip (below 0 or from columns x rows up). */
QRect ChipSourceRect(const CChipPage& page, int chip);

/** The colour-table index whose colour is the key when chips are drawn on the map: the image's
 *  transparent index, or entry 0 when it has none; -1 for sheets without a colour table. */
int ChipKeyIndex(const CImage& image);

/** Makes page.Prepared (premultiplied ARGB32: the key colour transparent, alpha sheets by their
 *  alpha, others opaque) and page.ChipKinds from the image and the current cut. */
void PrepareChipPage(CChipPage& page);
