// The state of one reading of the two description files, shared by the
// phases of the reader, and the ways a phase can end a record loop.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "reader/lettore_campi.h"
#include "tables/scenario.h"

namespace compattatore::lettore {

// A failure the reader does not test for itself (a value beyond its member,
// an index the input would push outside a table, a missing train file...):
// it ends the reading with code 25.
class GuastoImprevisto : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a record handler leaves its record.
enum class Esito {
    avanti,     // go on with the next record
    fine_file,  // leave the record loop as if the file had ended (code 15)
    fermo,      // the reader stopped with a code and returns
};

struct Lettura {
    explicit Lettura(Scenario& scenario);

    Scenario& s;
    std::filesystem::path file_linea;
    std::filesystem::path file_treno;

    // The file of the current phase and its fields; empty between phases.
    std::filesystem::path file_corrente;
    std::optional<LettoreCampi> campi;

    // The first field of the record being handled, for diagnostics.
    std::optional<PosizioneCampo> record;

    // Line phase.
    std::int32_t slot_testo = 80;
    std::int32_t cella_pendenza = 0;
    std::int32_t pendenza_precedente = 0;
    std::int32_t metro_piano = 2;

    // Train phase.
    std::int32_t cella_velocita = 0;
    std::int32_t velocita_precedente = 0;
    std::int32_t cella_aderenza = 0;
    std::int32_t aderenza_precedente = 0;
    std::int32_t slot_stazione = 1;

    LettoreCampi& f() { return *campi; }
};

// Whether a description file is there to be read.
bool esiste_file(const std::filesystem::path& file);
// Opens `file` as the current phase's file (read whole into memory).
void apri(Lettura& l, const std::filesystem::path& file);
// Ends the current phase's reading and deletes its file.
void chiudi_ed_elimina(Lettura& l);
// Deletes a description file, unless the authors asked to keep their sources.
void elimina_sorgente(const Scenario& s, const std::filesystem::path& file);

// Records `codice` with the current record as its origin.
void registra_codice(Lettura& l, std::int32_t codice);
// Stops the reader: deletes the current file, records the code (and the
// position, when given) and returns Esito::fermo.
Esito ferma(Lettura& l, std::int32_t codice);
Esito ferma(Lettura& l, std::int32_t codice, std::int32_t posizione);

// The top of every record loop: reads the record's first field into riga,
// skipping up to two comment fields.  False when the loop has to end
// because the file is at its end.
bool leggi_chiave(Lettura& l);

// The grid bound check before a positioned record.  True (with code 15 and
// the position recorded) when the record lies beyond the grid; a record met
// before the grid exists is an unexpected failure.
bool oltre_griglia(Lettura& l, std::int32_t posizione);

// A cell the input addresses directly: outside the grid is an unexpected failure.
Cella& cella(Lettura& l, std::int64_t indice);
// A cell of a run or a mark: nullptr when it lies outside the grid.
Cella* cella_se_presente(Scenario& s, std::int64_t indice);

// After a placement operation: its code 25 is an unexpected failure, any
// other code above 0 stops the reader with the record's position.
Esito dopo_posa(Lettura& l, std::int32_t posizione);

// A value computed from the input that has to fit a 32-bit or 16-bit member.
std::int32_t in_32(std::int64_t valore);
std::int16_t in_16(std::int64_t valore);

// A text for the `nome` of a voci entry: the compiled scenario file gives
// its length 16 bits, so a longer text does not fit its member.
std::string testo_di_voce(std::string testo);

}  // namespace compattatore::lettore
