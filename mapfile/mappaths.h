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
