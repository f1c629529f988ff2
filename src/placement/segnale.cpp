// memo_segnale: a signal in its cell, with the approach codes in the four
// cells before it at two-cell spacing.
#include "placement/griglia.h"
#include "placement/posa.h"
#include "tables/celle.h"

namespace compattatore {

Codice memo_segnale(std::vector<Cella>& celle, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                    std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx, std::int32_t d1,
                    std::int32_t d2, std::int32_t d3, std::int32_t tempo) {
    const std::int64_t c = cella_di(posizione);
    if (occupata(celle, c)) return Codice::segnale_su_cella_occupata;

    const std::int64_t tipi = static_cast<std::int64_t>(sx) * 3 + dx;
    const std::int64_t v4 = static_cast<std::int64_t>(rapp) * 10 + tipi;
    const std::int64_t v1 = static_cast<std::int64_t>(s1) * 10 + d1;
    const std::int64_t v2 = static_cast<std::int64_t>(s2) * 10 + d2;
    const std::int64_t v3 = static_cast<std::int64_t>(s3) * 10 + d3;

    // A short time is not meaningful to the simulator: anything from 1 to
    // 100 becomes 101.
    if (tempo >= 1 && tempo <= 100) tempo = 101;

    // The time goes into a byte only for a left-hand signal of type 2; there
    // a time outside 0..255 cannot be stored and refuses the signal.
    const bool con_tempo = sx == 2;
    if (!sta_in_16_bit(v1) || !sta_in_16_bit(v2) || !sta_in_16_bit(v3) || !sta_in_16_bit(v4) ||
        (con_tempo && (tempo < 0 || tempo > 255))) {
        return codice_valore_fuori_campo;
    }

    if (nella_griglia(celle, c)) {
        Cella& x = cella(celle, c);
        x.tipo = TipoCella::segnale;
        x.valore4 = static_cast<std::int16_t>(v4);
        x.valore1 = static_cast<std::int16_t>(v1);
        x.valore2 = static_cast<std::int16_t>(v2);
        x.valore3 = static_cast<std::int16_t>(v3);
        x.tempo = con_tempo ? static_cast<std::uint8_t>(tempo) : 0;
    }

    // The approach code is a byte: its low 8 bits are what the cell keeps.
    // It replaces whatever mark was there, whatever the cell holds.
    for (std::int64_t k = 1; k <= 4; ++k) {
        const std::int64_t p = c - 2 * k;
        if (!nella_griglia(celle, p)) continue;
        cella(celle, p).preavviso = static_cast<std::uint8_t>((tipi * 10 + k) & 0xFF);
    }
    return Codice::nessuno;
}

}  // namespace compattatore
