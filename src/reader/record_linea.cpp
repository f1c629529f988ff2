// The records of the line file after its general section, and the
// completion of the line phase.
#include <string>
#include <utility>

#include "placement/posa.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "reader/piano_linea.h"
#include "reader/profili.h"
#include "tables/arrotonda.h"

namespace compattatore::lettore {

namespace {

Esito montagna(Lettura& l) {
    const std::int32_t inizio = l.f().leggi_32();
    const std::int32_t fine = l.f().leggi_32();
    const std::int32_t tipo = l.f().leggi_32();
    if (oltre_griglia(l, inizio)) return Esito::fine_file;
    return dopo_posa(l, memo_montagna(l.s.celle, l.montagne, inizio, fine, tipo), inizio);
}

Esito indicatori_v_max(Lettura& l) {
    LettoreCampi& f = l.f();
    const std::int32_t posizione = f.leggi_32();
    const std::int32_t vas = f.leggi_32();
    const std::int32_t vbs = f.leggi_32();
    const std::int32_t vcs = f.leggi_32();
    const std::int32_t strisces = f.leggi_32();
    const std::int32_t vad = f.leggi_32();
    const std::int32_t vbd = f.leggi_32();
    const std::int32_t vcd = f.leggi_32();
    const std::int32_t strisced = f.leggi_32();
    if (oltre_griglia(l, posizione)) return Esito::fine_file;
    return dopo_posa(l, memo_indicatori_v_max(l.s.celle, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced),
                     posizione);
}

// A text sign: its cell takes kind 14 and the voci slot of its text; the
// slots are taken from 80 downwards.
Esito cartello(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    std::string testo = l.f().leggi_stringa();
    if (oltre_griglia(l, p)) return Esito::fine_file;
    Cella& c = cella(l, cella_di(p));
    if (!cella_libera(c)) return ferma(l, Codice::cartello_su_cella_occupata, p);
    // The next sign slot must stay above entry 0 and above the stations' slots.
    const std::int32_t prossimo = l.slot_testo - 1;
    if (prossimo < 1 || prossimo < l.slot_stazione) throw GuastoImprevisto("nessun posto per il testo");
    testo = testo_di_voce(std::move(testo));
    c.tipo = tipo_cella::cartello;
    c.valore1 = static_cast<std::int16_t>(l.slot_testo);
    l.s.voci[static_cast<std::size_t>(l.slot_testo)].nome = std::move(testo);
    --l.slot_testo;
    return Esito::avanti;
}

// The tests of one record, in their fixed order; they are not exclusive.
Esito applica_chiavi(Lettura& l, const std::string& chiave) {
    if (contiene_ci(chiave, "pendenza")) {
        if (Esito e = pendenza(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "curva") && l.d.compila_linea) {
        if (Esito e = curva(l, chiave); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "montagna")) {
        if (Esito e = montagna(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "indicatori_v")) {
        if (Esito e = indicatori_v_max(l); e != Esito::avanti) return e;
    }
    if (contiene_ci(chiave, "indicat") && contiene_ci(chiave, "cartello")) {
        if (Esito e = cartello(l); e != Esito::avanti) return e;
    }
    return Esito::avanti;
}

}  // namespace

Esito record_linea(Lettura& l) {
    std::string chiave;
    while (leggi_chiave(l, chiave)) {
        const Esito e = applica_chiavi(l, chiave);
        if (e == Esito::fermo) return e;
        if (e == Esito::fine_file) break;
    }

    // Completion, also after a record beyond the grid.
    chiudi(l);
    coda_pendenza(l);
    if (l.d.compila_linea) coda_piano(l);
    return Esito::avanti;
}

}  // namespace compattatore::lettore
