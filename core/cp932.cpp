#include "cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace {

/** One iconv conversion; owns its descriptor for the duration of a call. */
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    /** Converts as much as it can; at an input it cannot take, returns the position. */
    size_t Run(const char*& in, size_t& inLeft, std::string& out)
    {
        char buffer[4096];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            char* src = const_cast<char*>(in);
            size_t rc = iconv(cd_, &src, &inLeft, &dst, &dstLeft);
            int error = errno;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in = src;
            if (rc == static_cast<size_t>(-1) && error != E2BIG)
                return static_cast<size_t>(-1);
        }
        return 0;
    }

private:
    iconv_t cd_;
};

size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

char32_t DecodeUtf8(const char* p, size_t len)
{
    auto b = [&](size_t i) { return static_cast<unsigned char>(p[i]); };
    switch (len) {
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    default: return b(0);
    }
}

}  // namespace

Cp932Result Utf8ToCp932(std::string_view utf8)
{
    Cp932Result result;
    Converter converter("CP932", "UTF-8");
    const char* in = utf8.data();
    size_t left = utf8.size();
    while (left > 0) {
        if (converter.Run(in, left, result.Bytes) == 0)
            break;
        // Skip the character that cannot be converted and remember it.
        size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(*in)), left);
        result.Unmappable.push_back(DecodeUtf8(in, len));
        in += len;
        left -= len;
    }
    return result;
}

std::string Cp932ToUtf8(std::string_view cp932)
{
    std::string out;
    Converter converter("UTF-8", "CP932");
    const char* in = cp932.data();
    size_t left = cp932.size();
    while (left > 0) {
        if (converter.Run(in, left, out) == 0)
            break;
        size_t skip = (IsCp932LeadByte(static_cast<unsigned char>(*in)) && left >= 2) ? 2 : 1;
        out += "\xEF\xBF\xBD";
        in += skip;
        left -= skip;
    }
    return out;
}

std::string Cp932(std::string_view utf8)
{
    return Utf8ToCp932(utf8).Bytes;
}

QString QStringFromCp932(std::string_view cp932)
{
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

Cp932Result Cp932FromQString(const QString& text)
{
    return Utf8ToCp932(text.toStdString());
}

std::string LocalPathFromCp932(std::string_view cp932)
{
    return Cp932ToUtf8(cp932);
}

Cp932Result Cp932FromLocalPath(std::string_view local)
{
    return Utf8ToCp932(local);
}
