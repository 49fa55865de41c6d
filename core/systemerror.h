#pragma once

#include <string>

/** The reason of a failed file operation as the user reads it (UTF-8): Japanese for the common
 *  system errors (not found, permission denied, is a folder, disk full, read-only file system,
 *  name too long, file too large, input/output error), the system's own text for the rest. */
std::string SystemErrorText(int code);
