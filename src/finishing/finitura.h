// Grid finishing: the signal-code finishing pass, the header stamp with the
// two competition codes, and the error report that ends a run.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore {

// Raised by errore(): the run ends with " Errore n. " and the number, and no
// compiled file is written.
class ErroreSegnalato : public std::runtime_error {
public:
    explicit ErroreSegnalato(const std::string& messaggio) : std::runtime_error(messaggio) {}
};

// The signal-code finishing pass over cells 1 to the grid's last index - 2;
// a cell it cannot place records its code (11, 12, 13) in `esito`.
void completa_codici(std::vector<Cella>& celle, EsitoCompilazione& esito);

// The smaller of two values, x on a tie.
std::int32_t minimo(std::int32_t x, std::int32_t y);

// Header checks, 610, 5121 and the two competition codes, into entry 85 and
// cell 1 (the grid must have it).  Returns 0, or the number of the error
// report (1250, 1251) for a slot something else has already used.
std::int32_t timbra_intestazione(Voci& voci, std::vector<Cella>& celle);

// The competition codes of a train on a line: sums over the first 25
// characters of the train identifier followed by the line identifier.
std::int32_t codice_gara_og(std::string_view nome_linea, std::string_view nome_treno);
std::int32_t codice_gara_st(std::string_view nome_linea, std::string_view nome_treno);

// The error report: builds " Errore n. " + a and ends the run (throws ErroreSegnalato).
[[noreturn]] void errore(const std::string& a);

}  // namespace compattatore
