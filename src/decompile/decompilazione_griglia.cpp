// The grid: the three profiles, the montagna stretches and the elements
// placed one per cell (boards, signs, signals, restrictions).
#include <algorithm>
#include <map>

#include "decompile/decompilazione_analisi.h"
#include "tables/arrotonda.h"
#include "tables/celle.h"
#include "tables/costanti_formato.h"

namespace compattatore::decompilazione {

namespace {

std::int64_t ultima_cella(const std::vector<Cella>& celle) { return static_cast<std::int64_t>(celle.size()) - 1; }

const Cella* cella_in(const std::vector<Cella>& celle, std::int64_t i) {
    return i >= 0 && i <= ultima_cella(celle) ? &celle[static_cast<std::size_t>(i)] : nullptr;
}

// --- montagna ---------------------------------------------------------------

// A stretch of cells of one montagna kind, with or without the free marks.
// `deciso` is false when the grid cannot tell whether it asked for marks.
// The stretch as read may run on to cell `fine_campo`, under the stretch
// after it, which rewrote the kind there but left its marks.  A hidden
// stretch shows no cell of its kind, only marks.
struct Tratto {
    std::int64_t prima, ultima;
    std::uint8_t tipo;
    bool segni;
    bool deciso;
    std::int64_t fine_campo = -1;
    bool nascosto = false;
};

// The marks of a stretch fall on its 4th, 8th, 12th ... cell, on the cells
// that were still empty when it was read.
bool posto_segno(std::int64_t prima, std::int64_t c) { return (c - prima + 1) % 4 == 0; }

// Splits the run of cells [a, b] of one kind into stretches whose marks
// explain the grid: every mark on a mark place of a stretch with marks, no
// mark place of such a stretch left empty.  Each stretch is made as long as
// it can be; the next one starts where its first mark tells.  The cells of
// `altrui` (indexed from a) hold marks already explained, and count as taken.
// False when a mark is left that no stretch of the run explains.
bool tratti_della_corsa(const std::vector<Cella>& celle, std::int64_t a, std::int64_t b, std::uint8_t tipo,
                        Tratto* precedente, const std::vector<bool>& altrui, std::vector<Tratto>& tratti) {
    // Marks at the start of the run off its own places may be those of the
    // stretch before, read over this one's first cells: that stretch then
    // runs on to the last of them, and they count here as taken cells.
    std::int64_t spiegati_fino = a - 1;
    std::int64_t prima_precedente = 0;
    if (precedente && precedente->ultima == a - 1 && precedente->segni) {
        prima_precedente = precedente->prima;
        for (std::int64_t c = a; c <= b; ++c) {
            if (!posto_segno(prima_precedente, c)) continue;
            const TipoCella t = celle[static_cast<std::size_t>(c)].tipo;
            if (t == TipoCella::vuota) break;
            if (t == TipoCella::segno_montagna && !posto_segno(a, c)) spiegati_fino = c;
        }
        if (spiegati_fino >= a) precedente->fine_campo = spiegati_fino;
    }
    auto tipo_di = [&](std::int64_t c) -> TipoCella {
        const TipoCella t = celle[static_cast<std::size_t>(c)].tipo;
        const bool spiegato = altrui[static_cast<std::size_t>(c - a)] ||
                              (c <= spiegati_fino && t == TipoCella::segno_montagna && posto_segno(prima_precedente, c));
        return spiegato ? TipoCella::segnale : t;  // any element that is not a mark
    };

    std::int64_t s = a;
    while (s <= b) {
        // How far a stretch from s reaches with marks, and without.
        std::int64_t guasto_con = b + 1, guasto_senza = b + 1;
        bool un_segno = false, un_vuoto = false;
        for (std::int64_t c = s; c <= b; ++c) {
            const TipoCella t = tipo_di(c);
            const bool posto = posto_segno(s, c);
            if (t == TipoCella::segno_montagna) {
                if (guasto_senza > b) guasto_senza = c;
                if (posto) un_segno = true;
                if (!posto && guasto_con > b) guasto_con = c;
            } else if (t == TipoCella::vuota && posto) {
                if (guasto_con > b) guasto_con = c;
                un_vuoto = true;
            }
            if (guasto_con <= b && guasto_senza <= b) break;
        }
        if (guasto_con > b && guasto_senza > b) {
            // No mark at all, and no empty mark place: the grid cannot tell.
            tratti.push_back({s, b, tipo, false, un_vuoto});
            return true;
        }
        if (guasto_con > b) {
            tratti.push_back({s, b, tipo, true, true});
            return true;
        }
        if (guasto_senza > b) {
            tratti.push_back({s, b, tipo, false, true});
            return true;
        }
        const bool segni = guasto_con > guasto_senza || (guasto_con == guasto_senza && un_segno);
        const std::int64_t guasto = segni ? guasto_con : guasto_senza;
        std::int64_t prossimo;
        if (tipo_di(guasto) == TipoCella::segno_montagna) {
            // A mark off this stretch's places: the next stretch starts three
            // cells before it, so that it is that stretch's first mark.
            prossimo = guasto - 3;
        } else {
            // An empty mark place: the stretch with marks ends before it, and
            // the next one starts where its own first mark, further on, puts
            // its start, or at the empty place itself.
            prossimo = guasto;
            for (std::int64_t m = guasto + 1; m <= b; ++m) {
                if (tipo_di(m) != TipoCella::segno_montagna) continue;
                const std::int64_t t = m - 3 - 4 * ((std::max<std::int64_t>(m - 3 - guasto, 0) + 3) / 4);
                if (t > s) prossimo = t;
                break;
            }
        }
        if (prossimo <= s) {
            // Nothing explains this cell; the stretch goes on over it.
            tratti.push_back({s, b, tipo, segni, true});
            return false;
        }
        tratti.push_back({s, prossimo - 1, tipo, segni, true});
        s = prossimo;
    }
    return true;
}

// The run [a, b] as the rest of an earlier stretch of the same kind with
// marks, cut by the stretches read after it over the cells in between: the
// marks of the run and of the cells in between stand on that stretch's
// places, and none of its places there is empty.  The stretch then runs on
// to b.
bool prosegue(const std::vector<Cella>& celle, std::int64_t a, std::int64_t b, std::uint8_t tipo,
              std::vector<Tratto>& tratti) {
    auto t = [&celle](std::int64_t c) { return celle[static_cast<std::size_t>(c)].tipo; };
    for (auto i = tratti.rbegin(); i != tratti.rend(); ++i) {
        if ((i->tipo != tipo && !i->nascosto) || !i->segni) continue;
        const std::int64_t da = std::max(i->ultima, i->fine_campo) + 1;
        bool spiega = true;
        for (std::int64_t c = da; c <= b && spiega; ++c) {
            const bool posto = posto_segno(i->prima, c);
            if (posto && t(c) == TipoCella::vuota) spiega = false;
            if (!posto && c >= a && t(c) == TipoCella::segno_montagna) spiega = false;
        }
        if (!spiega) return false;
        // A hidden stretch comes out from under the run that hid it.
        i->fine_campo = b;
        i->tipo = tipo;
        i->nascosto = false;
        return true;
    }
    return false;
}

// The run [a, b] read over stretches before it, whose kind it rewrote but
// whose marks stay.  The marks of one phase (cell number modulo 4) are the
// run's own; each group of another phase, four cells apart with no empty
// place between, is a hidden stretch ending at its last mark, read first.
// The phase of the run's first stretch is tried first, then the others.
// False when no phase explains the run so.
bool tratti_nascosti(const std::vector<Cella>& celle, std::int64_t a, std::int64_t b, std::uint8_t tipo,
                     Tratto* precedente, std::vector<Tratto>& tratti) {
    auto t = [&celle](std::int64_t c) { return celle[static_cast<std::size_t>(c)].tipo; };
    for (std::int64_t k = 0; k < 4; ++k) {
        const std::int64_t fase = (a + 3 + k) % 4;
        std::vector<Tratto> nascosti;
        std::vector<bool> altrui(static_cast<std::size_t>(b - a + 1), false);
        bool possibile = true;
        for (std::int64_t c = a; c <= b && possibile; ++c) {
            if (t(c) != TipoCella::segno_montagna || c % 4 == fase || altrui[static_cast<std::size_t>(c - a)]) continue;
            std::int64_t ultimo = c;
            for (std::int64_t m = c; m <= b && t(m) != TipoCella::vuota; m += 4) {
                if (t(m) != TipoCella::segno_montagna) continue;
                altrui[static_cast<std::size_t>(m - a)] = true;
                ultimo = m;
            }
            possibile = c - 3 >= a;
            nascosti.push_back({c - 3, ultimo, tipo, true, true, -1, true});
        }
        if (!possibile || nascosti.empty()) continue;
        std::vector<Tratto> propri;
        Tratto copia_precedente = precedente ? *precedente : Tratto{};
        if (!tratti_della_corsa(celle, a, b, tipo, precedente ? &copia_precedente : nullptr, altrui, propri)) continue;
        if (precedente) *precedente = copia_precedente;
        tratti.insert(tratti.end(), nascosti.begin(), nascosti.end());
        tratti.insert(tratti.end(), propri.begin(), propri.end());
        return true;
    }
    return false;
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
        if (c == 0 || byte(c) != byte(c - 1)) righe.push_back({static_cast<std::int32_t>(c * lunghezza_cella), valore(byte(c))});
    if (coda == 0 && scritte == 0) righe.push_back({0, valore(0)});
    for (std::int64_t c = coda; c < scritte; ++c)
        righe.push_back({static_cast<std::int32_t>(coda * lunghezza_cella), valore(byte(c))});
    return righe;
}

std::vector<Montagna> montagne(const std::vector<Cella>& celle) {
    std::vector<Tratto> tratti;
    const std::int64_t n = ultima_cella(celle);
    for (std::int64_t c = 0; c <= n;) {
        const std::uint8_t tipo = celle[static_cast<std::size_t>(c)].montagna;
        std::int64_t fine = c;
        while (fine + 1 <= n && celle[static_cast<std::size_t>(fine + 1)].montagna == tipo) ++fine;
        if (tipo != 0) {
            Tratto* precedente = tratti.empty() ? nullptr : &tratti.back();
            const Tratto salvato = precedente ? *precedente : Tratto{};
            const std::vector<bool> nessuno(static_cast<std::size_t>(fine - c + 1), false);
            std::vector<Tratto> propri;
            if (!tratti_della_corsa(celle, c, fine, tipo, precedente, nessuno, propri)) {
                // Marks no stretch of the run explains: stretches hidden under
                // it may, read from the stretch before as it was.
                const Tratto dopo = precedente ? *precedente : Tratto{};
                if (precedente) *precedente = salvato;
                std::vector<Tratto> nascosti;
                if (tratti_nascosti(celle, c, fine, tipo, precedente, nascosti))
                    propri = std::move(nascosti);
                else if (prosegue(celle, c, fine, tipo, tratti))
                    propri.clear();
                else if (precedente)
                    *precedente = dopo;
            }
            tratti.insert(tratti.end(), propri.begin(), propri.end());
        }
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
        std::int64_t inizio = t.prima * lunghezza_cella;
        const std::int64_t fine = (std::max(t.ultima, t.fine_campo) + 1) * lunghezza_cella;
        // A stretch that starts 150 m or less after the end of the one read
        // before it is stored as kind 3.  Another kind there needs the two
        // ends as far apart as their cells allow (a start up to 25 m after
        // its cell's metre, an end up to 25 m before), or else a record in
        // between that ends further back and covers no cell.
        if (!righe.empty() && inizio - fine_precedente <= 150 && t.tipo != 3) {
            const std::int64_t inizio_tardo = inizio + (t.prima % 2 == 0 ? 25 : 24);
            const std::int64_t ultima_precedente = fine_precedente / lunghezza_cella - 1;
            const std::int64_t fine_presto = fine_precedente - (ultima_precedente % 2 == 0 ? 25 : 24);
            if (inizio_tardo - fine_presto > 150) {
                righe.back().fine = static_cast<std::int32_t>(fine_presto);
                inizio = inizio_tardo;
            } else {
                const auto vuoto = static_cast<std::int32_t>(inizio - 200);
                righe.push_back({vuoto, vuoto, 0});
            }
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
        if (x.tipo != TipoCella::indicatore_v_max) continue;
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

std::vector<Cartello> cartelli(const std::vector<Cella>& celle, const Voci& voci, const RipartizioneVoci& r) {
    std::vector<Cartello> righe;
    if (r.primo_cartello > static_cast<int>(ultimo_cartello)) return righe;
    std::map<int, std::int64_t> cella_del_testo;
    std::vector<std::int64_t> fermate;
    for (std::size_t c = 0; c < celle.size(); ++c) {
        const Cella& x = celle[c];
        if (x.tipo == TipoCella::cartello) cella_del_testo.try_emplace(x.valore1, static_cast<std::int64_t>(c));
        if (x.tipo == TipoCella::fermata) fermate.push_back(static_cast<std::int64_t>(c));
    }
    std::size_t prossima_fermata = 0;
    for (int slot = static_cast<int>(ultimo_cartello); slot >= r.primo_cartello; --slot) {
        std::int64_t cella = 0;
        if (auto i = cella_del_testo.find(slot); i != cella_del_testo.end()) {
            cella = i->second;
        } else if (prossima_fermata < fermate.size()) {
            cella = fermate[prossima_fermata++];
        } else {
            // No cell can hide it: the sign shows on the first empty cell.
            for (std::size_t c = 2; c < celle.size(); ++c) {
                if (celle[c].tipo == TipoCella::vuota) {
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
        if (celle[c].tipo == TipoCella::segnale) posti.push_back(static_cast<std::int64_t>(c));

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
    struct Trovato {
        std::int64_t inizio, fine;
        std::int64_t marcatori = 0;  // the cell of marker 1, 0 without markers
        Rallentamento r;
    };
    // Paired as the placement writes them, where restrictions overlap too.
    std::vector<Trovato> trovati;
    for (const RallentamentoCompilato& c : rallentamenti_compilati(celle, Appaiamento::come_scritti)) {
        Trovato t{c.cella_inizio, c.cella_fine, 0, {}};
        t.r.v = c.velocita;
        t.r.d_v = c.seconda_velocita;
        t.r.f_tt = c.valore3;
        trovati.push_back(t);
    }

    // The four approach markers stand just before the warning board,
    // numbered 1 to 4 from it (in valore2 too with a second speed); they
    // start 25 cells before the start, or 24 or 26 when the start is off the
    // 50-metre raster, as the two cells round apart.  A group of markers
    // belongs to one restriction: first to those it stands 25 cells before.
    std::vector<bool> gruppo_preso(celle.size(), false);
    auto marcatori_a = [&](const Trovato& t, std::int64_t distanza) {
        const std::int64_t primo = t.inizio - distanza;
        if (primo < 0 || gruppo_preso[static_cast<std::size_t>(primo)]) return false;
        for (std::int64_t k = 0; k < 4; ++k) {
            const Cella* m = cella_in(celle, primo - k);
            if (!m || m->tipo != TipoCella::preavviso_rallentamento || m->valore1 != k + 1 ||
                m->valore2 != (t.r.d_v != 0 ? k + 1 : 0))
                return false;
        }
        return true;
    };
    for (const std::vector<std::int64_t>& distanze : {std::vector<std::int64_t>{25}, std::vector<std::int64_t>{24, 26}}) {
        for (Trovato& t : trovati) {
            if (t.marcatori != 0) continue;
            for (std::int64_t distanza : distanze) {
                if (!marcatori_a(t, distanza)) continue;
                t.marcatori = t.inizio - distanza;
                gruppo_preso[static_cast<std::size_t>(t.marcatori)] = true;
                break;
            }
        }
    }

    std::vector<Rallentamento> righe;
    for (Trovato& t : trovati) {
        Rallentamento& r = t.r;
        const Cella* avviso = cella_in(celle, t.inizio - 24);
        const bool con_avviso = avviso && avviso->tipo == TipoCella::avviso_rallentamento &&
                                avviso->valore1 == r.v && avviso->valore2 == r.d_v;
        // The start: the metre of its cell, or the nearest one around it that
        // puts the board and the markers where they are.
        const std::int64_t metro = posizione_di_cella(t.inizio);
        r.x = static_cast<std::int32_t>(metro);
        bool trovato = false;
        for (std::int64_t scarto = 0; scarto <= 25 && !trovato; ++scarto) {
            for (std::int64_t x : {metro + scarto, metro - scarto}) {
                const bool ha_avviso = x > 1500;
                const std::int64_t k = arrotonda(static_cast<double>(x - 1200) / lunghezza_cella);
                if (cella_di(x) != t.inizio || ha_avviso != con_avviso ||
                    (t.marcatori != 0 && (!ha_avviso || k != t.marcatori)))
                    continue;
                r.x = static_cast<std::int32_t>(x);
                trovato = true;
                break;
            }
        }
        r.f_ta = t.marcatori != 0 ? 1 : 0;
        // The end's metre: x + l on the end cell's own metre.
        r.l = t.fine == t.inizio ? 0 : static_cast<std::int32_t>(posizione_di_cella(t.fine) - r.x);
        righe.push_back(r);
    }
    return righe;
}

}  // namespace compattatore::decompilazione
