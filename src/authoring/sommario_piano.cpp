#include "authoring/sommario_piano.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace compattatore {

std::optional<double> coordinata(const TabellaLinea& t, std::int32_t riga, int c) {
    const ValoreTabella& e = t(riga, c);
    if (e.stato == ValoreTabella::Stato::vuoto) return std::nullopt;
    return e.valore;
}

SommarioPiano riassumi_piano(const TabellaLinea& t, std::int32_t passo) {
    SommarioPiano r;
    r.righe = t.righe;
    r.passo = passo;
    for (const ValoreTabella& e : t.elementi) {
        switch (e.stato) {
            case ValoreTabella::Stato::vuoto: ++r.vuoti; break;
            case ValoreTabella::Stato::intero16: ++r.interi; break;
            case ValoreTabella::Stato::reale: ++r.reali; break;
        }
    }
    // The previous row's point, when it had one.
    bool precedente = false;
    double px = 0, py = 0;
    for (std::int32_t m = 0; m < t.righe; ++m) {
        const std::optional<double> x = coordinata(t, m, 0), y = coordinata(t, m, 1);
        if (passo > 0 && m % passo == 0) r.punti.push_back({m, x, y});
        if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) {
            precedente = false;
            continue;
        }
        if (r.righe_con_punto == 0) {
            r.prima_riga = m;
            r.x_min = r.x_max = *x;
            r.y_min = r.y_max = *y;
        } else {
            r.x_min = std::min(r.x_min, *x);
            r.x_max = std::max(r.x_max, *x);
            r.y_min = std::min(r.y_min, *y);
            r.y_max = std::max(r.y_max, *y);
        }
        if (precedente) r.sviluppo += std::hypot(*x - px, *y - py);
        precedente = true;
        px = *x;
        py = *y;
        r.ultima_riga = m;
        ++r.righe_con_punto;
    }
    return r;
}

std::optional<double> rotta(const TabellaLinea& t, std::int32_t riga) {
    if (riga < 1 || riga >= t.righe) return std::nullopt;
    const auto x0 = coordinata(t, riga - 1, 0), y0 = coordinata(t, riga - 1, 1);
    const auto x1 = coordinata(t, riga, 0), y1 = coordinata(t, riga, 1);
    if (!x0 || !y0 || !x1 || !y1) return std::nullopt;
    const double dx = *x1 - *x0, dy = *y1 - *y0;
    if (dx == 0 && dy == 0) return std::nullopt;
    double gradi = std::atan2(dx, dy) * 180.0 / std::numbers::pi;
    if (gradi < 0) gradi += 360.0;
    if (gradi >= 360.0) gradi -= 360.0;
    return gradi;
}

}  // namespace compattatore
