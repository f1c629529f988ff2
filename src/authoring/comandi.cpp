#include "authoring/comandi.h"

#include <ostream>
#include <sstream>

#include "authoring/grafico.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

void riporta(std::ostream& err, const std::filesystem::path& file, std::string_view tipo, const FileMalformato& e) {
    err << "compattatore: " << path_text(file) << " (file " << tipo << "): " << e.what() << '\n';
}

}  // namespace

int comando_dump(const std::filesystem::path& file, FormatoDump formato, std::int32_t passo, std::ostream& out,
                 std::ostream& err) {
    const std::string byte = read_file(file);
    std::string_view tipo = "non riconosciuto";
    try {
        const TipoFile t = riconosci_file(file, byte);
        tipo = nome_tipo_file(t);
        // The whole listing is built before anything is printed, so a file
        // that breaks down half-way prints nothing but the error.
        std::ostringstream listato;
        scrivi_dump(listato, t, byte, formato, passo);
        out << listato.str();
        return 0;
    } catch (const FileMalformato& e) {
        riporta(err, file, tipo, e);
        return 1;
    }
}

int comando_plot(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                 const std::filesystem::path& uscita, std::ostream& err) {
    const FileScenario s{cartella, linea, treno};
    std::filesystem::path file;
    std::string_view tipo;
    try {
        file = file_sim(s);
        tipo = nome_tipo_file(TipoFile::voci);
        const Voci voci = decodifica_voci(read_file(file));
        file = file_griglia_dat(s);
        tipo = nome_tipo_file(TipoFile::griglia);
        const std::vector<Cella> celle = decodifica_griglia(read_file(file));
        file = file_linea_dat(s);
        tipo = nome_tipo_file(TipoFile::piano);
        TabellaLinea piano;
        const bool con_piano = std::filesystem::exists(file);
        if (con_piano) piano = decodifica_tabella_linea(read_file(file));
        replace_file(uscita, disegna_scenario(celle, voci, con_piano ? &piano : nullptr));
        return 0;
    } catch (const FileMalformato& e) {
        riporta(err, file, tipo, e);
        return 1;
    }
}

}  // namespace compattatore
