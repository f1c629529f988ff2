// The signal-code finishing pass: adds the code cells (value 180) that the
// speed restrictions and the signals around them need.
//
// Warning board: every signal in the 20 cells behind it gets a code cell
// just before it.  Restriction start: approach codes at three distances
// before it; inside a slow restriction a code every 8 cells up to its end;
// then a code before the first signal that follows the end.
//
// The pass never looks at or writes a cell outside the grid.  A walk inside
// a restriction that finds no end cell stops at the last cell with error 13.
#include <algorithm>

#include "finishing/finitura.h"

namespace compattatore {

namespace {

constexpr std::int16_t valore_codice = 180;
constexpr std::int32_t distanza_avviso = 20;       // cells looked at behind a warning board
constexpr std::int32_t prima_cella_guardata = 3;   // the look-back stops below this cell
constexpr std::int32_t passo_codici = 8;           // 400 m between codes in a slow restriction
constexpr std::int32_t ricerca_segnale = 12;       // cells searched after the end for a signal
constexpr std::int16_t velocita_senza_codici = 110;

struct Griglia {
    Scenario& s;
    std::int32_t ultima;  // last cell index that exists

    bool esiste(std::int64_t c) const { return c >= 0 && c <= ultima; }
    Cella& operator[](std::int64_t c) const { return s.celle[static_cast<std::size_t>(c)]; }
    bool libera(std::int64_t c) const { return esiste(c) && cella_libera((*this)[c]); }
    std::uint8_t tipo(std::int64_t c) const { return esiste(c) ? (*this)[c].tipo : tipo_cella::vuota; }

    void metti_codice(std::int64_t c) const {
        (*this)[c].tipo = tipo_cella::codice;
        (*this)[c].valore1 = valore_codice;
    }
    void segna_errore(std::int32_t codice, std::int64_t c) const {
        s.codice_errore = codice;
        s.posizione_errore = static_cast<std::int32_t>(c * 50);
    }
};

// Every signal behind a warning board gets a code in one of the two cells
// before it; a free cell is preferred to lowering a code already there.
void dietro_avviso(const Griglia& g, std::int32_t i) {
    Scenario& s = g.s;
    for (s.indice2 = 1; s.indice2 <= distanza_avviso; ++s.indice2) {
        const std::int32_t d = i - s.indice2;
        if (d < prima_cella_guardata) return;
        if (g.tipo(d) != tipo_cella::segnale) continue;
        if (g.libera(d - 1)) {
            g.metti_codice(d - 1);
        } else if (g.libera(d - 2)) {
            g.metti_codice(d - 2);
        } else if (g.tipo(d - 1) == tipo_cella::codice) {
            g[d - 1].valore1 = static_cast<std::int16_t>(minimo(valore_codice, g[d - 1].valore1));
        } else if (g.tipo(d - 2) == tipo_cella::codice) {
            g[d - 2].valore1 = static_cast<std::int16_t>(minimo(valore_codice, g[d - 2].valore1));
        } else {
            g.segna_errore(11, d);
        }
    }
}

// One code in the first free cell of each group before a restriction start.
void codici_di_avvicinamento(const Griglia& g, std::int32_t i) {
    struct Gruppo {
        std::int32_t limite, primo;
    };
    for (const Gruppo gr : {Gruppo{7, 5}, Gruppo{13, 11}, Gruppo{20, 18}}) {
        if (i <= gr.limite) continue;
        bool posto = false;
        for (std::int32_t k = gr.primo; k <= gr.primo + 2 && !posto; ++k) {
            if (g.libera(i - k)) {
                g.metti_codice(i - k);
                posto = true;
            }
        }
        if (!posto) g.segna_errore(12, i);
    }
}

// Codes every 8 cells from the start to the end of a slow restriction, each
// spacing counted from the code last placed.  Leaves indice2 on the end.
void codici_nel_rallentamento(const Griglia& g, std::int32_t i) {
    Scenario& s = g.s;
    s.contatore = 0;
    s.indice2 = i;
    do {
        if (s.indice2 >= g.ultima) {
            g.segna_errore(13, g.ultima);
            return;
        }
        ++s.indice2;
        ++s.contatore;
        if (s.contatore == passo_codici) {
            if (g.libera(s.indice2)) {
                g.metti_codice(s.indice2);
                s.contatore = 0;
            } else if (g.libera(s.indice2 - 1)) {
                g.metti_codice(s.indice2 - 1);
                s.contatore = 1;
            } else if (g.libera(s.indice2 + 1)) {
                g.metti_codice(s.indice2 + 1);
                s.contatore = -1;
            } else {
                // Left at 8: the counter only grows from here, so this walk
                // places no further code.
                g.segna_errore(13, s.indice2);
            }
        }
    } while (g.tipo(s.indice2) != tipo_cella::fine_rallentamento);
}

// A fast restriction gets no codes inside; its end is still where the
// search for the next signal starts.  Leaves indice2 on the end.
void trova_fine(const Griglia& g, std::int32_t i) {
    Scenario& s = g.s;
    s.indice2 = i;
    do {
        if (s.indice2 >= g.ultima) {
            g.segna_errore(13, g.ultima);
            return;
        }
        ++s.indice2;
    } while (g.tipo(s.indice2) != tipo_cella::fine_rallentamento);
}

// A code before the first signal within 12 cells after the end.
void codice_prima_del_segnale(const Griglia& g) {
    Scenario& s = g.s;
    s.contatore = 0;
    const std::int32_t da = s.indice2;
    const std::int32_t a = std::min(s.indice2 + ricerca_segnale, g.ultima);
    for (s.indice3 = da; s.indice3 <= a; ++s.indice3) {
        if (g.tipo(s.indice3) == tipo_cella::segnale) {
            s.contatore = s.indice3 - 1;
            break;
        }
    }
    if (s.contatore <= 0) return;
    if (g.libera(s.contatore)) {
        g.metti_codice(s.contatore);
    } else if (g.libera(s.contatore - 1)) {
        g.metti_codice(s.contatore - 1);
    } else {
        g.segna_errore(13, s.indice2);
    }
}

void all_inizio(const Griglia& g, std::int32_t i) {
    codici_di_avvicinamento(g, i);
    if (g[i].valore1 < velocita_senza_codici) {
        codici_nel_rallentamento(g, i);
    } else {
        trova_fine(g, i);
    }
    codice_prima_del_segnale(g);
}

}  // namespace

std::int32_t minimo(std::int32_t x, std::int32_t y) { return x > y ? y : x; }

void completa_codici(Scenario& s) {
    if (!s.griglia_esiste()) return;
    const Griglia g{s, std::min(s.numero_celle, static_cast<std::int32_t>(s.celle.size()) - 1)};
    const std::int32_t fino_a = g.ultima - 2;
    for (s.indice = 1; s.indice <= fino_a; ++s.indice) {
        const std::int32_t i = s.indice;
        switch (g[i].tipo) {
            case tipo_cella::avviso_rallentamento:
                dietro_avviso(g, i);
                break;
            case tipo_cella::inizio_rallentamento:
                all_inizio(g, i);
                break;
            default:
                break;
        }
    }
}

}  // namespace compattatore
