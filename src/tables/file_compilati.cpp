#include "tables/file_compilati.h"

#include <limits>
#include <stdexcept>

namespace compattatore {

void codifica_cella(std::string& out, const Cella& c) { codifica::aggiungi_record(campi_cella, c, out); }

void codifica_voce(std::string& out, const Voce& v) {
    if (v.nome.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::length_error("testo di una voce troppo lungo per il file .sim");
    codifica::aggiungi_record(campi_voce, v, out);
}

std::string codifica_griglia(const std::vector<Cella>& celle) {
    std::string out(celle.size() * byte_cella, '\0');
    scrivi_celle(celle.data(), celle.size(), out.data());
    return out;
}

std::string codifica_voci(const Voci& voci) {
    std::string out;
    for (const Voce& v : voci) codifica_voce(out, v);
    return out;
}

std::string codifica_tabella_linea(const TabellaLinea& t) {
    std::string out;
    pezzi_tabella_linea(t, [&out](std::string_view p) { out.append(p); });
    return out;
}

}  // namespace compattatore
