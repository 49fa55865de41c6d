#include "atomicfile.h"

#include "systemerror.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

}  // namespace

CAtomicFile::CAtomicFile(std::string localPath, WriteSyscall writeCall)
    : path_(std::move(localPath)), write_(writeCall ? writeCall : &::write)
{
}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

void CAtomicFile::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
}

bool CAtomicFile::Open(std::string& error)
{
    struct stat target {};
    if (::stat(path_.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        error = SystemErrorText(EISDIR);
        return false;
    }
    // The temporary file sits beside the target so that the rename stays on one file system.
    std::string name = path_ + ".XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    fd_ = ::mkstemp(buffer.data());
    if (fd_ < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    temp_.assign(buffer.data());
    failure_ = 0;
    return true;
}

bool CAtomicFile::Write(std::string_view bytes)
{
    if (fd_ < 0 || failure_ != 0) {
        if (failure_ == 0)
            failure_ = EBADF;
        return false;
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = write_(fd_, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failure_ = errno;
            return false;
        }
        if (n == 0) {
            failure_ = ENOSPC;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool CAtomicFile::Commit(std::string& error)
{
    if (fd_ < 0 && failure_ == 0)
        failure_ = EBADF;
    int code = failure_;
    if (code == 0 && ::fchmod(fd_, TargetMode(path_)) != 0)
        code = errno;
    if (code == 0 && ::fsync(fd_) != 0)
        code = errno;
    if (fd_ >= 0) {
        const int closed = ::close(fd_);
        if (closed != 0 && code == 0)
            code = errno;
        fd_ = -1;
    }
    if (code == 0 && ::rename(temp_.c_str(), path_.c_str()) != 0)
        code = errno;
    if (code != 0) {
        error = SystemErrorText(code);
        Discard();
        return false;
    }
    temp_.clear();
    // Make the rename itself durable; a failure here no longer risks the data.
    const int dir = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool WriteFileAtomically(const std::string& localPath, std::string_view bytes, std::string& error,
                         WriteSyscall writeCall)
{
    CAtomicFile file(localPath, writeCall);
    if (!file.Open(error))
        return false;
    file.Write(bytes);
    return file.Commit(error);
}

bool ReadWholeFile(const std::string& localPath, std::string& bytes, std::string& error,
                   std::size_t maxBytes)
{
    const int fd = ::open(localPath.c_str(), O_RDONLY);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        error = SystemErrorText(S_ISDIR(st.st_mode) ? EISDIR : errno);
        ::close(fd);
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = SystemErrorText(EFBIG);
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
            error = SystemErrorText(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            error = SystemErrorText(EFBIG);
            ::close(fd);
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}
