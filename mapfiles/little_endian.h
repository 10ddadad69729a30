#pragma once
// The fields of binary map files: little-endian integers with no padding,
// put into and taken from byte buffers one field at a time.

#include <cstdint>
#include <string>

namespace okap {

inline void AppendInt16(std::string& bytes, int16_t value) {
    const auto v = static_cast<uint16_t>(value);
    bytes.push_back(static_cast<char>(v & 0xFF));
    bytes.push_back(static_cast<char>(v >> 8));
}

// Four bytes at p.
inline void PutInt32(char* p, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
    p[2] = static_cast<char>((v >> 16) & 0xFF);
    p[3] = static_cast<char>(v >> 24);
}

inline void AppendInt32(std::string& bytes, int32_t value) {
    char field[4];
    PutInt32(field, value);
    bytes.append(field, 4);
}

inline int16_t GetInt16(const unsigned char* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

inline int32_t GetInt32(const unsigned char* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                                (uint32_t{p[3]} << 24));
}

}  // namespace okap
