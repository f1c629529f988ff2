#include "app/lettura_descrizioni.h"

#include <exception>

#include "platform/file_io.h"
#include "platform/replaced_file.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void troppo_grande(const fs::path& file, std::uint64_t byte) {
    throw IoError(file, "file di " + std::to_string(byte) + " byte, oltre il massimo di " +
                            std::to_string(massimo_byte_descrizione) + " byte di un file di descrizione");
}

}  // namespace

std::optional<DescrizioneLetta> leggi_descrizione(const fs::path& file) {
    std::optional<FileHandle> h = FileHandle::open_read_if_exists(file);
    if (!h) return std::nullopt;
    if (!h->is_regular()) throw IoError(file, "non è un file ma una cartella, un dispositivo o una pipe");
    const std::uint64_t dichiarati = h->size();
    if (dichiarati > massimo_byte_descrizione) troppo_grande(file, dichiarati);

    DescrizioneLetta d{{}, h->identity()};
    d.testo.reserve(static_cast<std::size_t>(dichiarati));
    // Read to the end whatever the size said, for a file that grows
    // meanwhile, but never past the bound.
    char blocco[16384];
    while (const std::size_t n = h->read_some(blocco, sizeof blocco)) {
        if (d.testo.size() + n > massimo_byte_descrizione) troppo_grande(file, d.testo.size() + n);
        d.testo.append(blocco, n);
    }
    return d;
}

DescrizioniProprie::DescrizioniProprie() : eccezioni_(std::uncaught_exceptions()) {}

DescrizioniProprie::~DescrizioniProprie() {
    // Only a run that ends early tidies up: after a normal end a file that
    // the reader never got to stays, as it always has.
    if (std::uncaught_exceptions() <= eccezioni_) return;
    for (const Scritta& s : scritte_) {
        if (s.eliminata) continue;
        try {
            remove_file_if(s.file, s.identita);
        } catch (...) {
            // Already failing: the first failure is the one reported.
        }
    }
}

void DescrizioniProprie::scrivi(const fs::path& file, std::string testo) {
    const FileIdentity identita = place_transient_file(file, testo);
    scritte_.push_back({file, std::move(testo), identita, false});
}

void DescrizioniProprie::elimina(const fs::path& file, const DescrizioneLetta& letta) {
    for (Scritta& s : scritte_) {
        if (s.eliminata || s.file != file) continue;
        if (s.identita != letta.identita || s.testo != letta.testo) return;
        remove_file_if(file, s.identita);
        s.eliminata = true;
        return;
    }
}

}  // namespace compattatore
