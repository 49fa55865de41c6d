#pragma once

#include <string>

/** True when a CP932 path names an existing file (not a folder). */
bool FileExistsCp932(const std::string& pathCp932);

/** The path with every backslash that separates (not the trail byte of a double-byte
 *  character) replaced by '/'. CP932 bytes in and out. */
std::string SlashSeparators(const std::string& pathCp932);

/** A path stored by a map file as this system finds it: the path itself when it names a file or
 *  holds no separator backslash; else the path with its backslashes read as '/' when that names
 *  a file (a map written on another system); else the path unchanged. */
std::string ResolveStoredPath(const std::string& pathCp932);

/** The placeholder that stands for the map's own folder in stored paths. */
inline constexpr const char* kMapFolderPlaceholder = "[MapFolder]";

/** A path as the map file stores it: when it begins with the map's folder (CP932, ending with
 *  its separator), that leading folder becomes "[MapFolder]"; any other path, and every path
 *  when the folder is empty or ends with no separator, is kept whole. A folder met later in the
 *  path is only text: /var/tmp/maps/m/s.png stays whole for the folder /tmp/maps/m/. */
std::string ToStoredPath(const std::string& pathCp932, const std::string& folderCp932);

/** A stored path read back: a leading "[MapFolder]" becomes the folder; one met later is text. */
std::string FromStoredPath(const std::string& storedCp932, const std::string& folderCp932);
