// The entries: the general rows of both files, the kilometre references
// and the stations.
#include <algorithm>
#include <array>
#include <limits>

#include "decompile/decompilazione_analisi.h"
#include "placement/progressive.h"
#include "tables/chilometri.h"
#include "tables/costanti_formato.h"

namespace compattatore::decompilazione {

namespace {

constexpr std::int64_t minimo_32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t massimo_32 = std::numeric_limits<std::int32_t>::max();

std::int32_t in_32(std::int64_t v) { return static_cast<std::int32_t>(std::clamp(v, minimo_32, massimo_32)); }

// The nearest multiple of `passo`.
std::int64_t multiplo_vicino(std::int64_t v, std::int64_t passo) {
    return quoziente(v + passo / 2, passo) * passo;
}

constexpr auto voce_tre = static_cast<int>(voce_progressiva_tre);  // 81, 82, 83: "tre", "due", "uno"

// The kilometre-reference rows whose ordering gives entries 81 to 83.  The
// ordering moves whole references and adds 100 to the value of a falling
// one, so the rows are the entries, less the 100, in one of six orders.
void progressive_da_voci(const Voci& voci, Linea& linea) {
    std::array<Progressiva, 3> fonti;
    for (int k = 0; k < 3; ++k) {
        const Voce& v = voci[static_cast<std::size_t>(voce_tre + k)];
        const std::int64_t valore = valore_progressiva(v);
        fonti[static_cast<std::size_t>(k)] = {v.inizio, in_32(valore), v.posizione};
    }
    std::array<int, 3> ordine = {0, 1, 2};
    std::array<int, 3> scelto = ordine;
    do {
        Voci prova{};
        for (int k = 0; k < 3; ++k) {
            const Progressiva& p = fonti[static_cast<std::size_t>(ordine[static_cast<std::size_t>(k)])];
            Voce& v = prova[static_cast<std::size_t>(voce_tre + k)];
            v.inizio = p.inizio;
            v.fine = p.valore;
            v.posizione = p.verso;
        }
        progressive_ordina(prova);
        bool uguali = true;
        for (int k = 0; k < 3; ++k) {
            const Voce& a = prova[static_cast<std::size_t>(voce_tre + k)];
            const Voce& b = voci[static_cast<std::size_t>(voce_tre + k)];
            uguali = uguali && a.inizio == b.inizio && a.fine == b.fine && a.posizione == b.posizione;
        }
        if (uguali) {
            scelto = ordine;
            break;
        }
    } while (std::next_permutation(ordine.begin(), ordine.end()));

    // Entry 81 takes the row "tre", 82 "due", 83 "uno"; an all-zero row is
    // the same as no row.
    std::optional<Progressiva>* righe[3] = {&linea.tre, &linea.due, &linea.uno};
    for (int k = 0; k < 3; ++k) {
        const Progressiva& p = fonti[static_cast<std::size_t>(scelto[static_cast<std::size_t>(k)])];
        if (p.inizio != 0 || p.valore != 0 || p.verso != 0) *righe[k] = p;
    }
}

}  // namespace

void generale_da_voci(const Voci& voci, Linea& linea, Treno& treno) {
    const Voce& percorso = voci[voce_percorso];
    const Voce& l = voci[voce_linea];
    const Voce& t = voci[voce_treno];
    linea.lunghezza = percorso.fine;
    progressive_da_voci(voci, linea);
    linea.sfondo_uno = l.inizio;
    linea.sfondo_due = l.posizione;
    linea.sfondo_tre = l.fine;
    if (t.inizio != 0 || t.fine != 0 || t.posizione != 0) {
        // A start or end off the 50-metre raster stops the reader: the row
        // takes the nearest one.
        Ripetizione r;
        r.inizio = in_32(multiplo_vicino(t.inizio, lunghezza_cella));
        r.fine = in_32(multiplo_vicino(t.fine, lunghezza_cella));
        r.codici = t.posizione == 4 ? 4 : 9;
        linea.ripetizione = r;
    }

    treno.massa_frenata = percorso.inizio;
    treno.vetture = percorso.posizione;
    treno.sabbia = t.intero1;
    treno.ore = t.intero3;
    treno.minuti = t.intero4;
    treno.secondi = t.intero5;
}

std::vector<Stazione> stazioni_da_voci(const Voci& voci, int numero_stazioni) {
    std::vector<Stazione> stazioni;
    for (int i = 1; i <= numero_stazioni; ++i) {
        const Voce& v = voci[static_cast<std::size_t>(i)];
        Stazione s;
        // A position off the raster, or a length that is not a multiple of
        // 100, stops the reader: the row takes the nearest valid one.
        const std::int64_t p = multiplo_vicino(v.posizione, lunghezza_cella);
        s.posizione = in_32(p);
        s.tipo = v.tipo;
        std::int64_t lunghezza = 0;
        std::int32_t prolungata = 0;
        if (regola_stazione(v.tipo) != RegolaStazione::centrata) {
            lunghezza = p - v.inizio;
        } else {
            lunghezza = 2 * (p - v.inizio);
            // Field 6 moves the end 50 m further; the first station keeps
            // the 50 m but not the flag.
            prolungata = i == 1 ? (std::int64_t{v.fine} - (p + lunghezza / 2) == lunghezza_cella ? 1 : 0) : v.byte4;
        }
        lunghezza = multiplo_vicino(lunghezza, 100);
        s.lunghezza = in_32(lunghezza);
        // Field 5 is cleared for the first station and below 600 m.
        const std::int32_t quinto = i > 1 && lunghezza >= 600 ? v.byte5 : 0;
        s.flag = {v.byte1, quinto, prolungata};
        s.gruppo_a = {v.intero1, v.intero2, v.byte2};
        s.gruppo_b = {v.intero3, v.intero4, v.intero5};
        s.fermata = v.byte3;
        if (v.orario >= 0) {
            s.ore = v.orario / 3600;
            s.minuti = v.orario / 60 % 60;
            s.secondi = v.orario % 60;
        } else {
            s.secondi = v.orario;
        }
        s.nome = v.nome;
        stazioni.push_back(std::move(s));
    }
    return stazioni;
}

}  // namespace compattatore::decompilazione
