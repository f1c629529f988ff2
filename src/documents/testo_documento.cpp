#include "documents/testo_documento.h"

namespace compattatore {

std::string testo_crlf(const std::vector<std::string>& righe) {
    std::size_t n = 0;
    for (const std::string& r : righe) n += r.size() + 2;
    std::string t;
    t.reserve(n);
    for (const std::string& r : righe) {
        t.append(r);
        t.append("\r\n");
    }
    return t;
}

}  // namespace compattatore
