#include "lsp/formato.h"

namespace compattatore::lsp {

std::vector<CampoDescritto> campi_della_parola(const lettore::ParolaChiave&) { return {}; }

std::string dove_va(const lettore::ParolaChiave& p) {
    if (p.solo_documenti) return "del treno, per i documenti del macchinista";
    switch (p.contesto) {
        case lettore::Contesto::generale: return "della sezione [generale] della linea";
        case lettore::Contesto::linea: return "della linea";
        case lettore::Contesto::treno: return "del treno";
    }
    return {};
}

std::string modello_record(const lettore::ParolaChiave& p) {
    std::string s(p.parola);
    const auto campi = campi_della_parola(p);
    int n = 1;
    for (const CampoDescritto& c : campi) s += ",  ${" + std::to_string(n++) + ":" + c.nome + "}";
    if (campi.empty()) s += ",  $1";
    return s;
}

}  // namespace compattatore::lsp
