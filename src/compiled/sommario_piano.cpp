#include "compiled/sommario_piano.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace compattatore {

namespace {

std::optional<double> valore(const ValoreTabella& e) {
    if (e.stato == ValoreTabella::Stato::vuoto) return std::nullopt;
    return e.valore;
}

// The heading of the step from one row's point to the next.
std::optional<double> rotta_tra(std::optional<double> x0, std::optional<double> y0, std::optional<double> x1,
                                std::optional<double> y1) {
    if (!x0 || !y0 || !x1 || !y1) return std::nullopt;
    const double dx = *x1 - *x0, dy = *y1 - *y0;
    if (dx == 0 && dy == 0) return std::nullopt;
    double gradi = std::atan2(dx, dy) * 180.0 / std::numbers::pi;
    if (gradi < 0) gradi += 360.0;
    if (gradi >= 360.0) gradi -= 360.0;
    return gradi;
}

class ColonnaTabella : public LettoreColonna {
public:
    ColonnaTabella(const TabellaLinea& t, int c) : t_(t), c_(c) {}
    ValoreTabella prossimo() override { return t_(r_++, c_); }

private:
    const TabellaLinea& t_;
    int c_;
    std::int32_t r_ = 0;
};

// Calls riga(m, x, y) for every row in order.
template <class F>
void per_ogni_riga(const SorgentePiano& p, F&& riga) {
    const std::unique_ptr<LettoreColonna> x = p.colonna(0), y = p.colonna(1);
    for (std::int32_t m = 0; m < p.righe(); ++m) {
        const ValoreTabella vx = x->prossimo(), vy = y->prossimo();
        riga(m, valore(vx), valore(vy));
    }
}

}  // namespace

SorgenteTabella::SorgenteTabella(const TabellaLinea& t) : t_(t) {
    for (const ValoreTabella& e : t.elementi) ++conteggi_[static_cast<int>(e.stato)];
}

std::unique_ptr<LettoreColonna> SorgenteTabella::colonna(int coordinata) const {
    return std::make_unique<ColonnaTabella>(t_, coordinata);
}

std::optional<double> coordinata(const TabellaLinea& t, std::int32_t riga, int c) { return valore(t(riga, c)); }

SommarioPiano riassumi_sorgente(const SorgentePiano& p, std::int32_t passo) {
    SommarioPiano r;
    r.righe = p.righe();
    r.passo = passo;
    r.vuoti = p.vuoti();
    r.interi = p.interi();
    r.reali = p.reali();
    // The previous row's point, when it had one.
    bool precedente = false;
    double px = 0, py = 0;
    per_ogni_riga(p, [&](std::int32_t m, std::optional<double> x, std::optional<double> y) {
        if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) {
            precedente = false;
            return;
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
    });
    return r;
}

void per_ogni_punto(const SorgentePiano& p, std::int32_t passo,
                    const std::function<void(const PuntoPiano&, std::optional<double>)>& punto) {
    if (passo <= 0) return;
    std::optional<double> px, py;
    per_ogni_riga(p, [&](std::int32_t m, std::optional<double> x, std::optional<double> y) {
        if (m % passo == 0) punto({m, x, y}, m >= 1 ? rotta_tra(px, py, x, y) : std::nullopt);
        px = x;
        py = y;
    });
}

SommarioPiano riassumi_piano(const TabellaLinea& t, std::int32_t passo) {
    const SorgenteTabella p(t);
    SommarioPiano r = riassumi_sorgente(p, passo);
    per_ogni_punto(p, passo, [&r](const PuntoPiano& punto, std::optional<double>) { r.punti.push_back(punto); });
    return r;
}

std::optional<double> rotta(const TabellaLinea& t, std::int32_t riga) {
    if (riga < 1 || riga >= t.righe) return std::nullopt;
    return rotta_tra(coordinata(t, riga - 1, 0), coordinata(t, riga - 1, 1), coordinata(t, riga, 0),
                     coordinata(t, riga, 1));
}

}  // namespace compattatore
