// Opening of the line file and its general section: the line length sizes
// the grid and the plan, the other keys fill the header entries of voci.
#include <string>

#include "placement/progressive.h"
#include "reader/avvisi.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "tables/arrotonda.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

namespace {

// Comment fields passed over in a row at the top of the general section.
constexpr int salti_generale = 10;

Esito lunghezza(Lettura& l, const Record& r) {
    Scenario& s = l.s;
    chiave_generale(l, r);
    std::int32_t lunghezza = l.f().leggi_32();
    VistaIntestazione{s.voci}.lunghezza_linea() = lunghezza;
    if (lunghezza > lunghezza_massima_linea) {
        const Esito e = ferma(l, Codice::lunghezza_eccessiva, 1,
                              {"la lunghezza va da 0 a " + std::to_string(lunghezza_massima_linea) + " m"});
        // Without a grid a reading that goes on has nothing to go on with.
        return l.controllo ? Esito::fermo : e;
    }
    lunghezza_negativa(l, lunghezza, 1, "lunghezza del percorso negativa");

    // Checked before anything changes: a refused length leaves the grid, the
    // plan and their sizes as an earlier length key made them.
    const std::int32_t estesa = lunghezza + prolungamento_linea;
    const std::int32_t ultima_cella = in_32(arrotonda(static_cast<double>(estesa) / lunghezza_cella), 1);
    // Cell 1 carries the header stamp: a line so short (negative) that the
    // grid has no cell 1 does not fit the grid.
    if (ultima_cella < 1)
        throw GuastoImprevisto("lunghezza del percorso che non lascia la cella d'intestazione", 1, true,
                               {"la lunghezza più " + std::to_string(prolungamento_linea) + " m deve superare i 25 m"});

    s.lunghezza_estesa = estesa;
    s.numero_celle = ultima_cella;
    s.celle.assign(static_cast<std::size_t>(s.numero_celle) + 1, Cella{});
    l.provenienze.celle.assign(s.celle.size(), 0);
    if (l.d.compila_linea) s.tabella_linea.crea(s.lunghezza_estesa);
    return Esito::avanti;
}

void leggi_progressiva(Lettura& l, std::size_t voce, const Record& r) {
    chiave_generale(l, r);
    Voce& v = l.s.voci[voce];
    v.inizio = l.f().leggi_32();
    v.fine = l.f().leggi_32();
    v.posizione = l.f().leggi_32();
    l.ricordi.progressive[voce - voce_progressiva_tre] = CampiProgressiva{record_corrente(l, 1), record_corrente(l, 2)};
}

Esito ripetizione(Lettura& l, const Record& r, const std::string& chiave) {
    chiave_generale(l, r);
    const VistaIntestazione h{l.s.voci};
    h.inizio_ripetizione() = l.f().leggi_32();
    h.fine_ripetizione() = l.f().leggi_32();
    const std::string passo = "le posizioni vanno su multipli di " + std::to_string(lunghezza_cella) + " m";
    if (h.inizio_ripetizione() % lunghezza_cella != 0) return ferma(l, Codice::inizio_ripetizione_fuori_passo, 1, {passo});
    if (h.fine_ripetizione() % lunghezza_cella != 0) return ferma(l, Codice::fine_ripetizione_fuori_passo, 2, {passo});
    if (contiene(chiave, "4")) {
        h.codici_ripetizione() = 4;
    } else if (contiene(chiave, "9")) {
        h.codici_ripetizione() = 9;
    } else {
        return ferma(l, Codice::ripetizione_senza_codici, 0,
                     {"la chiave dice il numero dei codici: \"" + std::string(r.parole[0]) + "\" o \"" +
                      std::string(r.parole[1]) + "\""});
    }
    if (h.fine_ripetizione() == 0) h.codici_ripetizione() = 0;
    return Esito::avanti;
}

// A section header ends the general section; a comment never does.
bool chiude_sezione(const std::string& campo) {
    if (!contiene(campo, "[") || !contiene(campo, "]")) return false;
    std::size_t primo = campo.find_first_not_of(" \t");
    return primo == std::string::npos || campo[primo] != '-';
}

Esito gestisci(Lettura& l, const Record& r, const std::string& chiave) {
    const VistaIntestazione h{l.s.voci};
    switch (r.id) {
        case IdRecord::lunghezza_percorso: return lunghezza(l, r);
        case IdRecord::progressiva_tre: leggi_progressiva(l, voce_progressiva_tre, r); break;
        case IdRecord::progressiva_due: leggi_progressiva(l, voce_progressiva_due, r); break;
        case IdRecord::progressiva_uno: leggi_progressiva(l, voce_progressiva_uno, r); break;
        case IdRecord::sfondo_uno:
            chiave_generale(l, r);
            h.sfondo_uno() = l.f().leggi_32();
            break;
        case IdRecord::sfondo_due:
            chiave_generale(l, r);
            h.sfondo_due() = l.f().leggi_32();
            break;
        case IdRecord::sfondo_tre:
            chiave_generale(l, r);
            h.sfondo_tre() = l.f().leggi_32();
            break;
        case IdRecord::ripetizione_segnali: return ripetizione(l, r, chiave);
        default: break;
    }
    return Esito::avanti;
}

// The keys of one field of the general section, in the format's order.
Esito applica_chiavi(Lettura& l, const std::string& chiave) {
    Riconoscimento r;
    if (Esito e = applica_records(l, Contesto::generale, chiave, r, [&](const Record& k) { return gestisci(l, k, chiave); });
        e != Esito::avanti)
        return e;
    if (r.riconosciuta)
        dopo_record(l);
    else if (!chiude_sezione(chiave))
        campo_non_riconosciuto(l, chiave, Contesto::generale);
    return Esito::avanti;
}

// Orders the kilometre references, remembering which record each entry
// now holds, for the check of code 2 at the end of the reading.
void ordina_progressive(Lettura& l) {
    Scenario& s = l.s;
    const std::array<int, 3> ordine = ordine_progressive(s.voci);
    const std::array<std::optional<CampiProgressiva>, 3> lette = l.ricordi.progressive;
    for (std::size_t i = 0; i < 3; ++i)
        l.ricordi.progressive[i] = ordine[i] >= 0 ? lette[static_cast<std::size_t>(ordine[i])] : std::nullopt;
    const bool azzerate = ordine[0] < 0 && (s.voci[voce_progressiva_tre].inizio != 0 ||
                                            s.voci[voce_progressiva_due].inizio != 0 ||
                                            s.voci[voce_progressiva_uno].inizio != 0);
    if (azzerate) {
        const std::optional<CampiProgressiva> dove = lette[0] ? lette[0] : lette[1] ? lette[1] : lette[2];
        avviso(l, Avviso::progressive_azzerate,
               "le progressive chilometriche non hanno un solo inizio più avanti degli altri: sono azzerate tutte",
               dove ? luogo_del_record(l.testi, dove->inizio) : luogo_file(l.file_corrente),
               {"due progressive con lo stesso inizio, il più avanti, non si possono ordinare"});
    }
    // Two references given at one start, when they are not the greatest (all cleared above).
    for (std::size_t k = 0; k < 3 && !azzerate; ++k)
        for (std::size_t j = 0; j < k; ++j) {
            if (!lette[j] || !lette[k] || s.voci[voce_progressiva_tre + j].inizio != s.voci[voce_progressiva_tre + k].inizio)
                continue;
            const bool k_dopo = lette[k]->inizio.riga > lette[j]->inizio.riga;
            const CampiProgressiva& seconda = k_dopo ? *lette[k] : *lette[j];
            const CampiProgressiva& prima = k_dopo ? *lette[j] : *lette[k];
            if (solo_contato(l)) break;
            avviso(l, Avviso::progressive_stesso_inizio,
                   "progressiva chilometrica che comincia a " +
                       std::to_string(s.voci[voce_progressiva_tre + k].inizio) + " m come quella della riga " +
                       std::to_string(prima.inizio.riga),
                   luogo_del_record(l.testi, seconda.inizio),
                   {"ogni progressiva vale dal suo inizio a quello della seguente: con lo stesso inizio una delle due "
                    "non vale per nessun tratto"});
        }
    if (const Codice c = progressive_ordina(s.voci); c != Codice::nessuno) {
        std::optional<CampiProgressiva> dove;
        for (std::size_t i = 0; i < 3 && !dove; ++i)
            if (s.voci[voce_progressiva_tre + i].posizione == 1) dove = l.ricordi.progressive[i];
        registra_errore(l, c, std::nullopt, dove ? luogo_del_record(l.testi, dove->valore) : luogo_file(l.file_corrente),
                        "valore della progressiva che non regge la correzione di 100 m", {});
    }
}

}  // namespace

Esito apri_linea(Lettura& l) {
    Scenario& s = l.s;
    const VistaIntestazione h{s.voci};
    h.nome_linea() = s.nome_linea;
    h.nome_treno() = s.nome_treno;
    if (!l.d.linea) {
        registra_errore(l, Codice::linea_mancante, std::nullopt, luogo_file(l.testi.nomi[0]));
        return Esito::fermo;
    }
    l.esito.letta_linea = true;
    apri(l, Testo::linea, *l.d.linea);
    LettoreCampi& f = l.f();
    // Whatever stands before "[generale]" is not read; a "[generale]" that is
    // the text's last field is not found either.
    const auto manca = [&l](std::optional<PosizioneCampo> ultimo) {
        Luogo qui = ultimo ? luogo_di(l, Testo::linea, *ultimo) : luogo_file(l.file_corrente);
        registra_errore(l, Codice::generale_mancante, std::nullopt, std::move(qui), {},
                        {ultimo ? "\"[generale]\" è l'ultimo campo del file: nessun record la segue"
                                : "il file comincia con una riga \"[generale]\", seguita dalle chiavi generali"});
        chiudi(l);
        return Esito::fermo;
    };
    for (;;) {
        if (f.fine()) return manca(std::nullopt);
        f.inizia_record();
        const std::string campo = f.leggi_stringa();
        l.record = f.posizione_campo();
        const bool generale = contiene_ci(campo, "[generale]");
        if (f.fine()) return manca(generale ? std::optional(f.posizione_campo()) : std::nullopt);
        if (generale) {
            l.ricordi.generale_linea = record_corrente(l, 0);
            return Esito::avanti;
        }
    }
}

Esito sezione_generale(Lettura& l) {
    Scenario& s = l.s;
    LettoreCampi& f = l.f();
    std::string chiave;
    for (;;) {
        if (f.fine()) break;
        f.inizia_record();
        chiave = f.leggi_stringa();
        l.record = f.posizione_campo();
        if (f.fine()) break;
        for (int salto = 0; salto < salti_generale; ++salto) {
            if (!contiene(chiave, "-")) break;
            f.inizia_record();
            chiave = f.leggi_stringa();
            l.record = f.posizione_campo();
        }
        if (Esito e = passo_record(l, [&] { return applica_chiavi(l, chiave); }); e == Esito::fermo) return e;
        if (chiude_sezione(chiave)) break;
    }
    l.record.reset();

    ordina_progressive(l);
    if (l.d.compila_linea) {
        // The line starts at the origin heading along the second coordinate.
        TabellaLinea& t = s.tabella_linea;
        if (t.righe < 2) senza_lunghezza(l);
        t(0, 0) = ValoreTabella::intero(0);
        t(0, 1) = ValoreTabella::intero(0);
        t(1, 0) = ValoreTabella::intero(0);
        t(1, 1) = ValoreTabella::intero(1);
    }
    return Esito::avanti;
}

}  // namespace compattatore::lettore
