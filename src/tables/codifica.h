// The one little-endian coder of the compiled files, and the walk of a
// record's field table.
//
// A record layout is declared once, as a tuple of fields (name and member
// pointer) in file order; the encoding of each field follows from its
// member's type: std::uint8_t one byte, std::int16_t / std::uint16_t two,
// std::int32_t four, double eight (IEEE-754), std::string a 16-bit length and
// then its bytes; an enumeration is coded as its underlying integer.  The writer, the decoder, the listings and the tests all
// walk the same table, so a layout cannot drift between them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace compattatore::codifica {

// --- Fixed-width values at a raw position -------------------------------

inline void put_u8(char* p, std::uint8_t v) { p[0] = static_cast<char>(v); }

inline void put_u16(char* p, std::uint16_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

inline void put_u32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void put_u64(char* p, std::uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &v, sizeof v);
    } else {
        for (int i = 0; i < 8; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

inline std::uint8_t get_u8(const char* p) { return static_cast<std::uint8_t>(p[0]); }

inline std::uint16_t get_u16(const char* p) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(p[0]) | (static_cast<std::uint8_t>(p[1]) << 8));
}

inline std::uint32_t get_u32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(p[i]);
    return v;
}

inline std::uint64_t get_u64(const char* p) {
    std::uint64_t v = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, p, sizeof v);
    } else {
        for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(p[i]);
    }
    return v;
}

// One value of a field type: its bytes at `p`, and how many it takes.
template <class T>
inline constexpr std::size_t larghezza = sizeof(T);
template <>
inline constexpr std::size_t larghezza<double> = 8;
// A text takes its 16-bit length plus its bytes; this is the fixed part.
template <>
inline constexpr std::size_t larghezza<std::string> = 2;

// The number a field holds: a code kept as an enumeration is its underlying
// integer.
template <class T>
constexpr auto numero(const T& v) {
    if constexpr (std::is_enum_v<T>)
        return static_cast<std::underlying_type_t<T>>(v);
    else
        return v;
}

template <class T>
void put(char* p, const T& v) {
    if constexpr (std::is_enum_v<T>) {
        put(p, numero(v));
    } else if constexpr (std::is_same_v<T, std::uint8_t>) {
        put_u8(p, v);
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t>) {
        put_u16(p, static_cast<std::uint16_t>(v));
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        put_u32(p, static_cast<std::uint32_t>(v));
    } else if constexpr (std::is_same_v<T, double>) {
        put_u64(p, std::bit_cast<std::uint64_t>(v));
    } else {
        static_assert(std::is_same_v<T, std::string>, "field type without an encoding");
        put_u16(p, static_cast<std::uint16_t>(v.size()));
        if (!v.empty()) std::memcpy(p + 2, v.data(), v.size());
    }
}

// Reads a fixed-width value; a text's bytes are read by the record walk.
template <class T>
T get(const char* p) {
    if constexpr (std::is_enum_v<T>) {
        return static_cast<T>(get<std::underlying_type_t<T>>(p));
    } else if constexpr (std::is_same_v<T, std::uint8_t>) {
        return get_u8(p);
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t>) {
        return static_cast<T>(get_u16(p));
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return static_cast<std::int32_t>(get_u32(p));
    } else {
        static_assert(std::is_same_v<T, double>, "field type without a fixed width");
        return std::bit_cast<double>(get_u64(p));
    }
}

// --- Field tables --------------------------------------------------------

template <class R, class T>
struct Campo {
    using Record = R;
    using Tipo = T;
    std::string_view nome;
    T R::*membro;
};

template <class R, class T>
constexpr Campo<R, T> campo(std::string_view nome, T R::*membro) {
    return {nome, membro};
}

// Calls f(campo) for every field of the table, in file order.
template <class Tabella, class F>
constexpr void per_ogni_campo(const Tabella& campi, F&& f) {
    std::apply([&](const auto&... c) { (f(c), ...); }, campi);
}

// Bytes of the fixed part of a record: every field, a text counting only
// its length.
template <class Tabella>
constexpr std::size_t byte_fissi(const Tabella& campi) {
    std::size_t n = 0;
    per_ogni_campo(campi, [&](const auto& c) { n += larghezza<typename std::decay_t<decltype(c)>::Tipo>; });
    return n;
}

// Bytes before the first text's own bytes (its length included): where the
// variable part of a record starts.
template <class Tabella>
constexpr std::size_t byte_prima_del_testo(const Tabella& campi) {
    std::size_t n = 0;
    bool trovato = false;
    per_ogni_campo(campi, [&](const auto& c) {
        if (trovato) return;
        using T = typename std::decay_t<decltype(c)>::Tipo;
        n += larghezza<T>;
        if (std::is_same_v<T, std::string>) trovato = true;
    });
    return n;
}

// Bytes of one record as written.
template <class Tabella, class R>
std::size_t byte_record(const Tabella& campi, const R& r) {
    std::size_t n = 0;
    per_ogni_campo(campi, [&](const auto& c) {
        using T = typename std::decay_t<decltype(c)>::Tipo;
        n += larghezza<T>;
        if constexpr (std::is_same_v<T, std::string>) n += (r.*(c.membro)).size();
    });
    return n;
}

// Writes the record at `p` (room for byte_record bytes); returns the end.
template <class Tabella, class R>
char* scrivi_record(const Tabella& campi, const R& r, char* p) {
    per_ogni_campo(campi, [&](const auto& c) {
        using T = typename std::decay_t<decltype(c)>::Tipo;
        const T& v = r.*(c.membro);
        put(p, v);
        p += larghezza<T>;
        if constexpr (std::is_same_v<T, std::string>) p += v.size();
    });
    return p;
}

// Appends the record to `out`.
template <class Tabella, class R>
void aggiungi_record(const Tabella& campi, const R& r, std::string& out) {
    const std::size_t prima = out.size();
    out.resize(prima + byte_record(campi, r));
    scrivi_record(campi, r, out.data() + prima);
}

// Reads the record at `p`; the caller has checked that its bytes are there
// (a text's length included).  Returns the end.
template <class Tabella, class R>
const char* leggi_record(const Tabella& campi, R& r, const char* p) {
    per_ogni_campo(campi, [&](const auto& c) {
        using T = typename std::decay_t<decltype(c)>::Tipo;
        if constexpr (std::is_same_v<T, std::string>) {
            const std::size_t n = get_u16(p);
            (r.*(c.membro)).assign(p + 2, n);
            p += 2 + n;
        } else {
            r.*(c.membro) = get<T>(p);
            p += larghezza<T>;
        }
    });
    return p;
}

}  // namespace compattatore::codifica
