#pragma once

#include <string>

class CQuelpDoc;

/** Command 32852 "バイナリ保存": asks for a file name through the UI port and writes the binary
 *  map; tells the user "ファイルを保存しました。" or "ファイルを保存に失敗しました。". Always
 *  enabled (no enable rule). The document is not changed. */
void OnBinarySave(CQuelpDoc& doc);

/** The save dialog's filter for the binary extension ext (CP932): one entry,
 *  "バイナリ ファイル (*.ext)|*.ext||", the dot not doubled when ext holds one. */
std::string BinarySaveFilter(const std::string& ext);

/** The name the save dialog offers: the map's file name up to its last ".", then ext (with a dot
 *  in front unless ext holds one); empty for a map without a path. CP932. */
std::string BinarySaveDefaultName(const std::string& mapPath, const std::string& ext);
