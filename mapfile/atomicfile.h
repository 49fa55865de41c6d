#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

/** The system call that writes bytes; tests swap it to simulate a full disk or a cut write. */
using WriteSyscall = ssize_t (*)(int fd, const void* data, std::size_t size);

/** Writes bytes to a file so that the file is either replaced whole or left as it was: a temporary
 *  file in the same folder is written, flushed to disk and then renamed over the target.
 *  localPath is in the file system's encoding. On failure returns false, removes the temporary
 *  file and sets error to the reason (the system's text, e.g. "No space left on device"). */
bool WriteFileAtomically(const std::string& localPath, std::string_view bytes, std::string& error,
                         WriteSyscall writeCall = nullptr);

/** Reads a whole file (local encoding) into bytes; refuses files above maxBytes. */
bool ReadWholeFile(const std::string& localPath, std::string& bytes, std::string& error,
                   std::size_t maxBytes = std::size_t{1} << 30);
