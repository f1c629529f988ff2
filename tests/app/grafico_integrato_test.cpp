// The plot of a compiled scenario as a reader sees it: every text takes the
// box its font size and its characters give it, and no two boxes meet, nor
// does a box cross the track; the track ends where the line ends.  Checked
// on the built-in scenario and on generated lines.
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "plot/grafico.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"
#include "sources/linea_generata.h"

namespace compattatore {
namespace {

struct Box {
    double x0, y0, x1, y1;
    bool interseca(const Box& b) const { return x0 < b.x1 && b.x0 < x1 && y0 < b.y1 && b.y0 < y1; }
};

struct Testo {
    std::string contenuto;
    Box box;
};

struct Punto {
    double x, y;
};

struct Stile {
    double corpo = 11;
    bool grassetto = false;
};

// Font size and weight of each class, from the page's style sheet.
std::map<std::string, Stile> stili(const std::string& svg) {
    std::map<std::string, Stile> r;
    static const std::regex regola(R"(\n\.?([a-z-]+) \{([^}]*)\})");
    static const std::regex corpo(R"(font-size: ([0-9.]+)px)");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), regola); it != std::sregex_iterator(); ++it) {
        Stile s;
        const std::string dichiarazioni = (*it)[2];
        std::smatch m;
        bool ha_corpo = std::regex_search(dichiarazioni, m, corpo);
        if (ha_corpo) s.corpo = std::stod(m[1]);
        s.grassetto = dichiarazioni.find("font-weight: bold") != std::string::npos;
        if (ha_corpo || s.grassetto) r[(*it)[1]] = s;
    }
    return r;
}

std::size_t caratteri(const std::string& t) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if ((static_cast<unsigned char>(t[i]) & 0xC0) != 0x80) ++n;
        if (t[i] == '&') i = t.find(';', i);  // an entity is one character
    }
    return n;
}

// The value of attribute `nome` in the tag `tag`; empty when absent.
std::string attributo(const std::string& tag, const std::string& nome) {
    const std::size_t a = tag.find(" " + nome + "=\"");
    if (a == std::string::npos) return {};
    const std::size_t inizio = a + nome.size() + 3;
    return tag.substr(inizio, tag.find('"', inizio) - inizio);
}

// Every <text> with its estimated box: 0.62 em a character (0.70 in bold),
// 0.8 em above the baseline and 0.25 below, anchored and turned as drawn.
std::vector<Testo> testi(const std::string& svg) {
    const std::map<std::string, Stile> st = stili(svg);
    std::vector<Testo> r;
    for (std::size_t at = svg.find("<text "); at != std::string::npos; at = svg.find("<text ", at + 1)) {
        const std::size_t chiude_tag = svg.find('>', at);
        const std::string tag = svg.substr(at, chiude_tag - at);
        std::size_t inizio = chiude_tag + 1;
        if (svg.compare(inizio, 7, "<title>") == 0) inizio = svg.find("</title>", inizio) + 8;
        const std::string contenuto = svg.substr(inizio, svg.find("</text>", inizio) - inizio);
        const double x = std::stod(attributo(tag, "x")), y = std::stod(attributo(tag, "y"));
        Stile s = st.at("text");
        double ancora = 0;  // fraction of the width before the anchor
        std::istringstream classi(attributo(tag, "class"));
        for (std::string nome; classi >> nome;) {
            if (const auto c = st.find(nome); c != st.end()) {
                if (c->second.corpo != st.at("text").corpo || c->second.grassetto) s.corpo = c->second.corpo;
                s.grassetto = s.grassetto || c->second.grassetto;
            }
            if (nome == "centro-testo") ancora = 0.5;
            if (nome == "fine-testo") ancora = 1;
        }
        const std::string trasformazione = attributo(tag, "transform");
        const double rotazione = trasformazione.empty() ? 0 : std::stod(trasformazione.substr(7));
        const double largo = static_cast<double>(caratteri(contenuto)) * s.corpo * (s.grassetto ? 0.70 : 0.62);
        const double sopra = 0.8 * s.corpo, sotto = 0.25 * s.corpo;
        Box b{x - ancora * largo, y - sopra, x - ancora * largo + largo, y + sotto};
        if (rotazione == 90) b = {x - sotto, y - ancora * largo, x + sopra, y - ancora * largo + largo};
        if (rotazione == -90) b = {x - sopra, y + ancora * largo - largo, x + sotto, y + ancora * largo};
        r.push_back({contenuto, b});
    }
    return r;
}

std::vector<Punto> binario(const std::string& svg) {
    std::vector<Punto> punti;
    for (std::size_t at = svg.find("<polyline "); at != std::string::npos; at = svg.find("<polyline ", at + 1)) {
        const std::string tag = svg.substr(at, svg.find("/>", at) - at);
        if (attributo(tag, "class") != "binario") continue;
        std::istringstream coppie(attributo(tag, "points"));
        for (std::string c; coppie >> c;) {
            const std::size_t virgola = c.find(',');
            punti.push_back({std::stod(c.substr(0, virgola)), std::stod(c.substr(virgola + 1))});
        }
    }
    return punti;
}

// Whether the segment a-b passes through the box: sampled finely enough for
// 50 m steps of the plan.
bool attraversa(Punto a, Punto b, const Box& box) {
    for (int k = 0; k <= 20; ++k) {
        const double x = a.x + (b.x - a.x) * k / 20, y = a.y + (b.y - a.y) * k / 20;
        if (x > box.x0 && x < box.x1 && y > box.y0 && y < box.y1) return true;
    }
    return false;
}

void nessuna_sovrapposizione(const std::string& svg) {
    const std::vector<Testo> t = testi(svg);
    ASSERT_GT(t.size(), 50u);
    for (std::size_t i = 0; i < t.size(); ++i)
        for (std::size_t j = i + 1; j < t.size(); ++j)
            EXPECT_FALSE(t[i].box.interseca(t[j].box)) << "\"" << t[i].contenuto << "\" and \"" << t[j].contenuto << "\"";
    const std::vector<Punto> b = binario(svg);
    ASSERT_GT(b.size(), 100u);
    for (const Testo& x : t)
        for (std::size_t k = 1; k < b.size(); ++k)
            if (attraversa(b[k - 1], b[k], x.box)) {
                ADD_FAILURE() << "the track crosses \"" << x.contenuto << "\"";
                break;
            }
}

Compilazione compila(const std::string& linea, const std::string& treno) {
    Compilazione c = compila_descrizioni({"L", "T", linea, treno, true, {}, {}});
    EXPECT_EQ(c.esito.codice, Codice::nessuno);
    return c;
}

std::string disegno(const Scenario& s) { return disegna_scenario({"L", "T", s.celle, s.voci, s.tabella_linea}); }

TEST(GraficoIntegrato, NessunaEtichettaSuUnAltraOSulBinarioNelloScenarioIntegrato) {
    const Compilazione c = compila(componi_testo(righe_linea()), componi_testo(righe_treno()));
    const std::string svg = disegno(c.scenario);
    nessuna_sovrapposizione(svg);
    // Every station keeps its name in the plan, and the terminus's is not on the track.
    for (const char* nome : {">Porto Calvizio</text>", ">Torre Merlina</text>", ">Campobrusco</text>", ">Ripalunga<",
                             ">Borgoliva Scalo<", ">Gualdora<", ">Serravento Alto<"})
        EXPECT_NE(svg.find(nome), std::string::npos) << nome;
    // The marks of the plan are the line's own kilometres.
    EXPECT_NE(svg.find("<title>km 50.000 a 46950 m del percorso</title>"), std::string::npos);
    EXPECT_NE(svg.find("<title>km 0.000 a 284500 m del percorso</title>"), std::string::npos);
    EXPECT_NE(svg.find("ripetizione segnali a 9 codici da 8000 m a 330700 m del percorso"), std::string::npos);

    // The track ends at the end of the line, under the end marker.
    const std::vector<Punto> b = binario(svg);
    std::smatch fine;
    ASSERT_TRUE(std::regex_search(svg, fine, std::regex(R"re(<rect x="([-0-9.]+)" y="([-0-9.]+)" width="10.0" height="10.0" class="fine")re")));
    EXPECT_NEAR(b.back().x, std::stod(fine[1]) + 5, 0.11);
    EXPECT_NEAR(b.back().y, std::stod(fine[2]) + 5, 0.11);
}

// Fourteen more stations, each 300 m after one of the first: their names
// cannot all stand, and those that do not are left to the hover texts.
TEST(GraficoIntegrato, StazioniFitteLascianoFuoriINomiCheNonStanno) {
    Compilazione c = compila(componi_testo(righe_linea()), componi_testo(righe_treno()));
    Voci& voci = c.scenario.voci;
    for (std::size_t k = 0; k < 14; ++k) {
        Voce v = voci[prima_stazione + k];
        v.posizione += 300;
        v.inizio += 300;
        v.fine += 300;
        v.nome = "Fermata " + std::to_string(k + 1) + " di " + v.nome;
        voci[46 + k] = v;
    }
    const std::string svg = disegno(c.scenario);
    nessuna_sovrapposizione(svg);
    std::size_t nomi = 0;  // the texts that show one of these names
    for (const std::string inizio : {"\">Fermata ", "</title>Fermata "})
        for (std::size_t at = svg.find(inizio); at != std::string::npos; at = svg.find(inizio, at + 1)) ++nomi;
    EXPECT_GT(nomi, 0u);
    EXPECT_LT(nomi, 28u);  // fewer than the plan and the profile would hold without room
    EXPECT_NE(svg.find("<title>Fermata 1 di Brunovale Centrale \u2014 300 m (km 0.300)"), std::string::npos);
}

TEST(GraficoIntegrato, NessunaEtichettaSuUnAltraOSulBinarioInLineeGenerate) {
    for (const auto& [km, stazioni] : {std::pair{500, 20}, std::pair{1000, 0}, std::pair{60, 12}}) {
        SCOPED_TRACE(km);
        const DescrizioniGenerate d = genera_descrizioni(km * 1000, stazioni);
        nessuna_sovrapposizione(disegno(compila(d.linea, d.treno).scenario));
    }
}

}  // namespace
}  // namespace compattatore
