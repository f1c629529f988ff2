// `decompile`: the description texts that give back a compiled scenario.
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/file_esistenti.h"
#include "app/lettura_compilati.h"
#include "decompile/decompilazione.h"
#include "platform/file_io.h"
#include "platform/output_set.h"
#include "platform/paths.h"

namespace compattatore {

StatoUscita comando_decompile(const std::filesystem::path& cartella, const std::string& linea,
                              const std::string& treno, const std::filesystem::path& uscita, bool forza,
                              std::ostream& out, std::ostream& err) {
    // The folder of the texts is made first, so that its lock can be taken
    // with the other one, in the order every run follows.
    make_folder(uscita);
    const BloccoCartelle blocco({{cartella, UsoCartella::lettura}, {uscita, UsoCartella::scrittura}}, err);
    const FileScenario dentro{cartella, linea, treno};
    const FileScenario fuori{uscita, linea, treno};
    const std::filesystem::path testo_linea = file_linea_txt(fuori);
    const std::filesystem::path testo_treno = file_treno_txt(fuori);
    // Authors keep their edits in the description files.
    if (!forza && rifiuta_esistenti({testo_linea, testo_treno}, err)) return stato::non_riuscito;

    std::optional<ScenarioCompilato> letto = leggi_scenario(dentro, err);
    if (!letto) return stato::non_riuscito;
    const ScenarioCompilato& c = *letto;

    const Decompilazione d = decompila(c);
    {
        // Both files are written before either takes its name.
        OutputSet uscite;
        uscite.add(testo_linea, d.testo_linea);
        uscite.add(testo_treno, d.testo_treno);
        uscite.commit();
    }
    out << "scritti " << path_text(testo_linea) << " e " << path_text(testo_treno) << '\n';

    const std::string sim = path_text(file_sim(dentro).filename());
    const std::string griglia = path_text(file_griglia_dat(dentro).filename());
    if (!d.riprodotti()) {
        for (const std::string& r : d.differenze) err << r << '\n';
        err << "compattatore: la descrizione scritta è la più vicina trovata: compilata, non riproduce i valori "
            << "elencati sopra (" << d.differenze.size() << (d.differenze.size() == 1 ? " riga" : " righe") << ")\n";
        return stato::non_riuscito;
    }
    if (c.piano()) {
        out << "compile riproduce " << path_text(file_linea_dat(dentro).filename()) << ", " << sim << " e " << griglia
            << " byte per byte\n";
    } else {
        out << "manca " << path_text(file_linea_dat(dentro).filename()) << ": nessuna curva scritta; compile --no-plan "
            << "riproduce " << sim << " e " << griglia << " byte per byte\n";
    }
    if (d.codice != 0) out << "avviso: la compilazione registra il codice " << d.codice << '\n';
    return stato::riuscito;
}

}  // namespace compattatore
