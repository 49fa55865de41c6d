#pragma once

#include <string>

class CQuelpDoc;

/** The filter of both picture dialogs: PNG, GIF, BMP and JPEG entries (CP932). */
std::string ImageSaveFilter();

/** 32816 "イメージファイルへ保存" is enabled when a shown layer has cells. */
bool OnSaveMapImageEnabled(const CQuelpDoc& doc);
/** 32816: asks for a file through the UI port and saves the whole map as a picture. Only a
 *  failure shows a message ("ファイルを保存に失敗しました。", the file and why); the document is
 *  not changed. */
void OnSaveMapImage(CQuelpDoc& doc);

/** 32797 "イメージ保存" on a layer tab (its enable rule is the layer menu's
 *  SaveLayerImageEnabled): asks for a file and saves the layer at position (0..7) on its own. */
void SaveLayerImage(int position, CQuelpDoc& doc);

/** The whole map, columns x chip width by rows x chip height pixels, 24-bit on black: the shown
 *  layers, event markers and texts as the map is printed. The format follows the extension of
 *  the CP932 path (.png, .gif, .bmp, .jpg); written whole or not at all. False with error (UTF-8)
 *  when nothing was written. PNG is drawn and encoded in bands, so memory stays small. */
bool WriteMapImage(const CQuelpDoc& doc, const std::string& pathCp932, std::string* error = nullptr);

/** The layer at position alone, in its sheet's colour format: 4 or 8 bits with the sheet's colour
 *  table (empty cells entry 0), else 24 bits on black. Same rules as WriteMapImage. */
bool WriteLayerImage(const CQuelpDoc& doc, int position, const std::string& pathCp932,
                     std::string* error = nullptr);
