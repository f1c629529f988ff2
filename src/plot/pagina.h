// The page of `compattatore plot`, shared by its panels: the geometry, the
// fonts and the scales of the page, the scenario's values the panels read
// and the SVG being written.  Each panel is drawn by a file of its own
// (titolo, pianta, legenda, corsie, elementi, scala_km), in the order
// grafico.cpp calls them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiled/scenario_compilato.h"
#include "plot/etichette.h"
#include "plot/profilo.h"
#include "plot/svg.h"
#include "tables/chilometri.h"

namespace compattatore::grafico {

// Page geometry, in pixels.
inline constexpr double larghezza_pagina = 1600;
inline constexpr double margine_sx = 110;
inline constexpr double margine_dx = 40;
inline constexpr double larghezza_utile = larghezza_pagina - margine_sx - margine_dx;

inline constexpr double alto_piano = 116;
inline constexpr double lato_piano = 740;
inline constexpr double sx_pannello = margine_sx + lato_piano + 60;

inline constexpr double alto_profilo = alto_piano + lato_piano + 80;
struct Corsia {
    double alto, altezza;
    constexpr double basso() const { return alto + altezza; }
};
inline constexpr Corsia corsia_pendenza{alto_profilo, 150};
inline constexpr Corsia corsia_velocita{corsia_pendenza.basso() + 25, 220};
inline constexpr Corsia corsia_aderenza{corsia_velocita.basso() + 25, 110};
inline constexpr Corsia corsia_elementi{corsia_aderenza.basso() + 25, 150};
inline constexpr double asse_km = corsia_elementi.basso() + 10;
inline constexpr double alto_nomi = asse_km + 62;
inline constexpr double altezza_pagina = alto_nomi + 175;

// Rows of the elements lane: the centre line of each.
inline constexpr double riga_montagna = corsia_elementi.alto + 18;
inline constexpr double riga_segnali = corsia_elementi.alto + 44;
inline constexpr double riga_cartelli = corsia_elementi.alto + 70;
inline constexpr double riga_rallentamenti = corsia_elementi.alto + 96;
inline constexpr double riga_stazioni = corsia_elementi.alto + 126;

// The fonts of the labels the page places, as the style sets them.
inline constexpr Carattere carattere_nome{10, false};          // nome-stazione
inline constexpr Carattere carattere_nome_orario{12, true};    // nome-stazione-orario
inline constexpr Carattere carattere_km{10, false};            // testo-km
inline constexpr Carattere carattere_rallentamento{11, true};  // testo-rallentamento

// Longest texts, in characters; a longer one is cut with "…" and kept whole
// in its hover text.
inline constexpr std::size_t nome_in_pianta = 28;
inline constexpr std::size_t nome_sotto_asse = 26;
inline constexpr std::size_t nome_in_tabella = 56;
inline constexpr std::size_t nome_nel_titolo = 40;

struct Scala {
    double d0, d1, r0, r1;
    double operator()(double v) const { return d1 == d0 ? r0 : r0 + (v - d0) * (r1 - r0) / (d1 - d0); }
};

// A round step (1, 2 or 5 times a power of ten) that cuts `intervallo` into
// about `quante` parts.
double passo_tondo(double intervallo, double quante);

// The multiples of `passo` from `da` to `a`, both included, computed from
// their index so that rounding never stalls the count; at most 200.
std::vector<double> tacche(double da, double a, double passo);

// Route distances in kilometres for the page's figures; route positions to
// the metre, "12345 m", and the line's own kilometres as its posts show
// them, "km 15.395".
std::string km(double metri);
std::string metri(double m);
std::string km_linea(std::int64_t metri_linea);

// Numbers on an axis: no decimals unless the step needs them.
std::string tacca(double v, double passo);

struct Pagina {
    explicit Pagina(const ScenarioCompilato& s);

    // A route position with the line's kilometre there: "49300 m (km 52.350)".
    std::string luogo(double m) const;
    // The stretch of a run inside the line, in pixels; false when outside.
    bool dentro(double da, double a, double& x0, double& x1) const;
    // A text cut to `n` characters, with the whole of it as hover text when cut.
    void testo_accorciato(double x, double y, const std::string& t, std::size_t n, std::string_view classe,
                          double rotazione = 0);
    // A station's hover text.
    std::string descrivi(const StazioneLinea& st) const;
    // The step of the kilometre grid along the line.
    double passo_km() const;

    const Voci& voci;
    const TabellaLinea* piano;
    ProfiloLinea p;
    std::vector<Progressiva> progressive;
    PaginaSvg svg;
    Scala x;  // route metres to the page's x
};

// The panels, in the order they are drawn.
void disegna_titolo(Pagina& pg);
// The plan of the track, north up, in a square box.
void disegna_pianta(Pagina& pg);
// Legend, timetable and the scenario's general values, beside the plan.
void disegna_legenda(Pagina& pg);
// The profile along the line: gradient, speed, adhesion.
void disegna_corsie(Pagina& pg);
// The lane of the elements placed on the line.
void disegna_elementi(Pagina& pg);
// The kilometre axis under the profile, with the station names below it.
void disegna_scala_km(Pagina& pg);

}  // namespace compattatore::grafico
