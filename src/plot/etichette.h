// Labels on the scenario page: the box a text takes, estimated from its font
// size and its number of characters, and a placement that keeps each label
// clear of the labels placed before it and of what the page draws under
// them (the track, the markers).  A label that finds no free place is left
// out; what it says stays in the hover text of its element.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "plot/svg.h"

namespace compattatore {

struct Riquadro {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool interseca(const Riquadro& r) const { return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1; }
    bool contiene(const Riquadro& r) const { return x0 <= r.x0 && r.x1 <= x1 && y0 <= r.y0 && r.y1 <= y1; }
};

enum class Ancora { inizio, centro, fine };

// How a text is set: its font size in pixels and weight.
struct Carattere {
    double corpo = 11;
    bool grassetto = false;
};

// Characters of a UTF-8 text.
std::size_t caratteri_utf8(std::string_view t);

// The box of a text whose baseline starts, centres or ends at (x, y):
// 0.62 of the font size per character (0.70 in bold), from 0.8 of the size
// above the baseline to 0.25 below.  `verticale` turns it by 90 degrees
// clockwise about (x, y), reading downwards.
Riquadro riquadro_testo(double x, double y, std::string_view t, Carattere c, Ancora a, bool verticale = false);

// The text cut to at most `n` characters, the last one "…".
std::string accorcia(std::string_view utf8, std::size_t n);

// The free room of one part of the page.
class Etichette {
public:
    // Labels stay inside `area`.
    explicit Etichette(Riquadro area) : area_(area) {}

    void ostacolo(const Riquadro& r) { ostacoli_.push_back(r); }
    // A stretch of line the labels must not cross (the track).
    void segmento(PuntoSvg a, PuntoSvg b);

    // Whether a label may take `r`; when it may, it takes it.
    bool prendi(const Riquadro& r);

private:
    bool tocca_segmento(const Riquadro& r) const;

    Riquadro area_;
    std::vector<Riquadro> ostacoli_;
    std::vector<std::pair<PuntoSvg, PuntoSvg>> segmenti_;
};

}  // namespace compattatore
