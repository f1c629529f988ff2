// `dump`: one compiled file as a listing.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/lettura_compilati.h"
#include "compiled/fonte_byte.h"
#include "platform/file_handle.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace compattatore {

namespace {

// The kind the file's name gives; none for a name of no kind.
std::optional<TipoFile> tipo_dal_nome(const std::filesystem::path& file) {
    try {
        return riconosci_file(file, {});
    } catch (const FileMalformato&) {
        return std::nullopt;
    }
}

std::uint64_t massimo_di_ogni_tipo() {
    std::uint64_t m = 0;
    for (TipoFile t : {TipoFile::griglia, TipoFile::voci, TipoFile::piano}) m = std::max(m, massimo_byte_file(t));
    return m;
}

// A compiled scenario's entries that no compilation leaves, as warnings
// after its listing; a name that says .sim gives the identifiers
// (LINEA_TRENO.sim).
void esamina_sim(std::ostream& err, const std::filesystem::path& file, std::string_view byte, bool dal_nome) {
    std::optional<std::string> scenario;
    if (dal_nome) scenario = path_text(file.stem());
    riporta_inverosimili(err, file, decodifica_voci(byte), scenario);
}

}  // namespace

StatoUscita comando_dump(const std::filesystem::path& file, FormatoDump formato, std::int32_t passo,
                         std::ostream& out, std::ostream& err) {
    const BloccoCartelle blocco({{cartella_del_file(file), UsoCartella::lettura}}, err);
    FileHandle h = FileHandle::open_read(file);
    if (!h.is_regular()) throw IoError(file, non_un_file);
    FonteFile fonte(h);
    const std::optional<TipoFile> dal_nome = tipo_dal_nome(file);
    std::string_view tipo = dal_nome ? nome_tipo_file(*dal_nome) : "non riconosciuto";
    try {
        if (dal_nome) {
            // Checked whole before the first line is written, then listed as it is read again.
            try {
                scrivi_dump(out, *dal_nome, fonte, formato, passo);
                if (*dal_nome == TipoFile::voci) esamina_sim(err, file, tutto(fonte), true);
            } catch (const FileMalformato& e) {
                // A file of another kind under this name says so.
                if (fonte.size() > massimo_di_ogni_tipo()) throw;
                std::optional<TipoFile> dal_contenuto;
                try {
                    dal_contenuto = riconosci_file({}, tutto(fonte));
                } catch (const FileMalformato&) {
                }
                if (!dal_contenuto || *dal_contenuto == *dal_nome) throw;
                throw FileMalformato(e.offset(), e.motivo() + "; il contenuto è quello di un file " +
                                                     std::string(nome_tipo_file(*dal_contenuto)));
            }
            return stato::riuscito;
        }
        // A name of no kind: the content tells, and a compiled file is small
        // enough to be looked at whole.
        if (fonte.size() > massimo_di_ogni_tipo())
            throw FileMalformato(0, "file di " + std::to_string(fonte.size()) +
                                        " byte: nessun file compilato ne ha più di " +
                                        std::to_string(massimo_di_ogni_tipo()));
        const std::string byte = tutto(fonte);
        const TipoFile t = riconosci_file(file, byte);
        tipo = nome_tipo_file(t);
        scrivi_dump(out, t, byte, formato, passo);
        if (t == TipoFile::voci) esamina_sim(err, file, byte, false);
        return stato::riuscito;
    } catch (const FileMalformato& e) {
        riporta_malformato(err, file, tipo, e);
        return stato::non_riuscito;
    }
}

}  // namespace compattatore
