#pragma once

#include <QString>
#include <string>
#include <string_view>

/** True for a lead byte of a CP932 double-byte character (0x81-0x9F, 0xE0-0xFC). */
constexpr bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

/** Result of a conversion to CP932: the bytes, and the characters the code page cannot hold. */
struct Cp932Result {
    std::string Bytes;
    std::u32string Unmappable;  ///< empty when the conversion was complete
    bool Ok() const { return Unmappable.empty(); }
};

/** UTF-8 to CP932. A character CP932 cannot hold is reported and left out of Bytes. */
Cp932Result Utf8ToCp932(std::string_view utf8);
/** CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD. */
std::string Cp932ToUtf8(std::string_view cp932);

/** CP932 bytes for a fixed text of the program (must be representable). */
std::string Cp932(std::string_view utf8);

QString QStringFromCp932(std::string_view cp932);
/** QString to CP932; unmappable characters are reported in the result. */
Cp932Result Cp932FromQString(const QString& text);

/** A CP932 path as the file system names it (UTF-8 here). */
std::string LocalPathFromCp932(std::string_view cp932);
/** A file system path as CP932 bytes; characters CP932 cannot hold are reported. */
Cp932Result Cp932FromLocalPath(std::string_view local);
