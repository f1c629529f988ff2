#include "app/file_esistenti.h"

#include <ostream>
#include <system_error>

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
        if (!esiste(f)) continue;
        err << "compattatore: " << path_text(f) << ": esiste già; --force per sostituirlo\n";
        esistenti = true;
    }
    if (esistenti) err << "nessun file scritto\n";
    return esistenti;
}

}  // namespace compattatore
