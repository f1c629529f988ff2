// The train file: general train values, the speed and adhesion profiles,
// signals, restrictions, code cuts and stations; then the completion of the
// train phase and the check of the kilometre references.
#include <string>

#include "placement/posa.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "reader/profili.h"
#include "tables/arrotonda.h"
#include "tables/nomi_file.h"

namespace compattatore::lettore {

namespace {

Esito segnale(Lettura& l) {
    LettoreCampi& f = l.f();
    const std::int32_t posizione = f.leggi_32();
    const std::int32_t sx = f.leggi_32();
    const std::int32_t s1 = f.leggi_32();
    const std::int32_t s2 = f.leggi_32();
    const std::int32_t s3 = f.leggi_32();
    const std::int32_t rapp = f.leggi_32();
    const std::int32_t dx = f.leggi_32();
    const std::int32_t d1 = f.leggi_32();
    const std::int32_t d2 = f.leggi_32();
    const std::int32_t d3 = f.leggi_32();
    const std::int32_t tempo = f.leggi_32();
    if (oltre_griglia(l, posizione)) return Esito::fine_file;
    // Any code standing now ends the phase, a code 15 left by the line phase too.
    return dopo_posa(l, memo_segnale(l.s.celle, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo), posizione);
}

Esito rallentamento(Lettura& l) {
    LettoreCampi& f = l.f();
    const std::int32_t x = f.leggi_32();
    const std::int32_t v = f.leggi_32();
    const std::int32_t lunghezza = f.leggi_32();
    const std::int32_t f_tt = f.leggi_32();
    const std::int32_t f_ta = f.leggi_32();
    const std::int32_t d_v = f.leggi_32();
    if (oltre_griglia(l, x)) return Esito::fine_file;
    return dopo_posa(l, memo_rallentamento(l.s.celle, x, v, lunghezza, f_tt, f_ta, d_v), x);
}

// A code cut sits one cell before a signal at the same position: p / 50.
Esito abbattimento(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t codice = l.f().leggi_32();
    if (oltre_griglia(l, p)) return Esito::fine_file;
    Cella& c = cella(l, arrotonda(static_cast<double>(p) / 50.0));
    if (!cella_libera(c)) return ferma(l, Codice::abbattimento_su_cella_occupata, p);
    if (codice > 0) {
        c.tipo = tipo_cella::codice;
        c.valore1 = in_16(codice);
    } else {
        c.tipo = tipo_cella::abbattimento;
    }
    return Esito::avanti;
}

// The tests of one record, in their fixed order; they are not exclusive.
Esito applica_chiavi(Lettura& l, const std::string& chiave) {
    const VistaIntestazione h{l.s.voci};
    LettoreCampi& f = l.f();
    if (contiene_ci(chiave, "frenata") && contiene_ci(chiave, "massa")) h.massa_frenata() = f.leggi_32();
    if (contiene_ci(chiave, "vetture")) h.vetture() = f.leggi_32();
    if (contiene_ci(chiave, "velocit")) {
        if (Esito e = velocita(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "aderenza")) {
        if (Esito e = aderenza(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "orologio")) {
        h.ore() = f.leggi_16();
        h.minuti() = f.leggi_16();
        h.secondi() = f.leggi_16();
    }
    if (contiene_ci(chiave, "sabbia")) h.sabbia() = f.leggi_16();
    if (contiene_ci(chiave, "segnale")) {
        if (Esito e = segnale(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "rallentamento")) {
        if (Esito e = rallentamento(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "abbattimento")) {
        if (Esito e = abbattimento(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "stazione")) {
        if (Esito e = stazione(l); e != Esito::avanti) return e;
    }
    return Esito::avanti;
}

// Start and offset of every kilometre reference, as ordered, lie on the
// 50-metre raster; code 2 otherwise.
void controlla_progressive(Lettura& l) {
    bool fuori_passo = false;
    for (std::size_t i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
        const Voce& v = l.s.voci[i];
        if (v.inizio % 50 != 0 || v.fine % 50 != 0) fuori_passo = true;
    }
    if (fuori_passo) registra_codice(l, Codice::progressiva_fuori_passo);
}

}  // namespace

Esito record_treno(Lettura& l) {
    l.esito.letto_treno = true;
    if (!l.d.treno) throw GuastoImprevisto("manca il file del treno");
    apri(l, nome_treno_txt(l.s.nome_linea, l.s.nome_treno), *l.d.treno);
    LettoreCampi& f = l.f();
    // Without "[generale]" the search takes the whole text and no record is read.
    std::string chiave;
    while (!f.fine()) {
        chiave = f.leggi_stringa();
        if (contiene_ci(chiave, "[generale]")) break;
    }

    while (leggi_chiave(l, chiave)) {
        const Esito e = applica_chiavi(l, chiave);
        if (e == Esito::fermo) return e;
        if (e == Esito::fine_file) break;
    }

    // Completion, also after a record beyond the grid.
    chiudi(l);
    coda_velocita(l);
    coda_aderenza(l);
    controlla_progressive(l);
    return Esito::avanti;
}

}  // namespace compattatore::lettore
