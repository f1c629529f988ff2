#include "app/esecuzione.h"

#include <iostream>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "app/blocco_cartelle.h"
#include "compile/compilazione.h"
#include "app/diagnostica.h"
#include "app/driver.h"
#include "app/lettura_descrizioni.h"
#include "app/scenari_cartella.h"
#include "app/comandi.h"
#include "plot/grafico.h"
#include "documents/documenti.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_reason.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace compattatore {

namespace {

FileScenario predefinito(const std::filesystem::path& cartella) {
    return {cartella, linea_predefinita, treno_predefinito};
}

bool riuscita(const Compilazione& c) { return c.scenario.griglia_esiste() && c.esito.codice == Codice::nessuno; }

std::string quanti_errori(std::size_t n) { return std::to_string(n) + (n == 1 ? " errore" : " errori"); }

std::string avvisi(std::size_t n) { return std::to_string(n) + (n == 1 ? " avviso" : " avvisi"); }

}  // namespace

int esegui_lavoro(const std::filesystem::path& cartella, std::ostream& out, std::ostream& err) {
    const FileScenario f = predefinito(cartella);
    out << "Attendere" << std::endl;
    const BloccoCartelle blocco({{cartella, UsoCartella::scrittura}}, err);

    // The description files live only until the reader has taken them; the
    // documents and the compiled files are the run's outputs, put in place
    // together at the end.
    DescrizioniProprie descrizioni;
    descrizioni.scrivi(file_linea_txt(f), componi_testo(righe_linea()));
    descrizioni.scrivi(file_treno_txt(f), componi_testo(righe_treno()));
    OutputSet uscite;
    dati_note(f, uscite);
    Compilazione c = memorizza_percorso(f, 1, uscite, &descrizioni);
    // The card and the order are worked out from the scenario just compiled,
    // as for every other scenario.
    if (c.scenario.griglia_esiste()) {
        c.scenario.documenti = dati_documenti_predefiniti();
        aggiungi_documenti(f, c.scenario, std::nullopt, uscite);
    }
    uscite.commit();

    if (!riuscita(c)) {
        err << testo_diagnostiche(c.esito, diagnostiche_mostrate);
        return stato::non_riuscito;
    }
    return stato::riuscito;
}

int scrivi_sorgenti(const std::filesystem::path& cartella, std::ostream& err, const std::string& linea,
                    const std::string& treno, bool forza, bool nuovo) {
    const FileScenario f{cartella, linea, treno};
    if (!forza) {
        bool esistenti = false;
        for (const std::filesystem::path& p : {file_linea_txt(f), file_treno_txt(f)}) {
            std::error_code ec;
            const bool c_e = std::filesystem::exists(p, ec);
            if (ec) throw IoError(p, system_reason(ec));
            if (!c_e) continue;
            err << "compattatore: " << path_text(p) << ": esiste già; --force per sostituirlo\n";
            esistenti = true;
        }
        if (esistenti) {
            err << "nessun file scritto\n";
            return stato::non_riuscito;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(cartella, ec);
    if (ec) throw IoError(cartella, system_reason(ec));
    // The folder exists now, and its lock can be taken.
    const BloccoCartelle blocco({{cartella, UsoCartella::scrittura}}, err);
    OutputSet uscite;
    if (nuovo) {
        dati_linea_nuova(f, uscite);
        dati_treno_nuovo(f, uscite);
    } else {
        dati_linea(f, uscite);
        dati_treno(f, uscite);
    }
    uscite.commit();
    return stato::riuscito;
}

int compila_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err) {
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
    const bool ok = riuscita(c) && e.errore_segnalato == 0 && n_errori == 0 && !(o.avvisi_come_errori && n_avvisi > 0);
    if (ok) {
        OutputSet uscite;
        aggiungi_file_compilati(f, c.scenario, uscite);
        aggiungi_documenti(f, c.scenario, note.testo, uscite);
        uscite.commit();
    }

    const std::int32_t codice = e.errore_segnalato != 0 ? e.errore_segnalato : numero(e.codice);
    if (o.json) {
        out << esito_json(e, ultimo_errore(e), codice, &ok) << '\n';
    } else {
        err << testo_diagnostiche(e, diagnostiche_mostrate);
        if (ok) {
            err << "codice 0: nessun errore" << (n_avvisi > 0 ? ", " + avvisi(n_avvisi) : std::string()) << '\n';
        } else {
            const std::string motivo = e.errore_segnalato != 0 ? "Errore n. " + std::to_string(e.errore_segnalato)
                                       : codice != 0          ? "codice " + std::to_string(codice)
                                       : !note_valide         ? std::string("note dell'autore")
                                       : n_errori > 0         ? quanti_errori(n_errori)
                                                              : avvisi(n_avvisi) + (n_avvisi == 1 ? " trattato come errore"
                                                                                                  : " trattati come errori");
            err << "compilazione non riuscita (" << motivo << "): i file compilati non sono stati toccati\n";
        }
    }
    return ok ? stato::riuscito : stato::non_riuscito;
}

int disegna_cartella(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                     const std::filesystem::path& uscita, std::ostream& err) {
    const FileScenario f{cartella, linea, treno};
    const TestiSorgente testi = leggi_sorgenti(f);
    if (!testi.linea && !testi.treno) return comando_plot(cartella, linea, treno, uscita, err);
    const Compilazione c = compila_descrizioni(descrizioni_di(f, testi, true));
    EsitoCompilazione e = c.esito;
    aggiungi_errori_testo(testi, e);
    if (!riuscita(c) || e.errore_segnalato != 0 || conta(e, Gravita::errore) > 0) {
        const std::int32_t codice = e.errore_segnalato != 0 ? e.errore_segnalato : numero(e.codice);
        err << testo_diagnostiche(e, diagnostiche_mostrate);
        err << "compattatore: plot: lo scenario non si compila ("
            << (e.errore_segnalato != 0 ? "Errore n. " + std::to_string(codice)
                : codice != 0           ? "codice " + std::to_string(codice)
                                        : quanti_errori(conta(e, Gravita::errore)))
            << "), nessun disegno\n";
        return stato::non_riuscito;
    }
    const Scenario& s = c.scenario;
    replace_file(uscita, disegna_scenario({linea, treno, s.celle, s.voci, s.tabella_linea}));
    return stato::riuscito;
}

int riporta_fallimenti(const std::function<int()>& lavoro, std::ostream& err) {
    try {
        return lavoro();
    } catch (const ScenarioDaScegliere& e) {
        err << "compattatore: " << e.what() << '\n';
        return stato::non_riuscito;
    } catch (const ErroreSegnalato& e) {
        err << e.what() << '\n';
        return stato::non_riuscito;
    } catch (const IoError& e) {
        err << "compattatore: " << path_text(e.file()) << ": " << e.reason() << '\n';
        return stato::errore_io;
    } catch (const std::bad_alloc&) {
        err << "compattatore: memoria insufficiente per completare il lavoro\n";
        return stato::memoria_insufficiente;
    }
}

}  // namespace compattatore
