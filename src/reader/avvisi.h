// The checks that give warnings (registro_avvisi.h lists them all), shared
// by the record handlers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "reader/lettura.h"
#include "reader/parole_chiave.h"

namespace compattatore::lettore {

// The field `campo`, read at the top of a record loop of `contesto`, matched
// no test.
void campo_non_riconosciuto(Lettura& l, const std::string& campo, Contesto contesto);

// A number left over after the record on its line, read as a field of its
// own at `p`: a warning, once a line.  False when `campo` is no number.
bool numero_in_piu(Lettura& l, const std::string& campo, const PosizioneCampo& p);

// After a recognised record: no record after "[fine]".
void dopo_record(Lettura& l);

// A general key met once more.
void chiave_generale(Lettura& l, const Record& r);

void posizione_negativa(Lettura& l, std::int64_t posizione, int campo = 1);
void lunghezza_negativa(Lettura& l, std::int64_t lunghezza, int campo, std::string_view cosa);

// A record of an ordered kind (`cosa`) at `posizione`, after the one of the
// same kind at `precedente`.
void in_ordine(Lettura& l, std::optional<std::int32_t>& precedente, std::int32_t posizione, std::string_view cosa);

// A stretch of an ordered kind (a curve, a montagna) from `inizio` to
// `fine`, after `precedente`: in order, and not starting inside it.
void tratto_successivo(Lettura& l, Ricordi::Tratto& precedente, std::int32_t inizio, std::int64_t fine,
                       std::string_view cosa, Avviso nome_avviso, std::string nota);

// A value that the cell keeps in a byte: `memorizzato` is what it becomes.
void troncato(Lettura& l, std::int64_t valore, std::int64_t minimo, std::int64_t massimo, int campo,
              std::string_view cosa);

// The same, for field `campo` of the current record, whose range the
// format gives.
void troncato(Lettura& l, std::int64_t valore, int campo);

// The name of the record being read, for messages.
std::string_view nome_corrente(const Lettura& l);

void multiplo_di_5(Lettura& l, std::int32_t velocita, int campo);

// A text field just read: a comma after it, or UTF-8 in it.
void testo_letto(Lettura& l, const std::string& testo, int campo, std::string_view cosa);

void orario(Lettura& l, std::int64_t ore, std::int64_t minuti, std::int64_t secondi, int campo);

// The highest speed on the network, km/h: a limit above it is a slip.
inline constexpr std::int64_t velocita_massima_rete = 300;
// The highest train limit a cell holds, km/h (its fifth, rounded, in a
// byte): above it the limit is an error, and draws no warning.
inline constexpr std::int64_t limite_massimo_cella = 1277;

// A position (or the end of a stretch) beyond the line's length.
void oltre_fine_linea(Lettura& l, std::int64_t posizione, int campo, std::string_view cosa);
// A maximum-speed board at `posizione` just read: when `cambia`, one of its
// sides without stripes changed the board in force.
void tabella_in_vigore(Lettura& l, std::int32_t posizione, bool cambia);

// A speed limit or board above velocita_massima_rete.
void velocita_plausibile(Lettura& l, std::int64_t velocita, int campo);

// A maximum-speed board: striped boards must announce a lower speed than
// the one in force on their side.
void annuncio(Lettura& l, std::int32_t vas, std::int32_t vbs, std::int32_t vcs, std::int32_t strisces,
              std::int32_t vad, std::int32_t vbd, std::int32_t vcd, std::int32_t strisced);

}  // namespace compattatore::lettore
