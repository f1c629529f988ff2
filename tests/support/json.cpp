#include "support/json.h"

#include <stdexcept>

namespace compattatore::test {

nlohmann::json parse_json(std::string_view text) {
    std::string t(text);
    // "-0" followed by a delimiter, outside strings (the program escapes no
    // digits inside strings, so a string "-0" only ever stands between quotes).
    std::string out;
    out.reserve(t.size());
    bool in_string = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        out += c;
        if (in_string) {
            if (c == '\\') {
                out += t[++i];
            } else if (c == '"') {
                in_string = false;
            }
            continue;
        }
        if (c == '"') {
            in_string = true;
        } else if (c == '-' && i + 1 < t.size() && t[i + 1] == '0' &&
                   (i + 2 >= t.size() || t[i + 2] == ',' || t[i + 2] == ']' || t[i + 2] == '}' || t[i + 2] == ' ' ||
                    t[i + 2] == '\n' || t[i + 2] == '\r')) {
            out += "0.0";
            ++i;
        }
    }
    return nlohmann::json::parse(out);
}

std::string json_bytes(const nlohmann::json& value) {
    const std::string& utf8 = value.get_ref<const std::string&>();
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            if (code > 0xFF) throw std::runtime_error("character beyond one byte in a JSON string");
            bytes += static_cast<char>(code);
        } else {
            throw std::runtime_error("character beyond one byte in a JSON string");
        }
    }
    return bytes;
}

}  // namespace compattatore::test
