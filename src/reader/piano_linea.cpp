#include "reader/piano_linea.h"

#include <array>
#include <string>

#include "reader/parole_chiave.h"

namespace compattatore::lettore {

namespace {

// The plan never goes beyond this metre.
constexpr std::int32_t metro_massimo = 1000000;

// Curvature per metre of the radius classes 1 to 6.
constexpr std::array<double, 6> curvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// The metre m must be a row of the table.
TabellaLinea& riga_del_piano(Lettura& l, std::int32_t m) {
    TabellaLinea& t = l.s.tabella_linea;
    if (m < 2 || m >= t.righe) throw GuastoImprevisto("metro del piano oltre la tabella");
    return t;
}

}  // namespace

void passo_rettilineo(Lettura& l, std::int32_t m) {
    TabellaLinea& t = riga_del_piano(l, m);
    const double x1 = t(m - 1, 0).valore;
    const double y1 = t(m - 1, 1).valore;
    const double dx = x1 - t(m - 2, 0).valore;
    const double dy = y1 - t(m - 2, 1).valore;
    t(m, 0) = ValoreTabella::reale_(x1 + dx);
    t(m, 1) = ValoreTabella::reale_(y1 + dy);
}

void passo_curva(Lettura& l, std::int32_t m, double k) {
    TabellaLinea& t = riga_del_piano(l, m);
    const double x1 = t(m - 1, 0).valore;
    const double y1 = t(m - 1, 1).valore;
    const double dx = x1 - t(m - 2, 0).valore;
    const double dy = y1 - t(m - 2, 1).valore;
    t(m, 0) = ValoreTabella::reale_(x1 + dx + k * dy);
    t(m, 1) = ValoreTabella::reale_(y1 + dy - k * dx);
}

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
    if (oltre_griglia(l, inizio)) return Esito::fine_file;
    const std::optional<double> k = curvatura(chiave);
    if (!k) return ferma(l, 103);

    // Straight up to the start of the curve; a curve that starts before the
    // next metre to compute bends only the metres still to come.
    while (l.metro_piano <= inizio) {
        passo_rettilineo(l, l.metro_piano);
        if (++l.metro_piano > metro_massimo) return ferma(l, 103);
    }
    const std::int64_t fine = static_cast<std::int64_t>(inizio) + lunghezza;
    while (l.metro_piano <= fine) {
        passo_curva(l, l.metro_piano, *k);
        if (++l.metro_piano > metro_massimo) return ferma(l, 103);
    }
    return Esito::avanti;
}

void coda_piano(Lettura& l) {
    const std::int32_t ultimo = l.s.lunghezza_estesa - 2;
    for (; l.metro_piano <= ultimo; ++l.metro_piano) passo_rettilineo(l, l.metro_piano);
}

}  // namespace compattatore::lettore
