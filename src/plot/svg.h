// A small SVG writer: the elements the scenario page uses, with coordinates
// rounded to a tenth of a pixel and texts escaped for XML.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

// A UTF-8 text escaped for XML content and attribute values.
std::string testo_xml(std::string_view utf8);

struct PuntoSvg {
    double x = 0, y = 0;
};

class PaginaSvg {
public:
    // `stile` is the content of the page's <style> element.
    PaginaSvg(double larghezza, double altezza, std::string_view stile);

    // Every element takes a CSS class and, optionally, a tooltip (<title>).
    void linea(double x1, double y1, double x2, double y2, std::string_view classe);
    void rettangolo(double x, double y, double w, double h, std::string_view classe, std::string_view titolo = {});
    void cerchio(double cx, double cy, double r, std::string_view classe, std::string_view titolo = {});
    void polilinea(const std::vector<PuntoSvg>& punti, std::string_view classe);
    void poligono(const std::vector<PuntoSvg>& punti, std::string_view classe, std::string_view titolo = {});
    // Text at (x, y); `rotazione` in degrees about that point; `titolo`, the
    // hover text (the whole of a text that was cut).
    void testo(double x, double y, std::string_view t, std::string_view classe, double rotazione = 0,
               std::string_view titolo = {});

    std::string documento() const;

private:
    void elemento(std::string apertura, std::string_view titolo);
    double larghezza_, altezza_;
    std::string stile_;
    std::string corpo_;
};

}  // namespace compattatore
