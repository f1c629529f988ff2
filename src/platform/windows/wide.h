// UTF-8 text to and from the wide strings of the Windows interfaces, whose
// wchar_t is a UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace compattatore {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring widen(std::string_view text) {
    const std::u16string u = utf8_to_utf16(text);
    return std::wstring(u.begin(), u.end());
}

inline std::string narrow(std::wstring_view text) { return utf16_to_utf8(std::u16string(text.begin(), text.end())); }

}  // namespace compattatore
