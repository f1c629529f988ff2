// A description text as an editor sees it: lines, and on each record line
// its fields with the columns they stand at.  This is a reading for the
// author's tools (ranges, outline, layout); what the scenario holds is the
// reader's to say.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "reader/formato_descrizione.h"

namespace compattatore::lsp {

// One field of a record line: bytes [inizio, fine) of the line, blanks
// around it left out.  A number ends at a blank, as the reader reads it,
// so "16    20    30" is three fields.
struct Campo {
    std::size_t inizio = 0, fine = 0;
    std::string_view testo;
    bool numero = false;  // digits, with a sign or not; an empty field counts as a number
};

enum class TipoRiga { vuota, commento, intestazione, record };

struct Riga {
    int numero = 0;            // 0-based, as editors count
    std::size_t inizio = 0;    // offset in the text
    std::string_view testo;    // without its line end
    TipoRiga tipo = TipoRiga::vuota;
    std::vector<Campo> campi;  // campi[0] the keyword (records only)
    // Where the reader looks the keyword up, and what it recognises.
    lettore::Contesto contesto = lettore::Contesto::treno;
    const lettore::Record* record = nullptr;
    bool prima_del_generale = false;  // before "[generale]": the reader skips it
};

// The lines of a line text (`linea`) or of a train text.
std::vector<Riga> righe_di(std::string_view testo, bool linea);

// The field of `r` at byte column `colonna`, or the nearest one on its left
// when the column is between two; nullopt before the first.
std::optional<std::size_t> campo_in(const Riga& r, std::size_t colonna);

// The field of a record that holds its position along the line: the first
// after the keyword, for the records that stand somewhere on it.
bool ha_posizione(const Riga& r);

// The position a record gives, when it is a plain number.
std::optional<long long> posizione_di(const Riga& r);

// The record of `r` is `id`.
inline bool e(const Riga& r, lettore::IdRecord id) { return r.record && r.record->id == id; }

}  // namespace compattatore::lsp
