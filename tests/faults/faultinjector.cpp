#include "faultinjector.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace {

struct Fault {
    bool Armed = false;
    std::string Folder;
    FaultPoint Point = FaultPoint::FirstByte;
    long long MiddleByte = 0;
    int Hits = 0;
    std::map<int, long long> Written;  ///< bytes written so far per open file
};

Fault& State()
{
    static Fault fault;
    return fault;
}

template <class F>
F Real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool Below(const std::string& path)
{
    const std::string& folder = State().Folder;
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

bool FdBelow(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[PATH_MAX];
    const ssize_t n = readlink(link, target, sizeof target - 1);
    return n > 0 && Below(std::string(target, static_cast<size_t>(n)));
}

bool PathBelow(int dirfd, const char* path)
{
    if (!path)
        return false;
    if (path[0] == '/' || dirfd == AT_FDCWD) {
        char absolute[PATH_MAX];
        if (path[0] != '/' && getcwd(absolute, sizeof absolute))
            return Below(std::string(absolute) + "/" + path);
        return Below(path);
    }
    return FdBelow(dirfd);
}

int Fail(int code)
{
    ++State().Hits;
    errno = code;
    return -1;
}

}  // namespace

const char* FaultPointName(FaultPoint point)
{
    switch (point) {
    case FaultPoint::FirstByte: return "first byte";
    case FaultPoint::Middle: return "middle";
    case FaultPoint::Flush: return "flush";
    case FaultPoint::Close: return "close";
    case FaultPoint::Rename: return "rename";
    }
    return "?";
}

void ArmFault(const std::string& folder, FaultPoint point, long long middleByte)
{
    Fault& f = State();
    f.Folder = folder;
    f.Point = point;
    f.MiddleByte = middleByte;
    f.Hits = 0;
    f.Written.clear();
    f.Armed = true;
}

int DisarmFault()
{
    Fault& f = State();
    f.Armed = false;
    f.Written.clear();
    return f.Hits;
}

extern "C" {

ssize_t write(int fd, const void* data, size_t size)
{
    static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
    Fault& f = State();
    if (!f.Armed || (f.Point != FaultPoint::FirstByte && f.Point != FaultPoint::Middle) ||
        !FdBelow(fd))
        return real(fd, data, size);
    if (f.Point == FaultPoint::FirstByte)
        return Fail(ENOSPC);
    long long& written = f.Written[fd];
    if (written >= f.MiddleByte)
        return Fail(ENOSPC);
    const size_t room = static_cast<size_t>(f.MiddleByte - written);
    const ssize_t n = real(fd, data, size < room ? size : room);
    if (n > 0)
        written += n;
    return n;
}

int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    if (State().Armed && State().Point == FaultPoint::Flush && FdBelow(fd))
        return Fail(EIO);
    return real(fd);
}

int fdatasync(int fd)
{
    static const auto real = Real<int (*)(int)>("fdatasync");
    if (State().Armed && State().Point == FaultPoint::Flush && FdBelow(fd))
        return Fail(EIO);
    return real(fd);
}

int close(int fd)
{
    static const auto real = Real<int (*)(int)>("close");
    Fault& f = State();
    if (!f.Armed)
        return real(fd);
    f.Written.erase(fd);
    const bool fail = f.Point == FaultPoint::Close && FdBelow(fd);
    const int result = real(fd);  // the descriptor is gone either way, as on Linux
    return fail ? Fail(EIO) : result;
}

int rename(const char* from, const char* to)
{
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    if (State().Armed && State().Point == FaultPoint::Rename && PathBelow(AT_FDCWD, to))
        return Fail(EIO);
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    static const auto real = Real<int (*)(int, const char*, int, const char*)>("renameat");
    if (State().Armed && State().Point == FaultPoint::Rename && PathBelow(toDir, to))
        return Fail(EIO);
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags)
{
    static const auto real =
        Real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    if (State().Armed && State().Point == FaultPoint::Rename && PathBelow(toDir, to))
        return Fail(EIO);
    return real(fromDir, from, toDir, to, flags);
}

}  // extern "C"
