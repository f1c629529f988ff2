// memo_indicatori_v_max: a maximum-speed indicator, left and right boards
// folded into one cell.
#include "placement/griglia.h"
#include "placement/posa.h"
#include "tables/arrotonda.h"
#include "tables/celle.h"

namespace compattatore {

namespace {
// Right-hand speed in fives plus the left-hand speed in the hundreds.
std::int64_t velocita_codificata(std::int32_t destra, std::int32_t sinistra) {
    return arrotonda(static_cast<double>(destra) / 5.0 + static_cast<double>(sinistra) * 20.0);
}
}  // namespace

Codice memo_indicatori_v_max(std::vector<Cella>& celle, std::int32_t posizione, std::int32_t vas, std::int32_t vbs,
                             std::int32_t vcs, std::int32_t strisces, std::int32_t vad, std::int32_t vbd,
                             std::int32_t vcd, std::int32_t strisced) {
    const std::int64_t c = cella_di(posizione);
    if (occupata(celle, c)) return Codice::indicatore_su_cella_occupata;

    const std::int64_t v1 = velocita_codificata(vad, vas);
    const std::int64_t v2 = velocita_codificata(vbd, vbs);
    const std::int64_t v3 = velocita_codificata(vcd, vcs);
    const std::int64_t v4 = static_cast<std::int64_t>(strisces) * 10 + strisced;
    if (!sta_in_16_bit(v1) || !sta_in_16_bit(v2) || !sta_in_16_bit(v3) || !sta_in_16_bit(v4)) {
        return codice_valore_fuori_campo;
    }
    if (!nella_griglia(celle, c)) return Codice::nessuno;

    Cella& x = cella(celle, c);
    x.tipo = TipoCella::indicatore_v_max;
    x.valore1 = static_cast<std::int16_t>(v1);
    x.valore2 = static_cast<std::int16_t>(v2);
    x.valore3 = static_cast<std::int16_t>(v3);
    x.valore4 = static_cast<std::int16_t>(v4);
    return Codice::nessuno;
}

}  // namespace compattatore
