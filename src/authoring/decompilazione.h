// Decompilation: from the compiled files of a scenario back to the two
// description texts that compile to the same bytes.
//
// The entries, the grid and the plan are read back into records (see
// decompilazione_analisi.h), the records are written as texts, and the texts
// are compiled to check them: each difference between the compiled files
// found and those the texts give is listed.  A compiled file made or
// edited by other means still gets the closest description; its listed
// values are those no row of it can give.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "authoring/decodifica.h"
#include "authoring/decompilazione_record.h"
#include "tables/scenario.h"

namespace compattatore {

// What compiling two description texts gives, as compile leaves it.
struct Ricompilazione {
    std::vector<Cella> celle;  // empty when the reader made no grid
    Voci voci{};
    TabellaLinea piano;  // no rows unless the plan was asked for
    std::int32_t codice = 0;  // the code recorded last, by the reader or the finishing pass
    // The record at which the reader recorded a code: its description file
    // and line (1-based); line 0 when the reader recorded none from a record.
    std::string file_errore;
    int riga_errore = 0;
    std::int32_t errore_segnalato = 0;  // 1250 or 1251 when the header stamp failed
};

// Compiles the texts of `linea` and `treno` (the names of the two files),
// with the plan when `piano` is set.
using Compilatore = std::function<Ricompilazione(const std::string& linea, const std::string& treno,
                                                 const std::string& testo_linea, const std::string& testo_treno,
                                                 bool piano)>;

// The compiled files of one scenario, decoded.
struct Compilati {
    std::string nome_linea;
    std::string nome_treno;
    std::vector<Cella> celle;
    Voci voci{};
    std::optional<TabellaLinea> piano;  // none without a plan file
};

struct Decompilazione {
    decompilazione::Descrizione descrizione;
    std::string testo_linea;
    std::string testo_treno;
    // One line for each value of the compiled files that the texts do not
    // give back: "FILE: cella N (M m): campo trovato X, riproducibile Y".
    std::vector<std::string> differenze;
    // The code that compiling the texts records (0 for none), and the error
    // report number when the compilation ends with one.
    std::int32_t codice = 0;
    std::int32_t errore_segnalato = 0;

    bool riprodotti() const { return differenze.empty(); }
};

Decompilazione decompila(const Compilati& c, const Compilatore& compila);

// The records of the compiled files, before any check.
decompilazione::Descrizione descrivi(const Compilati& c);

// The report lines of the differences between the compiled files found and
// those compiled again.
std::vector<std::string> confronta(const Compilati& trovati, const Ricompilazione& riprodotti);

}  // namespace compattatore
