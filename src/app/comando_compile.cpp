// `compile`: the description files an author keeps, compiled, with the
// documents of the scenario.
#include <ostream>
#include <string>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/diagnostica.h"
#include "app/scenari_cartella.h"
#include "app/scenario_files.h"
#include "compile/compilazione.h"
#include "platform/output_set.h"

namespace compattatore {

namespace {

// A failed compile reports every problem of the files, as `check` does, in
// the same order; its first error is the compile's own, with the notes the
// compile gave it (the same error at the same place: the reading that goes
// on past errors finds it first).
EsitoCompilazione rapporto_fallito(const FileScenario& f, const TestiSorgente& testi, bool piano,
                                   const EsitoCompilazione& compilazione) {
    EsitoCompilazione r = rapporto_controllo(f, testi, piano);
    const Diagnostica* proprio = primo_errore(compilazione);
    for (Diagnostica& d : r.diagnostiche) {
        if (d.gravita != Gravita::errore) continue;
        if (proprio && d.numero == proprio->numero && d.luogo == proprio->luogo) d = *proprio;
        break;
    }
    return r;
}

}  // namespace

StatoUscita compila_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err) {
    const FileScenario f{o.cartella, o.linea, o.treno};
    const BloccoCartelle blocco({{o.cartella, UsoCartella::scrittura}}, err);
    const TestiSorgente testi = leggi_sorgenti(f);
    const Compilazione c = compila_descrizioni(descrizioni_di(f, testi, o.piano));
    EsitoCompilazione e = c.esito;
    aggiungi_errori_testo(testi, e);
    if (!testi.linea || !testi.treno) nota_scenari_presenti(o.cartella, e);

    // Notes that cannot be written are an error of their own.
    const NoteAutore note = leggi_note_autore(f);
    if (note.errore) e.diagnostiche.push_back(*note.errore);
    const bool note_valide = !note.errore;
    const std::size_t n_avvisi = conta(e, Gravita::avviso);
    const std::size_t n_errori = conta(e, Gravita::errore);
    const bool ok = riuscita(c) && n_errori == 0 && !(o.avvisi_come_errori && n_avvisi > 0);
    if (ok) {
        OutputSet uscite;
        aggiungi_file_compilati(f, c.scenario, uscite);
        aggiungi_documenti(f, c.scenario, note.testo, uscite);
        uscite.commit();
    }

    const std::int32_t codice = codice_riportato(e);
    if (o.json) {
        out << esito_json(e, errore_dell_esito(e, codice), codice, &ok) << '\n';
    } else {
        err << testo_diagnostiche(ok || e.errore_segnalato != 0 ? e : rapporto_fallito(f, testi, o.piano, e),
                                  diagnostiche_mostrate);
        if (ok) {
            err << "codice 0: nessun errore"
                << (n_avvisi > 0 ? ", " + quanti(n_avvisi, Gravita::avviso) : std::string()) << '\n';
        } else {
            const std::string motivo = e.errore_segnalato != 0 ? "Errore n. " + std::to_string(e.errore_segnalato)
                                       : codice != 0          ? "codice " + std::to_string(codice)
                                       : !note_valide         ? std::string("note dell'autore")
                                       : n_errori > 0         ? quanti(n_errori, Gravita::errore)
                                       : quanti(n_avvisi, Gravita::avviso) +
                                             (n_avvisi == 1 ? " trattato come errore" : " trattati come errori");
            err << "compilazione non riuscita (" << motivo << "): i file compilati non sono stati toccati\n";
        }
    }
    return ok ? stato::riuscito : stato::non_riuscito;
}

}  // namespace compattatore
