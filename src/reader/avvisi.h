// Warnings: input that compiles but is almost certainly not what the author
// meant.  Each has a short stable name; none changes what is compiled.
//
//   parola-chiave-sconosciuta  a record whose keyword matches no keyword
//   record-fuori-posto         a keyword of another text or section
//   campo-in-piu               a text field left over after a record
//   virgola-nel-testo          a comma cuts a sign's text or a station's name
//   record-dopo-fine           records after "[fine]"
//   chiave-ripetuta            a general key given twice: the later one wins
//   righe-fuori-ordine         a profile, curve or stretch before the previous one
//   curve-sovrapposte          a curve that starts inside the previous one
//   montagne-sovrapposte       a montagna stretch that starts inside the previous one
//   posizione-negativa         a position before the start of the line
//   lunghezza-negativa         a length below zero, or an end before its start
//   valore-troncato            a value wrapped round to its field's width
//   velocita-arrotondata       a speed that is not a multiple of 5
//   profilo-non-da-zero        the speed or adhesion profile does not start at 0 m
//   testo-utf8                 a text in UTF-8: the simulator shows one character per byte
//   orario-non-valido          hours beyond 23, minutes or seconds beyond 59
//   tempo-ignorato             a signal time on a signal whose left type is not 2
//   annuncio-prima-di-aumento  striped boards announcing a speed that is no drop
//   rallentamento-oltre-griglia  a restriction whose end lies beyond the grid
//   fermata-su-elemento        a station's stop cell replaces what the cell held
//   progressive-azzerate       two kilometre references share the greatest start
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
                       std::string_view cosa, std::string_view nome_avviso, std::string nota);

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

// A maximum-speed board: striped boards must announce a lower speed than
// the one in force on their side.
void annuncio(Lettura& l, std::int32_t vas, std::int32_t vbs, std::int32_t vcs, std::int32_t strisces,
              std::int32_t vad, std::int32_t vbd, std::int32_t vcd, std::int32_t strisced);

}  // namespace compattatore::lettore
