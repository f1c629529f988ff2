#include "tables/tabella_linea.h"

#include <algorithm>

namespace compattatore {

namespace slot_piano {

void scrivi(std::byte* s, const ValoreTabella& v) {
    // The bytes an element's layout leaves out stay zero, as in a new table.
    switch (v.stato) {
        case ValoreTabella::Stato::reale:
            poni_reale(s, v.valore);
            return;
        case ValoreTabella::Stato::intero16:
            std::fill(s, s + byte, std::byte{0});
            codifica::scrivi_record(campi_elemento_intero,
                                    ElementoPiano{tag_intero16, static_cast<std::int16_t>(v.valore), 0.0}, c(s));
            return;
        case ValoreTabella::Stato::vuoto:
            std::fill(s, s + byte, std::byte{0});
            codifica::scrivi_record(campi_elemento_vuoto, ElementoPiano{}, c(s));
            return;
    }
}

}  // namespace slot_piano

ElementiTabella::ElementiTabella(const ElementiTabella& altra) { *this = altra; }

ElementiTabella& ElementiTabella::operator=(const ElementiTabella& altra) {
    if (this == &altra) return *this;
    crea(altra.n_);
    if (n_ > 0) std::copy_n(altra.memoria_.data(), n_ * slot_piano::byte, memoria_.data());
    return *this;
}

ElementiTabella& ElementiTabella::operator=(const std::vector<ValoreTabella>& valori) {
    crea(valori.size());
    for (std::size_t i = 0; i < n_; ++i)
        if (valori[i].stato != ValoreTabella::Stato::vuoto) slot_piano::scrivi(slot(i), valori[i]);
    return *this;
}

void ElementiTabella::crea(std::size_t n) {
    // Fresh memory is all zero bytes: every element empty.
    memoria_ = LargeMemory(n * slot_piano::byte);
    n_ = n;
}

}  // namespace compattatore
