// Grid finishing: the signal-code pass, the header stamp with the two
// competition codes, and the error report that ends a run.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "tables/scenario.h"

namespace compattatore {

// Raised by errore(): the run ends with " Errore n. " and the number, and no
// compiled file is written.
class ErroreSegnalato : public std::runtime_error {
public:
    explicit ErroreSegnalato(const std::string& messaggio) : std::runtime_error(messaggio) {}
};

// The signal-code finishing pass over cells 1 to numero_celle - 2.
void completa_codici(Scenario& s);

// The smaller of two values, x on a tie.
std::int32_t minimo(std::int32_t x, std::int32_t y);

// Header checks, 610, 5121 and the two competition codes.
void timbra_intestazione(Scenario& s);
std::int32_t codice_gara_og(Scenario& s);
std::int32_t codice_gara_st(Scenario& s);

// The error report: builds " Errore n. " + a and ends the run (throws ErroreSegnalato).
[[noreturn]] void errore(Scenario& s, const std::string& a);

}  // namespace compattatore
