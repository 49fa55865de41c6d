#include "linereader.h"

#include <cstring>

bool CArchiveLines::Next(std::string_view& line)
{
    const std::size_t size = bytes_.size();
    if (pos_ >= size)
        return false;
    const char* base = bytes_.data();
    const std::size_t start = pos_;
    // Files without carriage returns must not be scanned to their end for every line.
    if (!crKnown_ || nextCr_ < start) {
        const void* cr = std::memchr(base + start, '\r', size - start);
        nextCr_ = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - base) : size;
        crKnown_ = true;
    }
    const std::size_t crAt = nextCr_;
    const void* lf = std::memchr(base + start, '\n', crAt - start);
    if (lf) {
        const std::size_t lfAt = static_cast<std::size_t>(static_cast<const char*>(lf) - base);
        line = bytes_.substr(start, lfAt - start);
        pos_ = lfAt + 1;
        return true;
    }
    if (crAt == size) {
        line = bytes_.substr(start);
        pos_ = size;
        return true;
    }
    // A carriage return: the byte after it is a line feed (dropped) or the line's last byte.
    if (crAt + 1 >= size) {
        line = bytes_.substr(start, crAt - start);
        pos_ = size;
        return crAt > start;
    }
    if (base[crAt + 1] == '\n') {
        line = bytes_.substr(start, crAt - start);
        pos_ = crAt + 2;
        return true;
    }
    pending_.assign(base + start, crAt - start);
    pending_.push_back(base[crAt + 1]);
    line = pending_;
    pos_ = crAt + 2;
    return true;
}
