// A minimal JSON reader for the tests: enough to read back what the dump
// writes, strict about syntax so that a malformed document fails loudly.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore::prova {

struct ValoreJson {
    enum class Tipo { nullo, booleano, numero, testo, lista, oggetto } tipo = Tipo::nullo;
    bool booleano = false;
    std::string lessema;  // a number as written
    std::string testo;    // a string as bytes (\u00XX gives the byte XX)
    std::vector<ValoreJson> lista;
    std::vector<std::pair<std::string, ValoreJson>> membri;  // in document order

    const ValoreJson& operator[](std::string_view chiave) const;  // throws when missing
    bool ha(std::string_view chiave) const;
    std::int64_t intero() const;  // a number written without fraction or exponent
    double reale() const;         // any number
};

// Parses a whole document; throws std::runtime_error with the offset on a
// syntax error or on anything after the document.
ValoreJson leggi_json(std::string_view testo);

}  // namespace compattatore::prova
