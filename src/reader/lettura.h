// The state of one reading of the two description texts, shared by the
// phases of the reader, and the ways a phase can end a record loop.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "placement/posa.h"
#include "reader/lettore_campi.h"
#include "reader/memorizza_dati.h"
#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore::lettore {

// A failure the reader does not test for itself (a value beyond its member,
// an index the input would push outside a table, a missing train text...):
// it ends the reading with code 25.
class GuastoImprevisto : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a record handler leaves its record.
enum class Esito {
    avanti,     // go on with the next record
    fine_file,  // leave the record loop as if the text had ended (code 15)
    fermo,      // the reader stopped with a code and returns
};

struct Lettura {
    Lettura(const Descrizioni& descrizioni, Scenario& scenario, EsitoCompilazione& esito_lettura)
        : d(descrizioni), s(scenario), esito(esito_lettura) {}

    const Descrizioni& d;
    Scenario& s;
    EsitoCompilazione& esito;

    // The text of the current phase, its file name for diagnostics and its
    // fields; no fields between phases.
    std::string file_corrente;
    std::optional<LettoreCampi> campi;

    // The first field of the record being handled, for diagnostics.
    std::optional<PosizioneCampo> record;

    // Line phase.
    std::int32_t slot_testo = static_cast<std::int32_t>(ultimo_cartello);
    std::int32_t cella_pendenza = 0;
    std::int32_t pendenza_precedente = 0;
    std::int32_t metro_piano = 2;
    Montagne montagne;

    // Train phase.
    std::int32_t cella_velocita = 0;
    std::int32_t velocita_precedente = 0;
    std::int32_t cella_aderenza = 0;
    std::int32_t aderenza_precedente = 0;
    std::int32_t slot_stazione = static_cast<std::int32_t>(prima_stazione);

    LettoreCampi& f() { return *campi; }
};

// Starts reading `testo` as the current phase's text, named `file`.
void apri(Lettura& l, std::string file, std::string_view testo);
// Ends the current phase's reading.
void chiudi(Lettura& l);

// Records `codice` with the current record as its origin.
void registra_codice(Lettura& l, Codice codice);
// Stops the reader: ends the current text, records the code (and the
// position, when given) and returns Esito::fermo.
Esito ferma(Lettura& l, Codice codice);
Esito ferma(Lettura& l, Codice codice, std::int32_t posizione);

// The top of every record loop: reads the record's first field into
// `chiave`, skipping up to two comment fields.  False when the loop has to
// end because the text is at its end.
bool leggi_chiave(Lettura& l, std::string& chiave);

// The grid bound check before a positioned record.  True (with code 15 and
// the position recorded) when the record lies beyond the grid; a record met
// before the grid exists is an unexpected failure.
bool oltre_griglia(Lettura& l, std::int32_t posizione);

// A cell the input addresses directly: outside the grid is an unexpected failure.
Cella& cella(Lettura& l, std::int64_t indice);
// A cell of a run or a mark: nullptr when it lies outside the grid.
Cella* cella_se_presente(std::vector<Cella>& celle, std::int64_t indice);

// After a placement operation that answered `da_posa`: a code 25, its own
// or one standing from before, is an unexpected failure; any other code,
// its own or one standing, stops the reader with the record's position.
Esito dopo_posa(Lettura& l, Codice da_posa, std::int32_t posizione);

// A value computed from the input that has to fit a 32-bit or 16-bit member.
std::int32_t in_32(std::int64_t valore);
std::int16_t in_16(std::int64_t valore);

// A text for the `nome` of a voci entry: the compiled scenario file gives
// its length 16 bits, so a longer text does not fit its member.
std::string testo_di_voce(std::string testo);

}  // namespace compattatore::lettore
