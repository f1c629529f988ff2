#include "documents/formato_documenti.h"

namespace compattatore {

namespace {

std::string taglia(std::string_view t, std::size_t n) {
    if (t.size() <= n) return std::string(t);
    if (n == 0) return {};
    return std::string(t.substr(0, n - 1)) + ".";
}

}  // namespace

std::string testo_km(std::int64_t metri) {
    const std::int64_t a = metri < 0 ? -metri : metri;
    std::string millesimi = std::to_string(a % 1000);
    millesimi.insert(0, 3 - millesimi.size(), '0');
    return (metri < 0 ? "-" : "") + std::to_string(a / 1000) + "." + millesimi;
}

std::string a_sinistra(std::string_view t, std::size_t n) {
    std::string r = taglia(t, n);
    r.append(n - r.size(), ' ');
    return r;
}

std::string a_destra(std::string_view t, std::size_t n) {
    std::string r = taglia(t, n);
    r.insert(0, n - r.size(), ' ');
    return r;
}

std::string al_centro(std::string_view t, std::size_t n) {
    const std::string r = taglia(t, n);
    const std::size_t sinistra = (n - r.size()) / 2;
    return std::string(sinistra, ' ') + r + std::string(n - r.size() - sinistra, ' ');
}

std::string riga_tabella(std::initializer_list<std::string_view> celle) {
    std::string r = " |";
    for (std::string_view c : celle) {
        r.append(c);
        r.push_back('|');
    }
    return r;
}

}  // namespace compattatore
