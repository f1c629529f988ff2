#include "lsp/formato.h"

namespace compattatore::lsp {

std::string dove_va(const lettore::Record& r) {
    if (r.solo_documenti) return "del treno, per i documenti del macchinista";
    switch (r.contesto) {
        case lettore::Contesto::generale: return "della sezione [generale] della linea";
        case lettore::Contesto::linea: return "della linea, nella sezione " + std::string(r.sezione);
        case lettore::Contesto::treno: return "del treno, nella sezione " + std::string(r.sezione);
    }
    return {};
}

std::string modello_record(const lettore::Record& r, std::string_view parola) {
    std::string s(parola);
    int n = 1;
    for (const lettore::Campo& c : r.campi) {
        // A snippet's placeholder ends at "}": a name never holds one.
        s += ",  ${" + std::to_string(n++) + ":" + std::string(c.nome) + "}";
    }
    return s;
}

std::string elenco_campi(const lettore::Record& r) {
    std::string t;
    int n = 1;
    for (const lettore::Campo& c : r.campi)
        t += std::to_string(n++) + ". **" + std::string(c.nome) + "**: " + lettore::descrivi_campo(c) + "\n";
    return t;
}

}  // namespace compattatore::lsp
