// Little-endian encoding of the compiled files: every field is appended byte
// by byte, so the files never depend on the host's layout or padding.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace compattatore {

inline void put_u8(std::string& out, std::uint8_t v) { out.push_back(static_cast<char>(v)); }

inline void put_fixed16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

inline void put_fixed32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void put_fixed64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void put_i16(std::string& out, std::int16_t v) { put_fixed16(out, static_cast<std::uint16_t>(v)); }
inline void put_i32(std::string& out, std::int32_t v) { put_fixed32(out, static_cast<std::uint32_t>(v)); }
inline void put_double(std::string& out, double v) { put_fixed64(out, std::bit_cast<std::uint64_t>(v)); }

inline std::uint16_t get_fixed16(std::string_view in, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(in[at]) |
                                      (static_cast<std::uint8_t>(in[at + 1]) << 8));
}

inline std::uint32_t get_fixed32(std::string_view in, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

inline std::uint64_t get_fixed64(std::string_view in, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

}  // namespace compattatore
