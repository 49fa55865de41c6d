#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/** Appends little-endian integers and counted strings to a byte buffer, whatever the host's byte
 *  order. */
class CByteWriter {
public:
    explicit CByteWriter(std::string& out) : out_(out) {}

    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void U32(uint32_t value)
    {
        const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                               static_cast<char>((value >> 16) & 0xFF),
                               static_cast<char>((value >> 24) & 0xFF)};
        out_.append(bytes, 4);
    }
    void I16(int16_t value)
    {
        const uint16_t v = static_cast<uint16_t>(value);
        const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
        out_.append(bytes, 2);
    }
    /** An i32 byte count, then the bytes, no terminator. */
    void String(std::string_view bytes)
    {
        I32(static_cast<int32_t>(bytes.size()));
        out_.append(bytes);
    }
    std::string& Bytes() { return out_; }

private:
    std::string& out_;
};
