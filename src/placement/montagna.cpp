// memo_montagna: marks a stretch of line with its montagna kind and, on
// request, drops a free mark in every fourth cell of the stretch.
#include <algorithm>

#include "placement/griglia.h"
#include "placement/posa.h"
#include "tables/arrotonda.h"
#include "tables/costanti_formato.h"

namespace compattatore {

Codice memo_montagna(std::vector<Cella>& celle, Montagne& montagne, std::int32_t inizio, std::int32_t fine,
                     std::int32_t tipo) {
    // The lists are full: the record cannot be remembered, so it is refused
    // as a whole instead of writing past the lists.
    if (montagne.numero >= massimo_montagne || montagne.numero < 0) return codice_valore_fuori_campo;

    bool segni = false;
    if (tipo > 10) {
        segni = true;
        tipo -= 10;
    }

    montagne.numero += 1;
    const auto n = static_cast<std::size_t>(montagne.numero);
    montagne.inizi[n] = inizio;
    montagne.fini[n] = fine;

    // Two stretches that almost touch are run as one hard stretch.
    if (montagne.numero > 1 && static_cast<std::int64_t>(inizio) - montagne.fini[n - 1] <= 150) {
        tipo = 3;
    }

    const std::int64_t prima = arrotonda(static_cast<double>(inizio) / lunghezza_cella);
    const std::int64_t ultima = arrotonda(static_cast<double>(fine) / lunghezza_cella - 1.0);

    // Cells are numbered from the first of the range even when the range
    // starts before the grid, so the marks keep their places; cells outside
    // the grid are skipped.
    const std::int64_t da = std::max<std::int64_t>(prima, 0);
    const std::int64_t a = std::min<std::int64_t>(ultima, static_cast<std::int64_t>(celle.size()) - 1);
    for (std::int64_t c = da; c <= a; ++c) {
        if (!nella_griglia(celle, c)) continue;
        Cella& x = cella(celle, c);
        x.montagna = static_cast<std::uint8_t>(tipo & 0xFF);
        const std::int64_t numero = c - prima + 1;
        if (segni && numero % 4 == 0 && x.tipo == TipoCella::vuota) {
            x.tipo = TipoCella::segno_montagna;
        }
    }
    return Codice::nessuno;
}

}  // namespace compattatore
