// `reference [PAROLA]`: the reference of the description format, whole or
// one record's, on the terminal.
#include <optional>
#include <ostream>
#include <string>

#include "app/comandi.h"
#include "reader/formato_descrizione.h"
#include "reader/parole_chiave.h"
#include "reader/riferimento_formato.h"

namespace compattatore {

StatoUscita comando_reference(std::string_view parola, std::ostream& out, std::ostream& err) {
    if (parola.empty()) {
        out << lettore::riferimento_formato();
        return stato::riuscito;
    }
    if (const std::optional<std::string> r = lettore::riferimento_record(parola)) {
        out << *r;
        return stato::riuscito;
    }
    err << "compattatore: \"" << parola << "\" non è una parola chiave delle descrizioni";
    for (const lettore::Contesto c : {lettore::Contesto::generale, lettore::Contesto::linea, lettore::Contesto::treno})
        if (const std::optional<std::string_view> vicina = lettore::parola_vicina(parola, c)) {
            err << "; forse \"" << *vicina << "\"?";
            break;
        }
    err << "\n(compattatore reference senza parola elenca tutti i record)\n";
    return stato::riga_di_comando;
}

std::string parole_del_riferimento() {
    std::string r;
    for (const lettore::Record& k : lettore::formato_descrizione().records) {
        if (!r.empty()) r += ", ";
        r += k.parole.front();
    }
    return r;
}

}  // namespace compattatore
