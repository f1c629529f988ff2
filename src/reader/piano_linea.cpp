#include "reader/piano_linea.h"

#include <algorithm>
#include <array>
#include <string>

#include "reader/avvisi.h"
#include "reader/parole_chiave.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

namespace {

// The plan never goes beyond this metre.
constexpr std::int32_t metro_massimo = lunghezza_massima_linea;

// Curvature per metre of the radius classes 1 to 6.
constexpr std::array<double, 6> curvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// The metres from metro_piano up to `ultimo`, straight or along a curve of
// curvature k; with `limitato` the plan stops with code 103 once it has
// passed metro_massimo.  Each metre continues from the two before it, which
// are read from the table once and then carried along: the table holds
// exactly the doubles written, so the results are those of reading them back.
template <bool in_curva>
Esito tratto(Lettura& l, std::int64_t ultimo, double k, bool limitato) {
    TabellaLinea& t = l.s.tabella_linea;
    std::int32_t m = l.metro_piano;
    if (m > ultimo) return Esito::avanti;
    if (m < 2) throw GuastoImprevisto("metro del piano prima delle due righe iniziali");

    std::int64_t fino = std::min<std::int64_t>(ultimo, t.righe - 1);
    if (limitato) fino = std::min<std::int64_t>(fino, metro_massimo);
    if (m <= fino) {
        double x0 = t.numero(m - 2, 0), y0 = t.numero(m - 2, 1);
        double x1 = t.numero(m - 1, 0), y1 = t.numero(m - 1, 1);
        std::byte* sx = t.elementi.slot(t.indice(m, 0));
        std::byte* sy = t.elementi.slot(t.indice(m, 1));
        for (; m <= fino; ++m, sx += slot_piano::byte, sy += slot_piano::byte) {
            const double dx = x1 - x0;
            const double dy = y1 - y0;
            double x, y;
            if constexpr (in_curva) {
                x = x1 + dx + k * dy;
                y = y1 + dy - k * dx;
            } else {
                x = x1 + dx;
                y = y1 + dy;
            }
            slot_piano::poni_reale(sx, x);
            slot_piano::poni_reale(sy, y);
            x0 = x1;
            y0 = y1;
            x1 = x;
            y1 = y;
        }
    }
    l.metro_piano = m;
    if (limitato && m > metro_massimo)
        return ferma(l, Codice::tracciato_non_valido, 2, {"il tracciato non va oltre il metro " + std::to_string(metro_massimo)});
    if (m <= ultimo)
        throw GuastoImprevisto("curva oltre la fine del tracciato", 2, false,
                               {"il tracciato arriva alla lunghezza del percorso più " + std::to_string(prolungamento_linea) + " m"});
    return Esito::avanti;
}

}  // namespace

std::optional<double> curvatura(std::string_view chiave) {
    static constexpr std::array<std::string_view, 6> cifre = {"1", "2", "3", "4", "5", "6"};
    for (std::size_t i = 0; i < cifre.size(); ++i) {
        if (contiene(chiave, cifre[i])) return contiene_ci(chiave, "s") ? -curvature[i] : curvature[i];
    }
    return std::nullopt;
}

Esito curva(Lettura& l, const std::string& chiave) {
    const std::int32_t inizio = l.f().leggi_32();
    const std::int32_t lunghezza = l.f().leggi_32();
    if (Esito e = dentro_griglia(l, inizio); e != Esito::avanti) return e;
    const std::optional<double> k = curvatura(chiave);
    if (!k)
        return ferma(l, Codice::tracciato_non_valido, 0,
                     {"la classe della curva è una cifra da 1 a 6 nella chiave, come in \"curvas1\" o \"curvad6\""});
    posizione_negativa(l, inizio);
    lunghezza_negativa(l, lunghezza, 2, "curva di lunghezza negativa");
    if (inizio <= VistaIntestazione{l.s.voci}.lunghezza_linea())
        oltre_fine_linea(l, static_cast<std::int64_t>(inizio) + lunghezza, 2, "curva che finisce");
    tratto_successivo(l, l.ricordi.curva, inizio, static_cast<std::int64_t>(inizio) + lunghezza, nome_corrente(l),
                      Avviso::curve_sovrapposte, "piega soltanto i metri che seguono la fine della precedente");

    // Straight up to the start of the curve; a curve that starts before the
    // next metre to compute bends only the metres still to come.
    if (Esito e = tratto<false>(l, inizio, 0.0, true); e != Esito::avanti) return e;
    return tratto<true>(l, static_cast<std::int64_t>(inizio) + lunghezza, *k, true);
}

void coda_piano(Lettura& l) {
    tratto<false>(l, static_cast<std::int64_t>(l.s.lunghezza_estesa) - 2, 0.0, false);
}

}  // namespace compattatore::lettore
