#include "app/driver.h"

#include <optional>
#include <string>
#include <system_error>

#include "app/compilazione.h"
#include "documents/documenti_scenario.h"
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

void scrivi_documenti(const FileScenario& f, const Scenario& s, const std::optional<std::string>& note) {
    replace_file(file_scheda(f), scheda_treno(s));
    replace_file(file_rallentamenti(f), ordine_rallentamenti(s));
    if (note) replace_file(file_note(f), *note);
}

}  // namespace compattatore
