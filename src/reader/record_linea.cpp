// The records of the line file after its general section, and the
// completion of the line phase.
#include <string>
#include <utility>

#include "placement/posa.h"
#include "reader/avvisi.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "reader/piano_linea.h"
#include "reader/profili.h"
#include "tables/celle.h"

namespace compattatore::lettore {

namespace {

Esito montagna(Lettura& l) {
    const std::int32_t inizio = l.f().leggi_32();
    const std::int32_t fine = l.f().leggi_32();
    const std::int32_t tipo = l.f().leggi_32();
    if (Esito e = dentro_griglia(l, inizio); e != Esito::avanti) return e;
    posizione_negativa(l, inizio);
    lunghezza_negativa(l, static_cast<std::int64_t>(fine) - inizio, 2, "montagna con la fine prima dell'inizio");
    if (inizio <= VistaIntestazione{l.s.voci}.lunghezza_linea()) oltre_fine_linea(l, fine, 2, "montagna che finisce");
    tratto_successivo(l, l.ricordi.montagna, inizio, fine, nome_corrente(l), Avviso::montagne_sovrapposte,
                      "una montagna vicina alla precedente meno di 150 m è memorizzata con tipo 3");
    // Above 10 the kind is the value less 10: the message says both.
    troncato(l, tipo > 10 ? static_cast<std::int64_t>(tipo) - 10 : tipo, 0, 255, 3,
             tipo > 10 ? "tipo di montagna " + std::to_string(tipo) + " meno 10, cioè" : std::string("tipo di montagna"));
    if (l.montagne.numero >= massimo_montagne)
        throw GuastoImprevisto("tabella delle montagne piena", 0, false, {"un file della linea ha al più " + std::to_string(massimo_montagne) + " montagne"});
    return dopo_posa(l, memo_montagna(l.s.celle, l.montagne, inizio, fine, tipo), inizio, 0);
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
    if (Esito e = dentro_griglia(l, posizione); e != Esito::avanti) return e;
    posizione_negativa(l, posizione);
    int campo = 2;
    for (const std::int32_t v : {vas, vbs, vcs, strisces, vad, vbd, vcd}) {
        if (campo != 5 && v > velocita_massima_rete && v <= 1635) {
            velocita_plausibile(l, v, campo);
            break;
        }
        ++campo;
    }
    campo = 2;
    for (const std::int32_t v : {vas, vbs, vcs}) multiplo_di_5(l, v, campo++);
    campo = 6;
    for (const std::int32_t v : {vad, vbd, vcd}) multiplo_di_5(l, v, campo++);
    annuncio(l, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
    tabella_in_vigore(l, posizione, strisces == 0 || ((vad != 0 || vbd != 0 || vcd != 0) && strisced == 0));
    const std::int64_t c = cella_di(posizione);
    const Codice esito = memo_indicatori_v_max(l.s.celle, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
    if (esito == Codice::guasto)
        throw GuastoImprevisto("velocità del cartello oltre il campo della cella", 2, false,
                               {"ogni velocità va da 0 a 1635 km/h"});
    if (esito == Codice::nessuno) segna_provenienza(l, c);
    return dopo_posa(l, esito, posizione, c);
}

// A text sign: its cell takes kind 14 and the voci slot of its text; the
// slots are taken from 80 downwards.
Esito cartello(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    std::string testo = l.f().leggi_stringa();
    testo_letto(l, testo, 2, "il testo del cartello");
    if (Esito e = dentro_griglia(l, p); e != Esito::avanti) return e;
    posizione_negativa(l, p);
    const std::int64_t i = cella_di(p);
    Cella& c = cella(l, i);
    if (!cella_libera(c))
        return ferma(l, Codice::cartello_su_cella_occupata, p, 1,
                     {"la " + nome_cella(i) + " contiene già " + cosa_occupa(l, i)});
    // The next sign slot must stay above entry 0 and above the stations' slots.
    const std::int32_t prossimo = l.slot_testo - 1;
    if (prossimo < 1 || prossimo < l.slot_stazione)
        throw GuastoImprevisto("nessun posto per il testo del cartello", 0, false,
                               {"i testi dei cartelli e le stazioni occupano insieme al più 78 posti"});
    testo = testo_di_voce(std::move(testo), 2);
    c.tipo = TipoCella::cartello;
    c.valore1 = static_cast<std::int16_t>(l.slot_testo);
    segna_provenienza(l, i);
    l.s.voci[static_cast<std::size_t>(l.slot_testo)].nome = std::move(testo);
    --l.slot_testo;
    return Esito::avanti;
}

Esito gestisci(Lettura& l, const Record& r, const std::string& chiave) {
    switch (r.id) {
        case IdRecord::pendenza: return pendenza(l);
        case IdRecord::curva: return curva(l, chiave);
        case IdRecord::montagna: return montagna(l);
        case IdRecord::indicatori_vmax: return indicatori_v_max(l);
        case IdRecord::cartello_indicatore: return cartello(l);
        default: return Esito::avanti;
    }
}

// The tests of one record, in the format's order; they are not exclusive.
Esito applica_chiavi(Lettura& l, const std::string& chiave) {
    Riconoscimento r;
    if (Esito e = applica_records(l, Contesto::linea, chiave, r, [&](const Record& k) { return gestisci(l, k, chiave); });
        e != Esito::avanti)
        return e;
    if (r.riconosciuta)
        dopo_record(l);
    else if (r.ignorata)
        // Without the plan a curve is not read: its numbers pass as fields of their own.
        l.ricordi.riga_silenziata = l.record->riga;
    else
        campo_non_riconosciuto(l, chiave, Contesto::linea);
    return Esito::avanti;
}

}  // namespace

Esito record_linea(Lettura& l) {
    std::string chiave;
    while (leggi_chiave(l, chiave)) {
        const Esito e = passo_record(l, [&] { return applica_chiavi(l, chiave); });
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
