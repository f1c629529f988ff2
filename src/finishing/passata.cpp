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
// The grid is the whole of `celle`: cells 1 to its last index - 2 are looked at.
#include <algorithm>

#include "finishing/finitura.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {

constexpr std::int16_t valore_codice = 180;
constexpr std::int32_t distanza_avviso = 20;       // cells looked at behind a warning board
constexpr std::int32_t prima_cella_guardata = 3;   // the look-back stops below this cell
constexpr std::int32_t passo_codici = 8;           // 400 m between codes in a slow restriction
constexpr std::int32_t ricerca_segnale = 12;       // cells searched after the end for a signal
constexpr std::int16_t velocita_senza_codici = 110;

struct Griglia {
    std::vector<Cella>& celle;
    EsitoCompilazione& esito;
    std::int32_t ultima;  // last cell index that exists

    bool esiste(std::int64_t c) const { return c >= 0 && c <= ultima; }
    Cella& operator[](std::int64_t c) const { return celle[static_cast<std::size_t>(c)]; }
    bool libera(std::int64_t c) const { return esiste(c) && cella_libera((*this)[c]); }
    TipoCella tipo(std::int64_t c) const { return esiste(c) ? (*this)[c].tipo : TipoCella::vuota; }

    void metti_codice(std::int64_t c) const {
        (*this)[c].tipo = TipoCella::codice;
        (*this)[c].valore1 = valore_codice;
    }
    // The code goes with the position of cell c; `elemento` is the cell of
    // the signal or restriction start the code is about.
    void segna_errore(Codice codice, std::int64_t c, std::int64_t elemento) const {
        esito.codice = codice;
        esito.posizione_errore = static_cast<std::int32_t>(c * lunghezza_cella);
        esito.aggiungi(CodiceDiFinitura{codice, c, elemento});
    }
};

// Every signal behind a warning board gets a code in one of the two cells
// before it; a free cell is preferred to lowering a code already there.
void dietro_avviso(const Griglia& g, std::int32_t i) {
    for (std::int32_t indietro = 1; indietro <= distanza_avviso; ++indietro) {
        const std::int32_t d = i - indietro;
        if (d < prima_cella_guardata) return;
        if (g.tipo(d) != TipoCella::segnale) continue;
        if (g.libera(d - 1)) {
            g.metti_codice(d - 1);
        } else if (g.libera(d - 2)) {
            g.metti_codice(d - 2);
        } else if (g.tipo(d - 1) == TipoCella::codice) {
            g[d - 1].valore1 = static_cast<std::int16_t>(minimo(valore_codice, g[d - 1].valore1));
        } else if (g.tipo(d - 2) == TipoCella::codice) {
            g[d - 2].valore1 = static_cast<std::int16_t>(minimo(valore_codice, g[d - 2].valore1));
        } else {
            g.segna_errore(Codice::codice_dietro_avviso, d, d);
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
        if (!posto) g.segna_errore(Codice::codici_di_avvicinamento, i, i);
    }
}

// Codes every 8 cells from the start to the end of a slow restriction, each
// spacing counted from the code last placed.  Returns the end (or the cell
// where the walk gave up).
std::int32_t codici_nel_rallentamento(const Griglia& g, std::int32_t i) {
    std::int32_t contatore = 0;
    std::int32_t c = i;
    do {
        if (c >= g.ultima) {
            g.segna_errore(Codice::codice_nel_rallentamento, g.ultima, i);
            return c;
        }
        ++c;
        ++contatore;
        if (contatore == passo_codici) {
            if (g.libera(c)) {
                g.metti_codice(c);
                contatore = 0;
            } else if (g.libera(c - 1)) {
                g.metti_codice(c - 1);
                contatore = 1;
            } else if (g.libera(c + 1)) {
                g.metti_codice(c + 1);
                contatore = -1;
            } else {
                // Left at 8: the counter only grows from here, so this walk
                // places no further code.
                g.segna_errore(Codice::codice_nel_rallentamento, c, i);
            }
        }
    } while (g.tipo(c) != TipoCella::fine_rallentamento);
    return c;
}

// A fast restriction gets no codes inside; its end is still where the
// search for the next signal starts.  Returns the end (or where the walk
// gave up).
std::int32_t trova_fine(const Griglia& g, std::int32_t i) {
    std::int32_t c = i;
    do {
        if (c >= g.ultima) {
            g.segna_errore(Codice::codice_nel_rallentamento, g.ultima, i);
            return c;
        }
        ++c;
    } while (g.tipo(c) != TipoCella::fine_rallentamento);
    return c;
}

// A code before the first signal within 12 cells after the end.
void codice_prima_del_segnale(const Griglia& g, std::int32_t inizio, std::int32_t fine) {
    std::int32_t prima_del_segnale = 0;
    const std::int32_t a = std::min(fine + ricerca_segnale, g.ultima);
    for (std::int32_t c = fine; c <= a; ++c) {
        if (g.tipo(c) == TipoCella::segnale) {
            prima_del_segnale = c - 1;
            break;
        }
    }
    if (prima_del_segnale <= 0) return;
    if (g.libera(prima_del_segnale)) {
        g.metti_codice(prima_del_segnale);
    } else if (g.libera(prima_del_segnale - 1)) {
        g.metti_codice(prima_del_segnale - 1);
    } else {
        g.segna_errore(Codice::codice_nel_rallentamento, fine, inizio);
    }
}

void all_inizio(const Griglia& g, std::int32_t i) {
    codici_di_avvicinamento(g, i);
    const std::int32_t fine =
        g[i].valore1 < velocita_senza_codici ? codici_nel_rallentamento(g, i) : trova_fine(g, i);
    codice_prima_del_segnale(g, i, fine);
}

}  // namespace

std::int32_t minimo(std::int32_t x, std::int32_t y) { return x > y ? y : x; }

void completa_codici(std::vector<Cella>& celle, EsitoCompilazione& esito) {
    if (celle.empty()) return;
    const Griglia g{celle, esito, static_cast<std::int32_t>(celle.size()) - 1};
    const std::int32_t fino_a = g.ultima - 2;
    for (std::int32_t i = 1; i <= fino_a; ++i) {
        switch (g[i].tipo) {
            case TipoCella::avviso_rallentamento:
                dietro_avviso(g, i);
                break;
            case TipoCella::inizio_rallentamento:
                all_inizio(g, i);
                break;
            default:
                break;
        }
    }
}

}  // namespace compattatore
