// The train file: general train values, the speed and adhesion profiles,
// signals, restrictions, code cuts and stations; then the completion of the
// train phase and the check of the kilometre references.
#include <string>

#include "placement/griglia.h"
#include "placement/posa.h"
#include "reader/avvisi.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "reader/profili.h"
#include "tables/arrotonda.h"
#include "tables/celle.h"
#include "tables/costanti_formato.h"

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
    if (Esito e = dentro_griglia(l, posizione); e != Esito::avanti) return e;
    posizione_negativa(l, posizione);
    if (sx != 2 && tempo != 0 && !solo_contato(l))
        avviso(l, Avviso::tempo_ignorato, "tempo " + std::to_string(tempo) + " su un segnale con tipo sinistro " +
                                        std::to_string(sx) + ": è ignorato",
               luogo_campo(l, 11), {"solo un segnale di tipo sinistro 2 porta il tempo"});
    troncato(l, (static_cast<std::int64_t>(sx) * 3 + dx) * 10 + 4, 0, 255, 2, "codice di preavviso del segnale");
    const std::int64_t c = cella_di(posizione);
    const Codice esito = memo_segnale(l.s.celle, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
    if (esito == Codice::guasto)
        throw GuastoImprevisto("valore del segnale oltre il campo della cella", -1, false,
                               {"i codici, combinati a due a due, vanno da -32768 a 32767; con tipo sinistro 2 il "
                                "tempo va da 0 a 255"});
    if (esito == Codice::nessuno) segna_provenienza(l, c);
    // Any code standing now ends the phase, a code 15 left by the line phase too.
    return dopo_posa(l, esito, posizione, c);
}

// Which cell refused a restriction, by the code of the refusal.
std::int64_t cella_rifiutata(const std::vector<Cella>& celle, const CelleRallentamento& r, Codice codice) {
    switch (codice) {
        case Codice::avviso_occupato: return r.avviso;
        case Codice::inizio_rallentamento_occupato: return r.inizio;
        case Codice::fine_rallentamento_occupata: return r.fine;
        case Codice::preavvisi_occupati:
            for (std::int64_t i = 0; i <= 3; ++i)
                if (occupata(celle, r.preavviso - i)) return r.preavviso - i;
            return r.preavviso;
        default: return r.inizio;
    }
}

Esito rallentamento(Lettura& l) {
    LettoreCampi& f = l.f();
    const std::int32_t x = f.leggi_32();
    const std::int32_t v = f.leggi_32();
    const std::int32_t lunghezza = f.leggi_32();
    const std::int32_t f_tt = f.leggi_32();
    const std::int32_t f_ta = f.leggi_32();
    const std::int32_t d_v = f.leggi_32();
    if (Esito e = dentro_griglia(l, x); e != Esito::avanti) return e;
    posizione_negativa(l, x);
    lunghezza_negativa(l, lunghezza, 3, "rallentamento di lunghezza negativa");
    if (x <= VistaIntestazione{l.s.voci}.lunghezza_linea())
        oltre_fine_linea(l, static_cast<std::int64_t>(x) + lunghezza, 3, "rallentamento che finisce");
    const CelleRallentamento celle = celle_rallentamento(x, lunghezza);
    if (celle.fine >= static_cast<std::int64_t>(l.s.celle.size()) && !solo_contato(l))
        avviso(l, Avviso::rallentamento_oltre_griglia,
               "il rallentamento finisce a " + std::to_string(static_cast<std::int64_t>(x) + lunghezza) +
                   " m, oltre la fine della griglia",
               luogo_campo(l, 3), {"la sua fine non è segnata: i codici dentro il rallentamento non trovano dove finire"});
    const Codice esito = memo_rallentamento(l.s.celle, x, v, lunghezza, f_tt, f_ta, d_v);
    if (esito == Codice::guasto)
        throw GuastoImprevisto("valore del rallentamento oltre il campo della cella", -1, false,
                               {"velocità, seconda velocità e valore delle celle vanno da -32768 a 32767"});
    if (esito == Codice::nessuno || esito == Codice::preavvisi_occupati) {
        const bool con_avviso = x > 1500;
        if (con_avviso) segna_provenienza(l, celle.avviso);
        segna_provenienza(l, celle.inizio);
        segna_provenienza(l, celle.fine);
        if (esito == Codice::nessuno && f_ta != 0 && con_avviso)
            for (std::int64_t i = 0; i <= 3; ++i) segna_provenienza(l, celle.preavviso - i);
    }
    return dopo_posa(l, esito, x, cella_rifiutata(l.s.celle, celle, esito));
}

// A code cut sits one cell before a signal at the same position: p / 50.
Esito abbattimento(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t codice = l.f().leggi_32();
    if (Esito e = dentro_griglia(l, p); e != Esito::avanti) return e;
    posizione_negativa(l, p);
    const std::int64_t i = arrotonda(static_cast<double>(p) / lunghezza_cella);
    Cella& c = cella(l, i);
    if (!cella_libera(c))
        return ferma(l, Codice::abbattimento_su_cella_occupata, p, 1,
                     {"la " + nome_cella(i) + " contiene già " + cosa_occupa(l, i)});
    if (codice > 0) {
        c.tipo = TipoCella::codice;
        c.valore1 = in_16(codice, 2);
    } else {
        c.tipo = TipoCella::abbattimento;
    }
    segna_provenienza(l, i);
    return Esito::avanti;
}

Esito gestisci(Lettura& l, const Record& r) {
    const VistaIntestazione h{l.s.voci};
    LettoreCampi& f = l.f();
    switch (r.id) {
        case IdRecord::massa_frenata:
            chiave_generale(l, r);
            h.massa_frenata() = f.leggi_32();
            return Esito::avanti;
        case IdRecord::numero_vetture:
            chiave_generale(l, r);
            h.vetture() = f.leggi_32();
            return Esito::avanti;
        case IdRecord::velocita: return velocita(l);
        case IdRecord::aderenza: return aderenza(l);
        case IdRecord::orologio:
            chiave_generale(l, r);
            h.ore() = f.leggi_16();
            h.minuti() = f.leggi_16();
            h.secondi() = f.leggi_16();
            orario(l, h.ore(), h.minuti(), h.secondi(), 1);
            return Esito::avanti;
        case IdRecord::sabbia:
            chiave_generale(l, r);
            h.sabbia() = f.leggi_16();
            return Esito::avanti;
        case IdRecord::segnale: return segnale(l);
        case IdRecord::rallentamento: return rallentamento(l);
        case IdRecord::abbattimento: return abbattimento(l);
        case IdRecord::stazione: return stazione(l);
        // The driver's documents' own records: read whole, into no compiled table.
        case IdRecord::numero_treno: numero_treno(l); return Esito::avanti;
        case IdRecord::categoria: categoria(l); return Esito::avanti;
        case IdRecord::recupero: recupero(l); return Esito::avanti;
        default: return Esito::avanti;
    }
}

// The tests of one record, in the format's order; they are not exclusive.
Esito applica_chiavi(Lettura& l, const std::string& chiave) {
    Riconoscimento r;
    if (Esito e = applica_records(l, Contesto::treno, chiave, r, [&](const Record& k) { return gestisci(l, k); });
        e != Esito::avanti)
        return e;
    if (r.riconosciuta)
        dopo_record(l);
    else
        campo_non_riconosciuto(l, chiave, Contesto::treno);
    return Esito::avanti;
}

// Start and offset of every kilometre reference, as ordered, lie on the
// 50-metre raster; code 2 otherwise, at the record of the first one that does not.
void controlla_progressive(Lettura& l) {
    for (std::size_t i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
        const Voce& v = l.s.voci[i];
        if (v.inizio % lunghezza_cella == 0 && v.fine % lunghezza_cella == 0) continue;
        const std::optional<CampiProgressiva>& dove = l.ricordi.progressive[i - voce_progressiva_tre];
        Luogo qui = !dove                 ? luogo_file(l.testi.nomi[0])
                    : v.inizio % lunghezza_cella != 0 ? luogo_del_record(l.testi, dove->inizio)
                                          : luogo_del_record(l.testi, dove->valore);
        registra_errore(l, Codice::progressiva_fuori_passo, std::nullopt, std::move(qui), {},
                        {"la posizione e lo scostamento di una progressiva vanno su multipli di " + std::to_string(lunghezza_cella) + " m"});
        return;
    }
}

// Runs one completion step; an unexpected failure in it is code 25.
template <class Passo>
Esito completa(Lettura& l, Passo&& passo) {
    try {
        passo();
        return Esito::avanti;
    } catch (const GuastoImprevisto& g) {
        return guasto(l, g.what(), g.campo, g.definitivo, g.note,
                      g.record ? std::optional<Luogo>(luogo_del_record(l.testi, *g.record)) : std::nullopt);
    }
}

}  // namespace

Esito record_treno(Lettura& l) {
    l.esito.letto_treno = true;
    if (!l.d.treno) {
        GuastoImprevisto g("file del treno non trovato", -1, true,
                           {"il file del treno si chiama come la linea e il treno: LINEA_TRENO-.txt"});
        LuogoRecord file_treno;
        file_treno.testo = static_cast<std::uint8_t>(Testo::treno);
        g.record = file_treno;
        throw g;
    }
    apri(l, Testo::treno, *l.d.treno);
    LettoreCampi& f = l.f();
    // Without "[generale]" the search takes the whole text and no record is read.
    std::string chiave;
    bool generale = false;
    while (!f.fine()) {
        f.inizia_record();
        chiave = f.leggi_stringa();
        if (contiene_ci(chiave, "[generale]")) {
            generale = true;
            break;
        }
    }
    // A train with no records (an empty file, one that lost its first line,
    // one saved in an encoding that hides its words) is no train: it never
    // replaces a good build.
    const bool vuoto = !generale || f.fine();
    if (vuoto)
        errore_senza_codice(l, luogo_file(l.file_corrente),
                        generale ? "nessun record dopo \"[generale]\" nel file del treno"
                                 : "manca \"[generale]\" nel file del treno: nessun record è letto",
                        {"i record del treno seguono una riga \"[generale]\""});

    bool interrotto = false;
    while (leggi_chiave(l, chiave)) {
        const Esito e = passo_record(l, [&] { return applica_chiavi(l, chiave); });
        if (e == Esito::fermo) return e;
        if (e == Esito::fine_file) {
            interrotto = true;
            break;
        }
    }
    if (!vuoto && !interrotto && l.ricordi.stazioni == 0)
        errore_senza_codice(l, luogo_file(l.file_corrente), "il treno non ha nessuna stazione",
                        {"le stazioni sono i record \"stazione\"; il primo è la partenza del treno"});

    // Completion, also after a record beyond the grid.
    chiudi(l);
    if (Esito e = completa(l, [&] { coda_velocita(l); }); e == Esito::fermo) return e;
    if (Esito e = completa(l, [&] { coda_aderenza(l); }); e == Esito::fermo) return e;
    controlla_progressive(l);
    controlla_corsa(l);
    return Esito::avanti;
}

}  // namespace compattatore::lettore
