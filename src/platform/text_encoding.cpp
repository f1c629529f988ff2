#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace compattatore {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five that the code page leaves
// undefined keep their own value, as Windows does.
constexpr std::array<char16_t, 32> windows_1252_80 = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The length of the sequence that lead byte `b` starts, with the range the
// first continuation byte must lie in (which excludes overlong forms,
// surrogates and values past U+10FFFF); 0 when `b` starts none.
struct Lead {
    int length;
    unsigned char low, high;
};

Lead lead(unsigned char b) {
    if (b < 0x80) return {1, 0, 0};
    if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
    if (b == 0xE0) return {3, 0xA0, 0xBF};
    if (b == 0xED) return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
    if (b == 0xF0) return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
    if (b == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// How many bytes of a well-formed sequence start at `i` (0 when none does),
// counting those present only; `whole` tells whether it is complete.
int sequence_at(std::string_view t, std::size_t i, bool& whole) {
    const auto b = static_cast<unsigned char>(t[i]);
    const Lead l = lead(b);
    whole = false;
    if (l.length == 0) return 0;
    if (l.length == 1) {
        whole = true;
        return 1;
    }
    int n = 1;
    for (; n < l.length && i + static_cast<std::size_t>(n) < t.size(); ++n) {
        const auto c = static_cast<unsigned char>(t[i + static_cast<std::size_t>(n)]);
        const bool fits = n == 1 ? (c >= l.low && c <= l.high) : (c >= 0x80 && c <= 0xBF);
        if (!fits) return 0;
    }
    whole = n == l.length;
    return n;
}

}  // namespace

char16_t windows_1252_character(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? windows_1252_80[b - 0x80] : static_cast<char16_t>(b);
}

std::u16string utf8_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool whole = false;
        const int n = sequence_at(text, i, whole);
        if (!whole) {
            out.push_back(windows_1252_character(static_cast<unsigned char>(text[i])));
            ++i;
            continue;
        }
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = n == 1 ? b : n == 2 ? (b & 0x1Fu) : n == 3 ? (b & 0x0Fu) : (b & 0x07u);
        for (int k = 1; k < n; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3Fu);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += static_cast<std::size_t>(n);
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::size_t complete_utf8_prefix(std::string_view text) {
    // Only the last three bytes can start an unfinished sequence.
    const std::size_t from = text.size() > 3 ? text.size() - 3 : 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        bool whole = false;
        const int n = sequence_at(text, i, whole);
        if (n > 0 && !whole) return i;
    }
    return text.size();
}

}  // namespace compattatore
