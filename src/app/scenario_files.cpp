#include "app/scenario_files.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "app/scenari_cartella.h"
#include "compile/compilazione.h"
#include "documents/documenti_scenario.h"
#include "documents/note_autore.h"
#include "documents/testo_autore.h"
#include "finishing/finitura.h"
#include "platform/paths.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

// What keeps the author's notes from becoming the simulator's: an error
// with no code, at its line and (byte) column of the author's file.
Diagnostica errore_note(const std::string& file, const ErroreNote& e) {
    Diagnostica d;
    d.messaggio = e.what();
    d.luogo.file = file;
    d.luogo.riga = e.riga();
    d.luogo.testo = e.testo_riga();
    d.luogo.utf8 = true;
    // The error counts characters; a place counts bytes.
    int carattere = 0;
    for (std::size_t b = 0; b < d.luogo.testo.size(); ++b) {
        if ((static_cast<unsigned char>(d.luogo.testo[b]) & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte
        if (++carattere == e.colonna()) {
            d.luogo.colonna = static_cast<int>(b) + 1;
            break;
        }
    }
    if (d.luogo.colonna == 0) d.luogo.colonna = static_cast<int>(d.luogo.testo.size()) + 1;
    return d;
}

}  // namespace

Compilazione memorizza_percorso(const FileScenario& f, bool piano, OutputSet& uscite,
                                DescrizioniProprie* proprie) {
    const std::optional<DescrizioneLetta> linea = leggi_descrizione(file_linea_txt(f));
    const std::optional<DescrizioneLetta> treno = linea ? leggi_descrizione(file_treno_txt(f)) : std::nullopt;

    Descrizioni d{f.nome_linea, f.nome_treno, {}, {}, piano, {}, {}};
    if (linea) d.linea = linea->testo;
    if (treno) d.treno = treno->testo;
    Compilazione c = compila_descrizioni(d);

    if (proprie) {
        if (c.esito.letta_linea && linea) proprie->elimina(file_linea_txt(f), *linea);
        if (c.esito.letto_treno && treno) proprie->elimina(file_treno_txt(f), *treno);
    }
    if (c.esito.errore_segnalato != 0) errore(std::to_string(c.esito.errore_segnalato));
    if (c.scenario.griglia_esiste()) aggiungi_file_compilati(f, c.scenario, uscite);
    return c;
}

namespace {

// A description file in the code page the reader reads, and its characters
// that the code page lacks, as errors.
std::optional<std::string> in_windows1252(const std::filesystem::path& file, std::vector<Diagnostica>& errori) {
    std::optional<DescrizioneLetta> letta = leggi_descrizione(file);
    if (!letta) return std::nullopt;
    DescrizioneAutore d = descrizione_in_windows1252(letta->testo);
    for (const CarattereFuori& c : d.fuori) {
        Diagnostica e;
        char punto[16];
        std::snprintf(punto, sizeof punto, "U+%04X", static_cast<unsigned>(c.punto));
        e.messaggio = std::string("carattere ") + punto + " non rappresentabile in Windows-1252";
        e.luogo.file = path_text(file);
        e.luogo.riga = c.riga;
        e.luogo.colonna = c.colonna;
        e.luogo.larghezza = c.larghezza;
        e.luogo.testo = c.riga_utf8;
        e.luogo.utf8 = true;
        e.note.push_back("il simulatore mostra i testi in Windows-1252 (Europa occidentale): le lettere accentate, "
                         "l'euro e le virgolette curve ci sono, frecce e altri simboli no");
        errori.push_back(std::move(e));
    }
    return std::move(d.testo);
}

}  // namespace

TestiSorgente leggi_sorgenti(const FileScenario& f) {
    TestiSorgente t;
    t.linea = in_windows1252(file_linea_txt(f), t.errori);
    t.treno = in_windows1252(file_treno_txt(f), t.errori);
    return t;
}

void aggiungi_errori_testo(const TestiSorgente& t, EsitoCompilazione& e) {
    e.diagnostiche.insert(e.diagnostiche.begin(), t.errori.begin(), t.errori.end());
}

Descrizioni descrizioni_di(const FileScenario& f, const TestiSorgente& t, bool piano) {
    Descrizioni d{f.nome_linea, f.nome_treno, {}, {}, piano, path_text(file_linea_txt(f)), path_text(file_treno_txt(f))};
    if (t.linea) d.linea = *t.linea;
    if (t.treno) d.treno = *t.treno;
    return d;
}

void aggiungi_file_compilati(const FileScenario& f, const Scenario& s, OutputSet& uscite) {
    if (s.tabella_linea.esiste()) {
        ReplacedFile& piano = uscite.add(file_linea_dat(f));
        pezzi_tabella_linea(s.tabella_linea, [&piano](std::string_view p) { piano.write(p); });
    }
    uscite.add(file_sim(f), codifica_voci(s.voci));
    ReplacedFile& griglia = uscite.add(file_griglia_dat(f));
    // The cells go straight into the file's buffer, as many at a time as it takes.
    constexpr std::size_t per_volta = ReplacedFile::capacity() / byte_cella;
    for (std::size_t i = 0; i < s.celle.size(); i += per_volta) {
        const std::size_t n = std::min(per_volta, s.celle.size() - i);
        scrivi_celle(s.celle.data() + i, n, griglia.room(n * byte_cella));
        griglia.added(n * byte_cella);
    }
}

NoteAutore leggi_note_autore(const FileScenario& f) {
    NoteAutore n;
    const std::optional<DescrizioneLetta> letta = leggi_descrizione(file_note_autore(f));
    if (!letta) return n;
    try {
        n.testo = note_autore(testo_autore_utf8(letta->testo));
    } catch (const ErroreNote& e) {
        n.errore = errore_note(path_text(file_note_autore(f)), e);
    }
    return n;
}

void aggiungi_documenti(const FileScenario& f, const Scenario& s, const std::optional<std::string>& note,
                        OutputSet& uscite) {
    uscite.add(file_scheda(f), scheda_treno(s));
    uscite.add(file_rallentamenti(f), ordine_rallentamenti(s));
    if (note) uscite.add(file_note(f), *note);
}

EsitoCompilazione rapporto_controllo(const FileScenario& f, const TestiSorgente& t, bool piano) {
    EsitoCompilazione e = compila_descrizioni(descrizioni_di(f, t, piano), true).esito;
    aggiungi_errori_testo(t, e);
    if (!t.linea || !t.treno) nota_scenari_presenti(f.cartella, e);
    if (const NoteAutore note = leggi_note_autore(f); note.errore) e.diagnostiche.push_back(*note.errore);
    return e;
}

}  // namespace compattatore
