#include "plot/svg.h"

#include "format/formato.h"

namespace compattatore {

namespace {

std::string c(double v) {
    std::string r = formato("%.1f", v);
    if (r == "-0.0") r = "0.0";
    return r;
}

std::string attributo_classe(std::string_view classe) {
    return classe.empty() ? std::string{} : " class=\"" + testo_xml(classe) + "\"";
}

}  // namespace

std::string testo_xml(std::string_view utf8) {
    std::string r;
    for (char ch : utf8) {
        switch (ch) {
            case '&': r += "&amp;"; break;
            case '<': r += "&lt;"; break;
            case '>': r += "&gt;"; break;
            case '"': r += "&quot;"; break;
            case '\'': r += "&apos;"; break;
            default: r += ch;
        }
    }
    return r;
}

PaginaSvg::PaginaSvg(double larghezza, double altezza, std::string_view stile)
    : larghezza_(larghezza), altezza_(altezza), stile_(stile) {}

void PaginaSvg::elemento(std::string apertura, std::string_view titolo) {
    if (titolo.empty()) {
        corpo_ += apertura + "/>\n";
    } else {
        corpo_ += apertura + "><title>" + testo_xml(titolo) + "</title>";
        const std::size_t fine_nome = apertura.find(' ');
        corpo_ += "</" + apertura.substr(1, fine_nome - 1) + ">\n";
    }
}

void PaginaSvg::linea(double x1, double y1, double x2, double y2, std::string_view classe) {
    elemento("<line x1=\"" + c(x1) + "\" y1=\"" + c(y1) + "\" x2=\"" + c(x2) + "\" y2=\"" + c(y2) + "\"" +
                 attributo_classe(classe),
             {});
}

void PaginaSvg::rettangolo(double x, double y, double w, double h, std::string_view classe, std::string_view titolo) {
    elemento("<rect x=\"" + c(x) + "\" y=\"" + c(y) + "\" width=\"" + c(w < 0 ? 0 : w) + "\" height=\"" +
                 c(h < 0 ? 0 : h) + "\"" + attributo_classe(classe),
             titolo);
}

void PaginaSvg::cerchio(double cx, double cy, double r, std::string_view classe, std::string_view titolo) {
    elemento("<circle cx=\"" + c(cx) + "\" cy=\"" + c(cy) + "\" r=\"" + c(r) + "\"" + attributo_classe(classe),
             titolo);
}

namespace {

std::string lista_punti(const std::vector<PuntoSvg>& punti) {
    std::string r;
    for (const PuntoSvg& p : punti) {
        if (!r.empty()) r += ' ';
        r += c(p.x) + "," + c(p.y);
    }
    return r;
}

}  // namespace

void PaginaSvg::polilinea(const std::vector<PuntoSvg>& punti, std::string_view classe) {
    if (punti.size() < 2) return;
    elemento("<polyline points=\"" + lista_punti(punti) + "\"" + attributo_classe(classe), {});
}

void PaginaSvg::poligono(const std::vector<PuntoSvg>& punti, std::string_view classe, std::string_view titolo) {
    if (punti.size() < 3) return;
    elemento("<polygon points=\"" + lista_punti(punti) + "\"" + attributo_classe(classe), titolo);
}

void PaginaSvg::testo(double x, double y, std::string_view t, std::string_view classe, double rotazione,
                      std::string_view titolo) {
    corpo_ += "<text x=\"" + c(x) + "\" y=\"" + c(y) + "\"" + attributo_classe(classe);
    if (rotazione != 0) corpo_ += " transform=\"rotate(" + c(rotazione) + " " + c(x) + " " + c(y) + ")\"";
    corpo_ += ">";
    if (!titolo.empty()) corpo_ += "<title>" + testo_xml(titolo) + "</title>";
    corpo_ += testo_xml(t) + "</text>\n";
}

std::string PaginaSvg::documento() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + c(larghezza_) + "\" height=\"" + c(altezza_) +
           "\" viewBox=\"0 0 " + c(larghezza_) + " " + c(altezza_) + "\">\n<style>\n" + stile_ +
           "</style>\n<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" + corpo_ + "</svg>\n";
}

}  // namespace compattatore
