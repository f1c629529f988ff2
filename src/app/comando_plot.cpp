// `plot`: the SVG page of a scenario, from its descriptions when the folder
// holds them, else from its compiled files.
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/diagnostica.h"
#include "app/lettura_compilati.h"
#include "app/scenario_files.h"
#include "compile/compilazione.h"
#include "platform/file_io.h"
#include "plot/grafico.h"

namespace compattatore {

StatoUscita disegna_cartella(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                     const std::filesystem::path& uscita, std::ostream& err, std::ostream* out) {
    const bool su_out = out && e_uscita_standard(uscita);
    std::vector<std::pair<std::filesystem::path, UsoCartella>> cartelle{{cartella, UsoCartella::lettura}};
    if (!su_out) {
        // The page's folder is made first, so that its lock can be taken.
        make_folder(cartella_del_file(uscita));
        cartelle.emplace_back(cartella_del_file(uscita), UsoCartella::scrittura);
    }
    const BloccoCartelle blocco(cartelle, err);
    const auto scrivi = [&](const std::string& svg) {
        if (su_out)
            *out << svg;
        else
            replace_file(uscita, svg);
    };
    const FileScenario f{cartella, linea, treno};
    const TestiSorgente testi = leggi_sorgenti(f);
    if (!testi.linea && !testi.treno) {
        const std::optional<ScenarioCompilato> s = leggi_scenario(f, err);
        if (!s) return stato::non_riuscito;
        scrivi(disegna_scenario(*s));
        return stato::riuscito;
    }
    const Compilazione c = compila_descrizioni(descrizioni_di(f, testi, true));
    EsitoCompilazione e = c.esito;
    aggiungi_errori_testo(testi, e);
    if (!riuscita(c) || conta(e, Gravita::errore) > 0) {
        const std::int32_t codice = codice_riportato(e);
        err << testo_diagnostiche(e, diagnostiche_mostrate);
        err << "compattatore: plot: lo scenario non si compila ("
            << (e.errore_segnalato != 0 ? "Errore n. " + std::to_string(codice)
                : codice != 0           ? "codice " + std::to_string(codice)
                                        : quanti(conta(e, Gravita::errore), Gravita::errore))
            << "), nessun disegno\n";
        return stato::non_riuscito;
    }
    const Scenario& s = c.scenario;
    scrivi(disegna_scenario({linea, treno, s.celle, s.voci, s.tabella_linea}));
    return stato::riuscito;
}

bool e_uscita_standard(const std::filesystem::path& uscita) { return uscita == "-"; }

}  // namespace compattatore
