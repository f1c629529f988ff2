// The grid: the three profiles, the montagna stretches and the elements
// placed one per cell (boards, signs, signals, restrictions).
#include <algorithm>
#include <map>

#include "authoring/decompilazione_analisi.h"

namespace compattatore::decompilazione {

namespace {

std::int64_t ultima_cella(const std::vector<Cella>& celle) { return static_cast<std::int64_t>(celle.size()) - 1; }

const Cella* cella_in(const std::vector<Cella>& celle, std::int64_t i) {
    return i >= 0 && i <= ultima_cella(celle) ? &celle[static_cast<std::size_t>(i)] : nullptr;
}

std::uint8_t tipo_in(const std::vector<Cella>& celle, std::int64_t i) {
    const Cella* c = cella_in(celle, i);
    return c ? c->tipo : tipo_cella::vuota;
}

// --- montagna ---------------------------------------------------------------

// A stretch of cells of one montagna kind, with or without the free marks.
// `deciso` is false when the grid cannot tell whether it asked for marks.
struct Tratto {
    std::int64_t prima, ultima;
    std::uint8_t tipo;
    bool segni;
    bool deciso;
};

// The marks of a stretch fall on its 4th, 8th, 12th ... cell, on the cells
// that were still empty when it was read.
bool posto_segno(std::int64_t prima, std::int64_t c) { return (c - prima + 1) % 4 == 0; }

// Splits the run of cells [a, b] of one kind into stretches whose marks
// explain the grid: every mark on a mark place of a stretch with marks, no
// mark place of such a stretch left empty.  Each stretch is made as long as
// it can be; the next one starts where its first mark tells.
void tratti_della_corsa(const std::vector<Cella>& celle, std::int64_t a, std::int64_t b, std::uint8_t tipo,
                        std::vector<Tratto>& tratti) {
    std::int64_t s = a;
    while (s <= b) {
        // How far a stretch from s reaches with marks, and without.
        std::int64_t guasto_con = b + 1, guasto_senza = b + 1;
        bool un_segno = false, un_vuoto = false;
        for (std::int64_t c = s; c <= b; ++c) {
            const std::uint8_t t = celle[static_cast<std::size_t>(c)].tipo;
            const bool posto = posto_segno(s, c);
            if (t == tipo_cella::segno_montagna) {
                if (guasto_senza > b) guasto_senza = c;
                if (posto) un_segno = true;
                if (!posto && guasto_con > b) guasto_con = c;
            } else if (t == tipo_cella::vuota && posto) {
                if (guasto_con > b) guasto_con = c;
                un_vuoto = true;
            }
            if (guasto_con <= b && guasto_senza <= b) break;
        }
        if (guasto_con > b && guasto_senza > b) {
            // No mark at all, and no empty mark place: the grid cannot tell.
            tratti.push_back({s, b, tipo, false, un_vuoto});
            return;
        }
        if (guasto_con > b) {
            tratti.push_back({s, b, tipo, true, true});
            return;
        }
        if (guasto_senza > b) {
            tratti.push_back({s, b, tipo, false, true});
            return;
        }
        const bool segni = guasto_con > guasto_senza || (guasto_con == guasto_senza && un_segno);
        const std::int64_t guasto = segni ? guasto_con : guasto_senza;
        std::int64_t prossimo;
        if (celle[static_cast<std::size_t>(guasto)].tipo == tipo_cella::segno_montagna) {
            // A mark off this stretch's places: the next stretch starts three
            // cells before it, so that it is that stretch's first mark.
            prossimo = guasto - 3;
        } else {
            // An empty mark place: the stretch with marks ends before it, and
            // the next one starts where its own first mark, further on, puts
            // its start, or at the empty place itself.
            prossimo = guasto;
            for (std::int64_t m = guasto + 1; m <= b; ++m) {
                if (celle[static_cast<std::size_t>(m)].tipo != tipo_cella::segno_montagna) continue;
                const std::int64_t t = m - 3 - 4 * ((std::max<std::int64_t>(m - 3 - guasto, 0) + 3) / 4);
                if (t > s) prossimo = t;
                break;
            }
        }
        if (prossimo <= s) {
            // Nothing explains this cell; the stretch goes on over it.
            tratti.push_back({s, b, tipo, segni, true});
            return;
        }
        tratti.push_back({s, prossimo - 1, tipo, segni, true});
        s = prossimo;
    }
}

}  // namespace

std::vector<Punto> profilo(const std::vector<Cella>& celle, std::uint8_t Cella::*campo,
                           std::int32_t (*valore)(std::uint8_t)) {
    std::vector<Punto> righe;
    const std::int64_t n = ultima_cella(celle);
    if (n < 0) return righe;
    auto byte = [&](std::int64_t c) { return celle[static_cast<std::size_t>(c)].*campo; };
    // Each row writes its value from its cell until the next row's cell; the
    // last one runs on to cell n - 3.  The cells from n - 2 on stay unwritten
    // (zero) unless rows stand at n - 2, the last position inside the grid,
    // each of which writes one more cell there.
    const std::int64_t coda = std::max<std::int64_t>(n - 2, 0);
    std::int64_t scritte = n + 1;
    while (scritte > coda && byte(scritte - 1) == 0) --scritte;
    for (std::int64_t c = 0; c < coda; ++c)
        if (c == 0 || byte(c) != byte(c - 1)) righe.push_back({static_cast<std::int32_t>(c * 50), valore(byte(c))});
    if (coda == 0 && scritte == 0) righe.push_back({0, valore(0)});
    for (std::int64_t c = coda; c < scritte; ++c)
        righe.push_back({static_cast<std::int32_t>(coda * 50), valore(byte(c))});
    return righe;
}

std::vector<Montagna> montagne(const std::vector<Cella>& celle) {
    std::vector<Tratto> tratti;
    const std::int64_t n = ultima_cella(celle);
    for (std::int64_t c = 0; c <= n;) {
        const std::uint8_t tipo = celle[static_cast<std::size_t>(c)].montagna;
        std::int64_t fine = c;
        while (fine + 1 <= n && celle[static_cast<std::size_t>(fine + 1)].montagna == tipo) ++fine;
        if (tipo != 0) tratti_della_corsa(celle, c, fine, tipo, tratti);
        c = fine + 1;
    }

    std::vector<Montagna> righe;
    bool segni_precedenti = false;
    std::int64_t fine_precedente = 0;
    for (const Tratto& t : tratti) {
        // Where the grid cannot tell, the stretch asks for marks as the one
        // before it did: authors write a line's stretches alike.
        const bool segni = t.deciso ? t.segni : segni_precedenti;
        segni_precedenti = segni;
        const std::int64_t inizio = t.prima * 50;
        const std::int64_t fine = (t.ultima + 1) * 50;
        // A stretch that starts 150 m or less after the end of the one read
        // before it is stored as kind 3; another kind there needs a record
        // in between that ends further back and covers no cell.
        if (!righe.empty() && inizio - fine_precedente <= 150 && t.tipo != 3) {
            const auto vuoto = static_cast<std::int32_t>(inizio - 200);
            righe.push_back({vuoto, vuoto, 0});
        }
        std::int32_t tipo = t.tipo;
        if (segni)
            tipo += 10;
        else if (tipo > 10)
            tipo -= 256;  // the same low byte, without asking for marks
        righe.push_back({static_cast<std::int32_t>(inizio), static_cast<std::int32_t>(fine), tipo});
        fine_precedente = fine;
    }
    return righe;
}

std::vector<Indicatore> indicatori(const std::vector<Cella>& celle) {
    std::vector<Indicatore> righe;
    for (std::size_t c = 0; c < celle.size(); ++c) {
        const Cella& x = celle[c];
        if (x.tipo != tipo_cella::indicatore_v_max) continue;
        // Each value is the left speed x 20 plus the right speed / 5; with
        // speeds in multiples of 5, the left fifths in the hundreds and the
        // right fifths in the units.
        Indicatore b;
        b.posizione = posizione_di_cella(static_cast<std::int64_t>(c));
        const std::int16_t valori[3] = {x.valore1, x.valore2, x.valore3};
        for (int k = 0; k < 3; ++k) {
            b.sinistro[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(quoziente(valori[k], 100) * 5);
            b.destro[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(resto(valori[k], 100) * 5);
        }
        b.strisce_sinistro = static_cast<std::int32_t>(quoziente(x.valore4, 10));
        b.strisce_destro = static_cast<std::int32_t>(resto(x.valore4, 10));
        righe.push_back(b);
    }
    return righe;
}

std::vector<Cartello> cartelli(const std::vector<Cella>& celle, const Voci& voci, const Ripartizione& r) {
    std::vector<Cartello> righe;
    if (r.primo_cartello > 80) return righe;
    std::map<int, std::int64_t> cella_del_testo;
    std::vector<std::int64_t> fermate;
    for (std::size_t c = 0; c < celle.size(); ++c) {
        const Cella& x = celle[c];
        if (x.tipo == tipo_cella::cartello) cella_del_testo.try_emplace(x.valore1, static_cast<std::int64_t>(c));
        if (x.tipo == tipo_cella::fermata) fermate.push_back(static_cast<std::int64_t>(c));
    }
    std::size_t prossima_fermata = 0;
    for (int slot = 80; slot >= r.primo_cartello; --slot) {
        std::int64_t cella = 0;
        if (auto i = cella_del_testo.find(slot); i != cella_del_testo.end()) {
            cella = i->second;
        } else if (prossima_fermata < fermate.size()) {
            cella = fermate[prossima_fermata++];
        } else {
            // No cell can hide it: the sign shows on the first empty cell.
            for (std::size_t c = 2; c < celle.size(); ++c) {
                if (celle[c].tipo == tipo_cella::vuota) {
                    cella = static_cast<std::int64_t>(c);
                    break;
                }
            }
        }
        righe.push_back({posizione_di_cella(cella), voci[static_cast<std::size_t>(slot)].nome});
    }
    return righe;
}

std::vector<Segnale> segnali(const std::vector<Cella>& celle) {
    std::vector<std::int64_t> posti;
    for (std::size_t c = 0; c < celle.size(); ++c)
        if (celle[c].tipo == tipo_cella::segnale) posti.push_back(static_cast<std::int64_t>(c));

    // The approach codes of a signal stand in the 2nd, 4th, 6th and 8th cell
    // before it; read in order of position, a later signal's codes replace
    // an earlier one's.  The cells whose code a signal wrote last show its
    // own value sx x 3 + dx, of which valore4 keeps only the units.
    std::map<std::int64_t, std::size_t> ultimo;  // mark cell -> index in posti
    for (std::size_t i = 0; i < posti.size(); ++i)
        for (std::int64_t k = 1; k <= 4; ++k) ultimo[posti[i] - 2 * k] = i;

    std::vector<Segnale> righe;
    for (std::size_t i = 0; i < posti.size(); ++i) {
        const Cella& x = celle[static_cast<std::size_t>(posti[i])];
        Segnale g;
        g.posizione = posizione_di_cella(posti[i]);
        std::int64_t tipi = resto(x.valore4, 10);
        std::int64_t rapp = quoziente(x.valore4, 10);
        auto concorda = [&](std::int64_t t) {
            for (std::int64_t k = 1; k <= 4; ++k) {
                const std::int64_t m = posti[i] - 2 * k;
                const Cella* c = cella_in(celle, m);
                const auto chi = ultimo.find(m);
                if (!c || chi == ultimo.end() || chi->second != i) continue;
                if (c->preavviso != static_cast<std::uint8_t>((t * 10 + k) & 0xFF)) return false;
            }
            return true;
        };
        for (std::int64_t passo = 0; passo < 26; ++passo) {
            if (concorda(tipi + 10 * passo)) {
                tipi += 10 * passo;
                rapp -= passo;
                break;
            }
        }
        g.rapp = static_cast<std::int32_t>(rapp);
        // The cell keeps a time only for a left-hand signal of type 2.
        if (x.tempo != 0 || (tipi >= 6 && tipi <= 8)) {
            g.sx = 2;
            g.dx = static_cast<std::int32_t>(tipi - 6);
        } else {
            g.sx = static_cast<std::int32_t>(quoziente(tipi, 3));
            g.dx = static_cast<std::int32_t>(resto(tipi, 3));
        }
        g.tempo = x.tempo;
        g.s1 = static_cast<std::int32_t>(quoziente(x.valore1, 10));
        g.d1 = static_cast<std::int32_t>(resto(x.valore1, 10));
        g.s2 = static_cast<std::int32_t>(quoziente(x.valore2, 10));
        g.d2 = static_cast<std::int32_t>(resto(x.valore2, 10));
        g.s3 = static_cast<std::int32_t>(quoziente(x.valore3, 10));
        g.d3 = static_cast<std::int32_t>(resto(x.valore3, 10));
        righe.push_back(g);
    }
    return righe;
}

std::vector<Rallentamento> rallentamenti(const std::vector<Cella>& celle) {
    std::vector<Rallentamento> righe;
    std::vector<bool> fine_presa(celle.size(), false);
    for (std::size_t s = 0; s < celle.size(); ++s) {
        const Cella& inizio = celle[s];
        if (inizio.tipo != tipo_cella::inizio_rallentamento) continue;
        const auto i = static_cast<std::int64_t>(s);
        Rallentamento r;
        r.x = posizione_di_cella(i);
        r.v = inizio.valore1;
        r.d_v = inizio.valore2;
        r.f_tt = inizio.valore3;
        // The end: the first end cell after the start with the same values.
        // Without one the restriction ends on its own start cell (the end
        // cell is written first and the start over it).
        r.l = 0;
        for (std::size_t e = s + 1; e < celle.size(); ++e) {
            const Cella& c = celle[e];
            if (c.tipo == tipo_cella::fine_rallentamento && !fine_presa[e] && c.valore1 == inizio.valore1 &&
                c.valore2 == inizio.valore2 && c.valore3 == inizio.valore3) {
                fine_presa[e] = true;
                r.l = static_cast<std::int32_t>((static_cast<std::int64_t>(e) - i) * 50);
                break;
            }
        }
        // The four approach markers stand just before the warning board,
        // 25 to 28 cells before the start.
        for (std::int64_t k = 25; k <= 28; ++k)
            if (tipo_in(celle, i - k) == tipo_cella::preavviso_rallentamento) r.f_ta = 1;
        righe.push_back(r);
    }
    return righe;
}

}  // namespace compattatore::decompilazione
