#include "app/driver.h"

#include <optional>
#include <string>
#include <system_error>

#include "app/compilazione.h"
#include "documents/documenti_scenario.h"
#include "documents/note_autore.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_reason.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

// A description file's text, or none when there is no such file.
std::optional<std::string> leggi_descrizione(const std::filesystem::path& file) {
    std::error_code ec;
    const bool esiste = std::filesystem::exists(file, ec);
    if (ec) throw IoError(file, system_reason(ec));
    if (!esiste) return std::nullopt;
    return read_file(file);
}

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

Compilazione memorizza_percorso(const FileScenario& f, std::int32_t j, bool elimina_sorgenti) {
    const std::optional<std::string> linea = leggi_descrizione(file_linea_txt(f));
    const std::optional<std::string> treno = linea ? leggi_descrizione(file_treno_txt(f)) : std::nullopt;

    Descrizioni d{f.nome_linea, f.nome_treno, {}, {}, j != 0, {}, {}};
    if (linea) d.linea = *linea;
    if (treno) d.treno = *treno;
    Compilazione c = compila_descrizioni(d);

    if (elimina_sorgenti) {
        if (c.esito.letta_linea) remove_file(file_linea_txt(f));
        if (c.esito.letto_treno) remove_file(file_treno_txt(f));
    }
    if (c.esito.errore_segnalato != 0) errore(std::to_string(c.esito.errore_segnalato));
    if (c.scenario.griglia_esiste()) scrivi_file_compilati(f, c.scenario);
    return c;
}

TestiSorgente leggi_sorgenti(const FileScenario& f) {
    return {leggi_descrizione(file_linea_txt(f)), leggi_descrizione(file_treno_txt(f))};
}

Descrizioni descrizioni_di(const FileScenario& f, const TestiSorgente& t, bool piano) {
    Descrizioni d{f.nome_linea, f.nome_treno, {}, {}, piano, path_text(file_linea_txt(f)), path_text(file_treno_txt(f))};
    if (t.linea) d.linea = *t.linea;
    if (t.treno) d.treno = *t.treno;
    return d;
}

void scrivi_file_compilati(const FileScenario& f, const Scenario& s) {
    if (s.tabella_linea.esiste()) {
        ReplacedFile piano(file_linea_dat(f));
        pezzi_tabella_linea(s.tabella_linea, [&piano](std::string_view p) { piano.write(p); });
        piano.commit();
    }
    replace_file(file_sim(f), codifica_voci(s.voci));
    ReplacedFile griglia(file_griglia_dat(f));
    // The cells go straight into the file's buffer, as many at a time as it takes.
    constexpr std::size_t per_volta = ReplacedFile::capacity() / byte_cella;
    for (std::size_t i = 0; i < s.celle.size(); i += per_volta) {
        const std::size_t n = std::min(per_volta, s.celle.size() - i);
        scrivi_celle(s.celle.data() + i, n, griglia.room(n * byte_cella));
        griglia.added(n * byte_cella);
    }
    griglia.commit();
}

NoteAutore leggi_note_autore(const FileScenario& f) {
    NoteAutore n;
    const std::optional<std::string> testo = leggi_descrizione(file_note_autore(f));
    if (!testo) return n;
    try {
        n.testo = note_autore(*testo);
    } catch (const ErroreNote& e) {
        n.errore = errore_note(path_text(file_note_autore(f)), e);
    }
    return n;
}

void scrivi_documenti(const FileScenario& f, const Scenario& s, const std::optional<std::string>& note) {
    replace_file(file_scheda(f), scheda_treno(s));
    replace_file(file_rallentamenti(f), ordine_rallentamenti(s));
    if (note) replace_file(file_note(f), *note);
}

}  // namespace compattatore
