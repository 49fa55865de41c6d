#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/** Splits map file bytes into lines the way the map file has always been read: a line ends at a
 *  line feed; a carriage return right before it is not part of the line; a carriage return
 *  followed by any other byte also ends the line, that byte being the line's last one; a last
 *  line without terminator is a line. Lines are views into the bytes; nothing is copied. */
class CArchiveLines {
public:
    explicit CArchiveLines(std::string_view bytes) : bytes_(bytes) {}

    /** The next line, or false at the end of the bytes. */
    bool Next(std::string_view& line);

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t nextCr_ = 0;     ///< position of the next carriage return at or after pos_
    bool crKnown_ = false;
    std::string pending_;        ///< a line that is not one run of the bytes
};
