// Building expected file bytes in tests, with the compiled files' coder.
#pragma once

#include <initializer_list>
#include <string>

#include "tables/codifica.h"
#include "tables/tabella_linea.h"

namespace compattatore::test {

// Literal bytes.
inline std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

// Appends one fixed-width value, little-endian.
template <class T>
void append(std::string& out, T v) {
    out.resize(out.size() + codifica::larghezza<T>);
    codifica::put(out.data() + out.size() - codifica::larghezza<T>, v);
}

// Reads one fixed-width value at `at`.
template <class T>
T read(const std::string& in, std::size_t at) {
    return codifica::get<T>(in.data() + at);
}

// The file bytes of one plan element: its tag, then its value.
inline void append_element(std::string& out, const ValoreTabella& e) {
    switch (e.stato) {
        case ValoreTabella::Stato::vuoto:
            append<std::uint16_t>(out, tag_vuoto);
            break;
        case ValoreTabella::Stato::intero16:
            append<std::uint16_t>(out, tag_intero16);
            append(out, static_cast<std::int16_t>(e.valore));
            break;
        case ValoreTabella::Stato::reale:
            append<std::uint16_t>(out, tag_reale);
            append(out, e.valore);
            break;
    }
}

}  // namespace compattatore::test
