// The layout every timetable card and every restriction order keeps, whatever
// its scenario: line widths and bars, the page headers with their markers
// "SCHEDA n/N", the separators between pages, the format of every cell
// (speeds, kilometres, the time layouts, margins) and the kilometre-change
// rows.  The checks report through gtest expectations.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace compattatore::test {

// One table row cut into its seven cells.
struct CelleScheda {
    std::string limite, marcia, km, no_rs, nome, orario, recupero;
};
CelleScheda celle_scheda(const std::string& riga);
// A cell's text without the blanks around it.
std::string senza_blank(const std::string& cella);

struct SchedaLetta {
    std::size_t pagine = 0;
    // The table rows in order; a row written into a closing rule comes back
    // with its underscores turned into blanks.
    std::vector<std::string> righe;
    std::vector<std::size_t> righe_per_pagina;
    std::vector<bool> ultima_sulla_chiusura;
    std::vector<std::string> categorie, classi, frenature, masse, numeri, origini, destinazioni;
};

// Checks a card's layout and returns what it holds.
SchedaLetta controlla_scheda(const std::vector<std::string>& scheda);

// Checks an order's layout; it lists `rallentamenti` restrictions.
void controlla_ordine(const std::vector<std::string>& ordine, std::size_t rallentamenti);

}  // namespace compattatore::test
