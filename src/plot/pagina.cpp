#include "plot/pagina.h"

#include <algorithm>
#include <cmath>

#include "compiled/descrizione.h"
#include "format/formato.h"

namespace compattatore::grafico {

namespace {

constexpr const char* stile =
    R"(text { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 11px; fill: #333333; }
.titolo { font-size: 26px; font-weight: bold; fill: #1a1a1a; }
.sottotitolo { font-size: 14px; fill: #555555; }
.sezione { font-size: 16px; font-weight: bold; fill: #1a1a1a; }
.nota { font-size: 12px; fill: #333333; }
.nota-forte { font-size: 12px; font-weight: bold; fill: #1a1a1a; }
.titolo-asse { font-size: 12px; font-weight: bold; fill: #222222; }
.tacca-testo { font-size: 11px; fill: #555555; }
.fine-testo { text-anchor: end; }
.centro-testo { text-anchor: middle; }
.riquadro { fill: #fcfcfc; stroke: #bbbbbb; stroke-width: 1; }
.griglia { stroke: #e6e6e6; stroke-width: 1; }
.asse { stroke: #444444; stroke-width: 1; }
.zero { stroke: #888888; stroke-width: 1; }
.binario { fill: none; stroke: #3a3a3a; stroke-width: 2; stroke-linejoin: round; stroke-linecap: round; }
.tacca-km { fill: #ffffff; stroke: #3a3a3a; stroke-width: 1.5; }
.testo-km { font-size: 10px; fill: #3a3a3a; paint-order: stroke; stroke: #ffffff; stroke-width: 3px; stroke-linejoin: round; }
.inizio { fill: #2ca02c; stroke: #ffffff; stroke-width: 1; }
.fine { fill: #111111; stroke: #ffffff; stroke-width: 1; }
.stazione { fill: #7fa0d6; stroke: #1f4e9c; stroke-width: 1; }
.stazione-orario { fill: #1f4e9c; stroke: #ffffff; stroke-width: 1.5; }
.nome-stazione { font-size: 10px; fill: #2a5db0; }
.nome-stazione-orario { font-size: 12px; font-weight: bold; fill: #12336b; }
.alone { paint-order: stroke; stroke: #ffffff; stroke-width: 3px; stroke-linejoin: round; }
.segnale { fill: #d62728; }
.indicatore { fill: #f28e2b; }
.cartello { fill: #8c8c8c; }
.montagna { fill: #a0522d; }
.fascia-montagna { fill: #d9c3a5; fill-opacity: 0.45; }
.salita { fill: #e8a87c; }
.discesa { fill: #85c1a7; }
.linea-pendenza { fill: none; stroke: #6b4e16; stroke-width: 1; }
.linea-velocita { fill: none; stroke: #1f77b4; stroke-width: 2; }
.linea-aderenza { fill: none; stroke: #8e44ad; stroke-width: 1.5; }
.rallentamento { stroke: #d62728; stroke-width: 4; }
.blocco-rallentamento { fill: #d62728; }
.avviso { stroke: #d62728; stroke-width: 1.2; stroke-dasharray: 3 2; }
.fascia-rallentamento { fill: #d62728; fill-opacity: 0.18; }
.testo-rallentamento { font-size: 11px; font-weight: bold; fill: #d62728; }
.guida { stroke: #9db4dd; stroke-width: 1; stroke-dasharray: 4 3; }
)";

}  // namespace

// A round step (1, 2 or 5 times a power of ten) that cuts `intervallo` into
// about `quante` parts.
double passo_tondo(double intervallo, double quante) {
    if (!(intervallo > 0)) return 1;
    const double grezzo = intervallo / quante;
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * potenza >= grezzo) return m * potenza;
    return 10 * potenza;
}

// The multiples of `passo` from `da` to `a`, both included, computed from
// their index so that rounding never stalls the count; at most 200.
std::vector<double> tacche(double da, double a, double passo) {
    std::vector<double> r;
    if (!(passo > 0) || !std::isfinite(da) || !std::isfinite(a)) return r;
    const double primo = std::ceil(da / passo - 1e-9);
    for (int k = 0; k < 200; ++k) {
        const double v = (primo + k) * passo;
        if (v > a + passo * 1e-9) break;
        r.push_back(v);
    }
    return r;
}

// Route distances in kilometres for the page's figures; route positions to
// the metre, "12345 m", and the line's own kilometres as its posts show
// them, "km 15.395".
std::string km(double metri) { return formato("%.1f", metri / 1000.0); }
std::string metri(double m) { return formato("%.0f m", m); }
std::string km_linea(std::int64_t metri_linea) {
    const std::int64_t a = metri_linea < 0 ? -metri_linea : metri_linea;
    return formato("km %s%lld.%03lld", metri_linea < 0 ? "-" : "", static_cast<long long>(a / 1000),
                   static_cast<long long>(a % 1000));
}

// Numbers on an axis: no decimals unless the step needs them.
std::string tacca(double v, double passo) {
    if (std::fabs(v) < passo * 1e-9) v = 0;
    return passo >= 1 ? formato("%.0f", v) : formato("%.1f", v);
}

Pagina::Pagina(const ScenarioCompilato& s)
    : voci(s.voci()),
      piano(s.piano() ? &*s.piano() : nullptr),
      p(estrai_profilo(s)),
      progressive(s.progressive()),
      svg(larghezza_pagina, altezza_pagina, stile),
      x({0, p.lunghezza, margine_sx, margine_sx + larghezza_utile}) {}

std::string Pagina::luogo(double m) const {
    return metri(m) + " (" + km_linea(chilometro(progressive, static_cast<std::int32_t>(std::clamp(m, -2e9, 2e9)))) +
           ")";
}

bool Pagina::dentro(double da, double a, double& x0, double& x1) const {
    da = std::max(da, 0.0);
    a = std::min(a, p.lunghezza);
    if (a <= da) return false;
    x0 = x(da);
    x1 = x(a);
    return true;
}

void Pagina::testo_accorciato(double x_testo, double y, const std::string& t, std::size_t n, std::string_view classe,
                              double rotazione) {
    const std::string corto = accorcia(t, n);
    svg.testo(x_testo, y, corto, classe, rotazione, corto == t ? std::string_view{} : std::string_view{t});
}

std::string Pagina::descrivi(const StazioneLinea& st) const {
    std::string r = st.nome + " \u2014 " + luogo(st.posizione) + ", da " + metri(st.inizio) + " a " + metri(st.fine) +
                    ", tipo " + std::to_string(st.tipo);
    if (st.orario != 0) r += ", orario " + testo_orario(st.orario);
    return r;
}

double Pagina::passo_km() const { return passo_tondo(p.lunghezza, 40); }

}  // namespace compattatore::grafico
