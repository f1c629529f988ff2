#include "app/driver.h"

#include <optional>
#include <string>
#include <system_error>

#include "app/compilazione.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

// A description file's text, or none when there is no such file.
std::optional<std::string> leggi_descrizione(const std::filesystem::path& file) {
    std::error_code ec;
    const bool esiste = std::filesystem::exists(file, ec);
    if (ec) throw ErroreIO(file, ec.message());
    if (!esiste) return std::nullopt;
    return leggi_file(file);
}

}  // namespace

Compilazione memorizza_percorso(const FileScenario& f, std::int32_t j, bool elimina_sorgenti) {
    const std::optional<std::string> linea = leggi_descrizione(file_linea_txt(f));
    const std::optional<std::string> treno = linea ? leggi_descrizione(file_treno_txt(f)) : std::nullopt;

    Descrizioni d{f.nome_linea, f.nome_treno, {}, {}, j != 0};
    if (linea) d.linea = *linea;
    if (treno) d.treno = *treno;
    Compilazione c = compila_descrizioni(d);

    if (elimina_sorgenti) {
        if (c.esito.letta_linea) elimina_file(file_linea_txt(f));
        if (c.esito.letto_treno) elimina_file(file_treno_txt(f));
    }
    if (c.esito.errore_segnalato != 0) errore(std::to_string(c.esito.errore_segnalato));
    if (c.scenario.griglia_esiste()) scrivi_file_compilati(f, c.scenario);
    return c;
}

void scrivi_file_compilati(const FileScenario& f, const Scenario& s) {
    if (s.tabella_linea.esiste()) {
        FileInSostituzione piano(file_linea_dat(f));
        pezzi_tabella_linea(s.tabella_linea, [&piano](std::string_view p) { piano.scrivi(p); });
        piano.conferma();
    }
    sostituisci_file(file_sim(f), codifica_voci(s.voci));
    FileInSostituzione griglia(file_griglia_dat(f));
    // The cells go straight into the file's buffer, as many at a time as it takes.
    constexpr std::size_t per_volta = FileInSostituzione::capienza() / byte_cella;
    for (std::size_t i = 0; i < s.celle.size(); i += per_volta) {
        const std::size_t n = std::min(per_volta, s.celle.size() - i);
        scrivi_celle(s.celle.data() + i, n, griglia.spazio(n * byte_cella));
        griglia.aggiunti(n * byte_cella);
    }
    griglia.conferma();
}

}  // namespace compattatore
