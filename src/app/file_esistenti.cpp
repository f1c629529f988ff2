#include "app/file_esistenti.h"

#include <optional>
#include <ostream>
#include <system_error>

#include "app/lettura_descrizioni.h"
#include "platform/file_handle.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_reason.h"

namespace compattatore {

bool esiste(const std::filesystem::path& file) {
    std::error_code ec;
    const bool c_e = std::filesystem::exists(file, ec);
    if (ec) throw IoError(file, system_reason(ec));
    return c_e;
}

bool rifiuta_esistenti(std::initializer_list<std::filesystem::path> file, std::ostream& err) {
    bool esistenti = false;
    for (const std::filesystem::path& f : file) {
        // A link stands there too, even one that leads nowhere.
        if (what_stands_at(f) == ExistingName::none) continue;
        err << "compattatore: " << path_text(f) << ": esiste già; --force per sostituirlo\n";
        esistenti = true;
    }
    if (esistenti) err << "nessun file scritto\n";
    return esistenti;
}

bool rifiuta_diverse(std::initializer_list<std::pair<std::filesystem::path, std::string_view>> file,
                     const std::filesystem::path& cartella, std::ostream& err) {
    bool diverse = false;
    for (const auto& [f, atteso] : file) {
        // Followed, a link would have the run read, replace and delete a
        // file elsewhere.
        if (what_stands_at(f) == ExistingName::link) throw IoError(f, "è un collegamento, non un file");
        const std::optional<DescrizioneLetta> letta = leggi_descrizione(f);
        if (!letta || letta->testo == atteso) continue;
        err << "compattatore: " << path_text(f)
            << ": file di descrizione diverso da quello predefinito: non viene sostituito\n"
            << "  per compilarlo: compattatore compile \"" << path_text(cartella)
            << "\"; per riavere quello predefinito: eliminarlo e ripetere\n";
        diverse = true;
    }
    if (diverse) err << "nessun file scritto\n";
    return diverse;
}

}  // namespace compattatore
