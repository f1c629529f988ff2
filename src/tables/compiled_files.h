// The three compiled files the simulator loads: the plan of the track
// (_linea.dat), the general table (.sim) and the grid (.dat).  Each is a
// plain little-endian dump of one table, with no header.
#pragma once

#include <string>

#include "tables/scenario.h"

namespace compattatore {

inline constexpr std::size_t byte_cella = 15;
inline constexpr std::size_t byte_voce_fissi = 34;  // a voce without its text

void codifica_cella(std::string& out, const Cella& c);
void codifica_voce(std::string& out, const Voce& v);

std::string codifica_griglia(const Scenario& s);        // the .dat grid file
std::string codifica_voci(const Scenario& s);           // the .sim file
std::string codifica_tabella_linea(const Scenario& s);  // the _linea.dat file

// Writes the compiled files into s.cartella: the plan file only when
// compila_linea is nonzero, then the .sim and the .dat grid.
void scrivi_file_compilati(const Scenario& s);

}  // namespace compattatore
