#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

/** The system call that writes bytes; tests swap it to simulate a full disk or a cut write. */
using WriteSyscall = ssize_t (*)(int fd, const void* data, std::size_t size);

/** A file replaced whole or not at all: bytes go to a temporary file beside the target, which
 *  Commit flushes to disk and renames over the target. Destroyed without a successful Commit,
 *  the temporary file is removed and the target stays as it was. Paths are in the file system's
 *  encoding; every reason is for the user (UTF-8, see SystemErrorText). */
class CAtomicFile {
public:
    explicit CAtomicFile(std::string localPath, WriteSyscall writeCall = nullptr);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    /** Creates the temporary file; false with the reason. */
    bool Open(std::string& error);
    /** Appends bytes; after a failure every later call fails too and Commit reports the first
     *  reason. */
    bool Write(std::string_view bytes);
    /** Flushes, closes and renames over the target; false with the reason, the target kept. */
    bool Commit(std::string& error);

private:
    void Discard();

    std::string path_;
    std::string temp_;
    WriteSyscall write_;
    int fd_ = -1;
    int failure_ = 0;  ///< errno of the first failed write, 0 while all went well
};

/** Writes bytes through a CAtomicFile in one go. */
bool WriteFileAtomically(const std::string& localPath, std::string_view bytes, std::string& error,
                         WriteSyscall writeCall = nullptr);

/** Reads a whole file (local encoding) into bytes; refuses files above maxBytes. */
bool ReadWholeFile(const std::string& localPath, std::string& bytes, std::string& error,
                   std::size_t maxBytes = std::size_t{1} << 30);
