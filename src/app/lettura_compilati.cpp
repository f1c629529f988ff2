#include "app/lettura_compilati.h"

#include <ostream>
#include <utility>

#include "app/file_esistenti.h"
#include "compiled/plausibilita_voci.h"
#include "platform/file_handle.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace compattatore {

void riporta_malformato(std::ostream& err, const std::filesystem::path& file, std::string_view tipo,
                        const FileMalformato& e) {
    err << "compattatore: " << path_text(file) << " (file " << tipo << "): " << e.what() << '\n';
}

void riporta_inverosimili(std::ostream& err, const std::filesystem::path& file, const Voci& voci,
                          std::optional<std::string_view> scenario) {
    for (const VoceInverosimile& v : esamina_voci(voci, scenario))
        err << "compattatore: " << path_text(file) << " (file " << nome_tipo_file(TipoFile::voci) << "): offset "
            << v.offset << ": avviso: " << v.motivo << '\n';
}

std::string tutto(FonteByte& fonte) {
    std::string byte(static_cast<std::size_t>(fonte.size()), '\0');
    std::size_t letti = 0;
    while (letti < byte.size()) {
        const std::size_t n = fonte.leggi(letti, byte.data() + letti, byte.size() - letti);
        if (n == 0) throw FileMalformato(letti, "il file è stato accorciato durante la lettura");
        letti += n;
    }
    return byte;
}

std::string leggi_compilato(const std::filesystem::path& file, TipoFile t) {
    FileHandle h = FileHandle::open_read(file);
    if (!h.is_regular()) throw IoError(file, non_un_file);
    FonteFile fonte(h);
    controlla_dimensione(t, fonte.size());
    return tutto(fonte);
}

std::optional<ScenarioCompilato> leggi_scenario(const FileScenario& s, std::ostream& err) {
    std::filesystem::path file;
    TipoFile tipo = TipoFile::voci;
    try {
        file = file_sim(s);
        Voci voci = decodifica_voci(leggi_compilato(file, tipo));
        riporta_inverosimili(err, file, voci, s.nome_linea + "_" + s.nome_treno);
        file = file_griglia_dat(s);
        tipo = TipoFile::griglia;
        std::vector<Cella> celle = decodifica_griglia(leggi_compilato(file, tipo));
        file = file_linea_dat(s);
        tipo = TipoFile::piano;
        std::optional<TabellaLinea> piano;
        if (esiste(file)) piano = decodifica_tabella_linea(leggi_compilato(file, tipo));
        return ScenarioCompilato(s.nome_linea, s.nome_treno, std::move(celle), std::move(voci), std::move(piano));
    } catch (const FileMalformato& e) {
        riporta_malformato(err, file, nome_tipo_file(tipo), e);
        return std::nullopt;
    }
}

}  // namespace compattatore
