// The records of the two description files, as a decompilation finds them:
// every value the reader takes from a record, in record order.  The texts
// are written from these by decompilazione_testo.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace compattatore::decompilazione {

// "progressiva chilometrica uno/due/tre": start, kilometre value, sense.
struct Progressiva {
    std::int32_t inizio = 0;
    std::int32_t valore = 0;
    std::int32_t verso = 0;
};

// "ripetizione segnali N codici": N is 4 or 9.
struct Ripetizione {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    int codici = 9;
};

// "curvas1" .. "curvad6": the curve bends the metres inizio + 1 to
// inizio + lunghezza.
struct Curva {
    std::int32_t inizio = 0;
    std::int32_t lunghezza = 0;
    bool sinistra = false;
    int classe = 1;  // 1 to 6
};

// A row of a profile: "pendenza", "aderenza", "velocita".
struct Punto {
    std::int32_t posizione = 0;
    std::int32_t valore = 0;
};

struct Montagna {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t tipo = 0;  // above 10: kind tipo - 10 with the free marks
};

// "indicatori_vmax": speeds of ranks A, B, C and stripes, left then right.
// A right-hand board whose speeds are all 0 is written with empty fields.
struct Indicatore {
    std::int32_t posizione = 0;
    std::array<std::int32_t, 3> sinistro{};
    std::int32_t strisce_sinistro = 0;
    std::array<std::int32_t, 3> destro{};
    std::int32_t strisce_destro = 0;
};

struct Cartello {
    std::int32_t posizione = 0;
    std::string testo;
};

struct Linea {
    std::int32_t lunghezza = 0;
    // The three kilometre-reference rows; a row that is not written leaves
    // its entry at zero.
    std::optional<Progressiva> uno, due, tre;
    std::int32_t sfondo_uno = 0, sfondo_due = 0, sfondo_tre = 0;
    std::optional<Ripetizione> ripetizione;
    std::vector<Curva> curve;
    std::vector<Punto> pendenze;
    std::vector<Montagna> montagne;
    std::vector<Indicatore> indicatori;
    std::vector<Cartello> cartelli;
};

// "stazione": the seventeen fields in record order.
struct Stazione {
    std::int32_t posizione = 0;
    std::int32_t tipo = 0;
    std::int32_t lunghezza = 0;
    std::array<std::int32_t, 3> flag{};      // fields 4, 5, 6
    std::array<std::int32_t, 3> gruppo_a{};  // fields 7, 8, 9
    std::array<std::int32_t, 3> gruppo_b{};  // fields 10, 11, 12
    std::int32_t fermata = 0;
    std::int32_t ore = 0, minuti = 0, secondi = 0;
    std::string nome;
};

struct Rallentamento {
    std::int32_t x = 0, v = 0, l = 0, f_tt = 0, f_ta = 0, d_v = 0;
};

struct Segnale {
    std::int32_t posizione = 0;
    std::int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0;
    std::int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
    std::int32_t tempo = 0;
};

struct Abbattimento {
    std::int32_t posizione = 0;
    std::int32_t codice = 0;
};

struct Treno {
    std::int32_t vetture = 0;
    std::int32_t massa_frenata = 0;
    std::int32_t sabbia = 0;
    std::int32_t ore = 0, minuti = 0, secondi = 0;  // "orologio"
    std::vector<Punto> aderenze;
    std::vector<Punto> velocita;
    std::vector<Stazione> stazioni;
    std::vector<Rallentamento> rallentamenti;
    std::vector<Segnale> segnali;
    std::vector<Abbattimento> abbattimenti;
};

struct Descrizione {
    Linea linea;
    Treno treno;
};

}  // namespace compattatore::decompilazione
