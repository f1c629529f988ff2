#include "platform/system_reason.h"

#include <cerrno>
#include <cstring>

namespace compattatore {

namespace {

// The failures a user meets with files and folders, in the program's
// language; any other in the system's own words.
const char* in_italiano(int code) {
    switch (code) {
        case ENOENT: return "file o cartella inesistente";
        case EACCES: return "permesso negato";
        case EPERM: return "operazione non permessa";
        case ENOTDIR: return "non è una cartella";
        case EISDIR: return "è una cartella";
        case EEXIST: return "esiste già";
        case ENOTEMPTY: return "cartella non vuota";
        case ENOSPC: return "spazio esaurito sul dispositivo";
        case EROFS: return "file system in sola lettura";
        case ENAMETOOLONG: return "nome troppo lungo";
        case ELOOP: return "troppi collegamenti simbolici";
        case EMFILE: return "troppi file aperti";
        case EFBIG: return "file troppo grande";
        case EIO: return "errore di ingresso/uscita";
        case EPIPE: return "canale chiuso dall'altra parte";
        case EBUSY: return "risorsa occupata";
        case EXDEV: return "collegamento fra dispositivi diversi";
        case EINVAL: return "argomento non valido";
        case EBADF: return "descrittore di file non valido";
        default: return nullptr;
    }
}

}  // namespace

std::string system_reason(unsigned long code) {
    const int c = static_cast<int>(code);
    if (const char* t = in_italiano(c)) return t;
    return std::strerror(c);
}

std::string system_reason(const std::error_code& code) {
    if (code.category() == std::generic_category() || code.category() == std::system_category())
        return system_reason(static_cast<unsigned long>(code.value()));
    return code.message();
}

unsigned long last_system_error() { return static_cast<unsigned long>(errno); }

void clear_system_error() { errno = 0; }

}  // namespace compattatore
