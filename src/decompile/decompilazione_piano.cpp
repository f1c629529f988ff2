// The plan: the curve rows from the change of heading of each metre.
//
// Each metre of the plan continues the two before it, turned by the
// curvature k of the curve it lies in:
//   x = x1 + dx + k*dy,  y = y1 + dy - k*dx    (straight: x1 + dx, y1 + dy)
// with (dx, dy) the difference of the two metres before.  The recurrence is
// exact, so each metre is tried against the straight step and the twelve
// curvatures, with the very operations of the reader, until one gives its
// two coordinates bit for bit.
#include <array>
#include <bit>
#include <cstdint>

#include "decompile/decompilazione_analisi.h"
#include "tables/arrotonda.h"
#include "tables/costanti_formato.h"

namespace compattatore::decompilazione {

namespace {

// Curvature per metre of the classes 1 to 6; a left-hand curve turns by
// the negated value.
constexpr std::array<double, 6> curvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

bool stessi_bit(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

struct Metri {
    double x0, y0, x1, y1;

    bool dritto(double x, double y) const {
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        return stessi_bit(x, x1 + dx) && stessi_bit(y, y1 + dy);
    }
    bool in_curva(double k, double x, double y) const {
        const double dx = x1 - x0;
        const double dy = y1 - y0;
        return stessi_bit(x, x1 + dx + k * dy) && stessi_bit(y, y1 + dy - k * dx);
    }
    bool con(double k, double x, double y) const { return k == 0.0 ? dritto(x, y) : in_curva(k, x, y); }
};

// A stretch of metres [primo, ultimo] bent by k, as its row.
Curva riga(std::int64_t primo, std::int64_t ultimo, double k) {
    Curva c;
    c.inizio = static_cast<std::int32_t>(primo - 1);
    c.lunghezza = static_cast<std::int32_t>(ultimo - primo + 1);
    c.sinistra = k < 0;
    const double modulo = k < 0 ? -k : k;
    for (std::size_t i = 0; i < curvature.size(); ++i)
        if (curvature[i] == modulo) c.classe = static_cast<int>(i) + 1;
    return c;
}

}  // namespace

std::vector<Curva> curve(const TabellaLinea& piano) {
    std::vector<Curva> righe;
    if (piano.righe < 3) return righe;
    // A curve's start must lie inside the grid, up to 100 m before its end.
    // A curve that follows another without a straight metre may start
    // anywhere before its first metre, as the plan is computed already up to
    // there: near the end of the grid it starts at the last start allowed.
    const std::int64_t celle = arrotonda(static_cast<double>(piano.righe - 1) / lunghezza_cella);
    const std::int64_t ultimo_inizio = lunghezza_cella * celle - 100;
    auto aggiungi = [&](std::int64_t primo, std::int64_t ultimo, double k) {
        Curva c = riga(primo, ultimo, k);
        const bool di_seguito = !righe.empty() && righe.back().inizio + righe.back().lunghezza == primo - 1;
        if (di_seguito && c.inizio > ultimo_inizio) {
            c.lunghezza = static_cast<std::int32_t>(ultimo - ultimo_inizio);
            c.inizio = static_cast<std::int32_t>(ultimo_inizio);
        }
        righe.push_back(c);
    };
    auto reale = [&piano](std::int32_t m) {
        return piano(m, 0).stato == ValoreTabella::Stato::reale && piano(m, 1).stato == ValoreTabella::Stato::reale;
    };

    Metri t{piano.numero(0, 0), piano.numero(0, 1), piano.numero(1, 0), piano.numero(1, 1)};
    double k_corsa = 0.0;
    std::int64_t inizio_corsa = 2;
    std::int32_t m = 2;
    for (; m < piano.righe && reale(m); ++m) {
        const double x = piano.numero(m, 0);
        const double y = piano.numero(m, 1);
        // Most metres go on as the one before them.
        double k = k_corsa;
        if (!t.con(k, x, y)) {
            if (k != 0.0 && t.dritto(x, y)) {
                k = 0.0;
            } else {
                // A metre that no curvature gives keeps the one before it; the
                // comparison of the compiled plans shows it.
                for (double c : curvature) {
                    if (t.in_curva(c, x, y)) {
                        k = c;
                        break;
                    }
                    if (t.in_curva(-c, x, y)) {
                        k = -c;
                        break;
                    }
                }
            }
        }
        if (!stessi_bit(k, k_corsa)) {
            if (k_corsa != 0.0) aggiungi(inizio_corsa, m - 1, k_corsa);
            k_corsa = k;
            inizio_corsa = m;
        }
        t = {t.x1, t.y1, x, y};
    }
    if (k_corsa != 0.0) aggiungi(inizio_corsa, m - 1, k_corsa);
    return righe;
}

}  // namespace compattatore::decompilazione
