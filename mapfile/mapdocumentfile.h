#pragma once

#include <string>
#include <vector>

struct UnreadSheet;

class CQuelpDoc;

/** The folder of a CP932 path up to and including its last separator; empty without one. */
std::string MapFolderOf(const std::string& pathCp932);

/** Opens a map file (CP932 path) into the document; a file above 256 MB is refused as no map.
 *  On success the document holds the map, its PathName is the path and it is unmodified. When
 *  the file cannot be read, or holds no block of a map at all (a picture, a text file, an empty
 *  file; notAMap then is true when given), the call fails, the document and the chip size are
 *  left untouched and error (UTF-8, one line) says which file and why ("<path>: <reason>").
 *  unreadSheets, when given, receives the sheets the map names that could not be read. */
bool LoadMapFile(CQuelpDoc& doc, const std::string& pathCp932, std::string& error,
                 bool* notAMap = nullptr, std::vector<UnreadSheet>* unreadSheets = nullptr);

/** Saves the document as a map file (CP932 path): written whole to a temporary file in the same
 *  folder, flushed, then renamed over the target, so a failed save leaves an existing file as it
 *  was. On success PathName is the path and the document is unmodified; on failure error (UTF-8)
 *  says which file could not be written and why. */
bool SaveMapFile(CQuelpDoc& doc, const std::string& pathCp932, std::string& error);
