#include "plot/etichette.h"

#include <algorithm>

namespace compattatore {

namespace {

constexpr double em_normale = 0.62, em_grassetto = 0.70;
constexpr double sopra_linea = 0.8, sotto_linea = 0.25;

// Whether the segment a-b meets the box (Liang-Barsky clipping).
bool segmento_nel_riquadro(PuntoSvg a, PuntoSvg b, const Riquadro& r) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.x0, r.x1 - a.x, a.y - r.y0, r.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

}  // namespace

std::size_t caratteri_utf8(std::string_view t) {
    std::size_t n = 0;
    for (char c : t)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

Riquadro riquadro_testo(double x, double y, std::string_view t, Carattere c, Ancora a, bool verticale) {
    const double largo = static_cast<double>(caratteri_utf8(t)) * c.corpo * (c.grassetto ? em_grassetto : em_normale);
    const double da = a == Ancora::inizio ? 0 : a == Ancora::centro ? -largo / 2 : -largo;
    const double sopra = c.corpo * sopra_linea, sotto = c.corpo * sotto_linea;
    if (!verticale) return {x + da, y - sopra, x + da + largo, y + sotto};
    // Turned clockwise: the text runs down from (x, y), its top to the right.
    return {x - sotto, y + da, x + sopra, y + da + largo};
}

std::string accorcia(std::string_view utf8, std::size_t n) {
    if (n == 0 || caratteri_utf8(utf8) <= n) return std::string(utf8);
    std::size_t i = 0, contati = 0;
    for (; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
        if (contati == n - 1) break;
        ++contati;
    }
    return std::string(utf8.substr(0, i)) + "\u2026";
}

void Etichette::segmento(PuntoSvg a, PuntoSvg b) { segmenti_.emplace_back(a, b); }

bool Etichette::tocca_segmento(const Riquadro& r) const {
    for (const auto& [a, b] : segmenti_) {
        if (std::max(a.x, b.x) < r.x0 || std::min(a.x, b.x) > r.x1 || std::max(a.y, b.y) < r.y0 ||
            std::min(a.y, b.y) > r.y1)
            continue;
        if (segmento_nel_riquadro(a, b, r)) return true;
    }
    return false;
}

bool Etichette::prendi(const Riquadro& r) {
    if (!area_.contiene(r)) return false;
    for (const Riquadro& o : ostacoli_)
        if (o.interseca(r)) return false;
    if (tocca_segmento(r)) return false;
    ostacoli_.push_back(r);
    return true;
}

}  // namespace compattatore
