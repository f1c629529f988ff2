// Small helpers for looking at the built-in description lines: split a
// record into its fields, read numbers, group the lines by section.
#pragma once

#include <charconv>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore::test {

inline std::string_view senza_blank(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The fields of a record, blanks around each removed; field 0 is the keyword.
inline std::vector<std::string_view> campi(std::string_view riga) {
    std::vector<std::string_view> out;
    std::size_t inizio = 0;
    for (;;) {
        const auto virgola = riga.find(',', inizio);
        out.push_back(senza_blank(riga.substr(inizio, virgola - inizio)));
        if (virgola == std::string_view::npos) return out;
        inizio = virgola + 1;
    }
}

// A whole decimal number; an empty field reads as 0, anything else fails
// the caller's expectations by returning a sentinel.
inline constexpr long non_numero = -999999999;
inline long numero(std::string_view campo) {
    if (campo.empty()) return 0;
    long v = 0;
    const auto [fine, err] = std::from_chars(campo.data(), campo.data() + campo.size(), v);
    if (err != std::errc{} || fine != campo.data() + campo.size()) return non_numero;
    return v;
}

// The numeric fields 1..n of a record.
inline std::vector<long> valori(std::string_view riga, std::size_t n) {
    const auto c = campi(riga);
    std::vector<long> out;
    for (std::size_t i = 1; i <= n && i < c.size(); ++i) out.push_back(numero(c[i]));
    return out;
}

struct Sezione {
    std::string intestazione;
    std::vector<std::string_view> righe;  // records, empty lines excluded
    int vuote = 0;                        // empty lines inside the section
};

// Sections in file order; the final "[fine]" is a section of its own.
inline std::vector<Sezione> sezioni(std::span<const std::string_view> righe) {
    std::vector<Sezione> out;
    for (const auto r : righe) {
        if (!r.empty() && r.front() == '[') {
            out.push_back({std::string(r), {}, 0});
        } else if (!out.empty()) {
            if (r.empty())
                ++out.back().vuote;
            else
                out.back().righe.push_back(r);
        }
    }
    return out;
}

}  // namespace compattatore::test
