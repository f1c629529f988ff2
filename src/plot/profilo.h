// What the compiled grid and entries say along the line, in metres: the
// per-cell profiles as runs of equal values, and the elements placed on it.
// The plot draws from this; nothing here knows about drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiled/scenario_compilato.h"

namespace compattatore {

// A stretch [da, a) in metres where a profile keeps one value.
struct Gradino {
    double da = 0, a = 0;
    double valore = 0;
};

struct ElementoLinea {
    double metri = 0;
    std::string testo;  // readable (UTF-8) description
};

struct IndicatoreLinea {
    double metri = 0;
    int sinistro_a = 0, sinistro_b = 0, sinistro_c = 0;  // km/h, rank A, B, C of the left board
};

struct RallentamentoLinea {
    double avviso = -1;  // warning board, metres; -1 when there is none
    double inizio = 0, fine = 0;
    int velocita = 0;  // km/h
};

struct StazioneLinea {
    int voce = 0;
    double posizione = 0, inizio = 0, fine = 0;
    std::string nome;     // readable (UTF-8)
    std::int32_t orario = 0;  // seconds; 0 = no time
    int tipo = 0;
};

struct ProfiloLinea {
    double lunghezza = 0;  // metres of line from the header, or from the grid
    std::vector<Gradino> pendenza;   // per mille
    std::vector<Gradino> velocita;   // km/h
    std::vector<Gradino> aderenza;   // level
    std::vector<Gradino> montagne;   // kind, only where nonzero
    std::vector<ElementoLinea> segnali, cartelli;
    std::vector<IndicatoreLinea> indicatori;
    std::vector<RallentamentoLinea> rallentamenti;
    std::vector<StazioneLinea> stazioni;
};

// Profiles and elements by the cell rule of tables/celle.h; restrictions and
// stations as the model pairs and finds them.
ProfiloLinea estrai_profilo(const ScenarioCompilato& s);

}  // namespace compattatore
