#include "authoring/dump.h"

namespace compattatore {

void scrivi_dump(std::ostream& out, TipoFile tipo, std::string_view byte, FormatoDump formato, std::int32_t passo) {
    const bool json = formato == FormatoDump::json;
    switch (tipo) {
        case TipoFile::griglia: {
            const std::vector<Cella> celle = decodifica_griglia(byte);
            json ? json_griglia(out, celle) : elenca_griglia(out, celle);
            break;
        }
        case TipoFile::voci: {
            const Voci voci = decodifica_voci(byte);
            json ? json_voci(out, voci, byte.size()) : elenca_voci(out, voci, byte.size());
            break;
        }
        case TipoFile::piano: {
            const TabellaLinea t = decodifica_tabella_linea(byte);
            json ? json_piano(out, t, byte.size(), passo) : elenca_piano(out, t, byte.size(), passo);
            break;
        }
    }
}

}  // namespace compattatore
