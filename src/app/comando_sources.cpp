// `sources`: the built-in description files, for an author to start from.
#include <ostream>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/file_esistenti.h"
#include "platform/file_io.h"
#include "platform/output_set.h"
#include "platform/paths.h"
#include "sources/descrizioni.h"

namespace compattatore {

StatoUscita scrivi_sorgenti(const std::filesystem::path& cartella, std::ostream& err, const std::string& linea,
                            const std::string& treno, bool forza, bool nuovo, std::ostream* out) {
    const FileScenario f{cartella, linea, treno};
    make_folder(cartella);
    // The folder exists now, and its lock can be taken; what stands in it is
    // looked at under the lock, so that no other run puts a file there after.
    const BloccoCartelle blocco({{cartella, UsoCartella::scrittura}}, err);
    if (!forza && rifiuta_esistenti({file_linea_txt(f), file_treno_txt(f)}, err)) return stato::non_riuscito;
    OutputSet uscite;
    if (nuovo) {
        dati_linea_nuova(f, uscite);
        dati_treno_nuovo(f, uscite);
    } else {
        dati_linea(f, uscite);
        dati_treno(f, uscite);
    }
    uscite.commit();
    if (out) *out << "scritti " << path_text(file_linea_txt(f)) << " e " << path_text(file_treno_txt(f)) << '\n';
    return stato::riuscito;
}

}  // namespace compattatore
