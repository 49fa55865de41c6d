#include "atomicfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string SystemError(int code)
{
    return std::strerror(code);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Permissions a new file gets: those of the file being replaced, else 0666 less the umask.
mode_t TargetMode(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes, WriteSyscall writeCall, int& code)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = writeCall(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            code = errno;
            return false;
        }
        if (n == 0) {
            code = ENOSPC;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& localPath, std::string_view bytes, std::string& error,
                         WriteSyscall writeCall)
{
    if (!writeCall)
        writeCall = &::write;
    struct stat target {};
    if (::stat(localPath.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        error = SystemError(EISDIR);
        return false;
    }
    const mode_t mode = TargetMode(localPath);

    // The temporary file sits beside the target so that the rename stays on one file system.
    std::string temp = localPath + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    temp.assign(name.data());

    int code = 0;
    bool ok = WriteAll(fd, bytes, writeCall, code);
    if (ok && ::fchmod(fd, mode) != 0) {
        code = errno;
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        code = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        code = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), localPath.c_str()) != 0) {
        code = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        error = SystemError(code);
        return false;
    }
    // Make the rename itself durable; a failure here no longer risks the data.
    const int dir = ::open(FolderOf(localPath).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool ReadWholeFile(const std::string& localPath, std::string& bytes, std::string& error,
                   std::size_t maxBytes)
{
    const int fd = ::open(localPath.c_str(), O_RDONLY);
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        error = SystemError(S_ISDIR(st.st_mode) ? EISDIR : errno);
        ::close(fd);
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = SystemError(EFBIG);
        ::close(fd);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            error = SystemError(EFBIG);
            ::close(fd);
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}
