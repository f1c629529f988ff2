#include "plot/grafico.h"

#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scenario_prova.h"

namespace compattatore {
namespace {

// Checks what a renderer needs before it draws anything: balanced elements,
// quoted attributes, known entities, valid UTF-8, no control characters.
// Returns the number of elements; throws with the offset on a fault.
std::size_t controlla_xml(const std::string& x) {
    std::vector<std::string> aperti;
    std::size_t elementi = 0, i = 0;
    auto errore = [&](const std::string& m) { throw std::runtime_error(m + " all'offset " + std::to_string(i)); };
    auto entita = [&] {
        const std::size_t fine = x.find(';', i);
        if (fine == std::string::npos) errore("entita' non chiusa");
        const std::string e = x.substr(i + 1, fine - i - 1);
        if (e != "amp" && e != "lt" && e != "gt" && e != "quot" && e != "apos") errore("entita' sconosciuta " + e);
        i = fine + 1;
    };
    while (i < x.size()) {
        const auto c = static_cast<unsigned char>(x[i]);
        if (c < 0x20 && c != '\n') errore("carattere di controllo");
        if (c >= 0x80) {
            const int seguito = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
            if (seguito < 0) errore("UTF-8 non valido");
            for (int k = 1; k <= seguito; ++k)
                if (i + k >= x.size() || (static_cast<unsigned char>(x[i + k]) & 0xC0) != 0x80) errore("UTF-8 troncato");
            i += static_cast<std::size_t>(seguito) + 1;
            continue;
        }
        if (c == '&') {
            entita();
            continue;
        }
        if (c == '>') errore("'>' fuori da un tag");
        if (c != '<') {
            ++i;
            continue;
        }
        if (x.compare(i, 2, "<?") == 0) {
            i = x.find("?>", i) + 2;
            continue;
        }
        if (x.compare(i, 2, "</") == 0) {
            const std::size_t fine = x.find('>', i);
            const std::string nome = x.substr(i + 2, fine - i - 2);
            if (aperti.empty() || aperti.back() != nome) errore("chiusura di </" + nome + "> non aperto");
            aperti.pop_back();
            i = fine + 1;
            continue;
        }
        ++i;
        std::size_t inizio_nome = i;
        while (i < x.size() && (std::isalnum(static_cast<unsigned char>(x[i])) || x[i] == '-')) ++i;
        const std::string nome = x.substr(inizio_nome, i - inizio_nome);
        if (nome.empty()) errore("tag senza nome");
        ++elementi;
        for (;;) {
            while (i < x.size() && (x[i] == ' ' || x[i] == '\n')) ++i;
            if (i >= x.size()) errore("tag non chiuso");
            if (x.compare(i, 2, "/>") == 0) {
                i += 2;
                break;
            }
            if (x[i] == '>') {
                ++i;
                aperti.push_back(nome);
                break;
            }
            while (i < x.size() && x[i] != '=' && x[i] != ' ' && x[i] != '>') ++i;
            if (i >= x.size() || x[i] != '=' || x[i + 1] != '"') errore("attributo senza valore tra virgolette");
            i += 2;
            while (i < x.size() && x[i] != '"') {
                if (x[i] == '<') errore("'<' in un attributo");
                if (x[i] == '&')
                    entita();
                else
                    ++i;
            }
            ++i;
        }
    }
    if (!aperti.empty()) throw std::runtime_error("elemento <" + aperti.back() + "> non chiuso");
    return elementi;
}

bool contiene(const std::string& t, const std::string& parte) { return t.find(parte) != std::string::npos; }

// Whether a polyline of the given class is drawn.
bool polilinea(const std::string& svg, const std::string& classe) {
    for (std::size_t at = svg.find("<polyline "); at != std::string::npos; at = svg.find("<polyline ", at + 1)) {
        const std::size_t fine = svg.find("/>", at);
        if (svg.substr(at, fine - at).find("class=\"" + classe + "\"") != std::string::npos) return true;
    }
    return false;
}

void nessun_numero_non_finito(const std::string& svg) {
    for (const char* male : {"nan", "inf", "NaN", "Inf"}) {
        // Only inside attribute values: the texts may contain these letters.
        std::size_t at = 0;
        while ((at = svg.find(std::string("\"") + male, at)) != std::string::npos) {
            ADD_FAILURE() << "valore non finito: " << svg.substr(at, 40);
            ++at;
        }
        at = 0;
        while ((at = svg.find(std::string("-") + male, at)) != std::string::npos) {
            ADD_FAILURE() << "valore non finito: " << svg.substr(at, 40);
            ++at;
        }
    }
}

// A small line that bends: 6 km, three stations, a signal, a board, a sign,
// a restriction, a montagna stretch.
struct Piccola {
    std::vector<Cella> celle = std::vector<Cella>(261);
    Voci voci{};
    TabellaLinea piano;

    Piccola() {
        voci[voce_percorso].fine = 6000;
        voci[voce_linea].nome = "Brunovale";
        voci[voce_treno].nome = "Quarzo";
        voci[voce_progressiva_uno] = {};
        voci[voce_progressiva_uno].inizio = 2000;
        voci[voce_progressiva_uno].fine = 10000;
        const struct {
            std::int32_t pos;
            const char* nome;
            std::int32_t orario;
        } stazioni[] = {{0, "Capo & Sotto <Nord>", 58470}, {3000, "Citt\xE0 Alta", 0}, {5950, "Fondo", 60390}};
        for (std::size_t i = 0; i < 3; ++i) {
            Voce& v = voci[i + 1];
            v.tipo = 22;
            v.posizione = stazioni[i].pos;
            v.inizio = stazioni[i].pos - 200;
            v.fine = stazioni[i].pos + 200;
            v.nome = stazioni[i].nome;
            v.orario = stazioni[i].orario;
        }
        voci[80].nome = "(Dev.I.)";
        for (std::size_t c = 0; c < celle.size(); ++c) {
            celle[c].velocita = c < 40 ? 20 : 28;
            celle[c].pendenza = c < 60 ? 104 : 95;
            celle[c].aderenza = 70;
        }
        for (std::size_t c = 50; c < 70; ++c) celle[c].montagna = 2;
        celle[22].tipo = TipoCella::segnale;
        celle[30].tipo = TipoCella::indicatore_v_max;
        celle[30].valore1 = 2800;
        celle[40].tipo = TipoCella::cartello;
        celle[40].valore1 = 80;
        celle[80].tipo = TipoCella::avviso_rallentamento;
        celle[104].tipo = TipoCella::inizio_rallentamento;
        celle[104].valore1 = 60;
        celle[110].tipo = TipoCella::fine_rallentamento;

        piano.crea(13000);
        double x = 0, y = 1, dx = 0, dy = 1;
        piano(0, 0) = ValoreTabella::intero(0);
        piano(0, 1) = ValoreTabella::intero(0);
        piano(1, 0) = ValoreTabella::intero(0);
        piano(1, 1) = ValoreTabella::intero(1);
        for (std::int32_t m = 2; m <= 12998; ++m) {
            const double k = m > 2000 && m < 4000 ? 0.001 : 0.0;
            const double ndx = dx + k * dy, ndy = dy - k * dx;
            dx = ndx;
            dy = ndy;
            x += dx;
            y += dy;
            piano(m, 0) = ValoreTabella::reale_(x);
            piano(m, 1) = ValoreTabella::reale_(y);
        }
    }
};

TEST(Grafico, PiantaEProfiloDiUnaLineaPiccola) {
    Piccola l;
    const std::string svg = disegna_scenario({"L", "T", l.celle, l.voci, l.piano});
    ASSERT_NO_THROW(controlla_xml(svg));
    nessun_numero_non_finito(svg);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
    EXPECT_TRUE(contiene(svg, "Scenario Brunovale \xC2\xB7 treno Quarzo"));
    EXPECT_TRUE(polilinea(svg, "binario"));
    // Names escaped for XML and turned from Latin-1 into UTF-8.
    EXPECT_TRUE(contiene(svg, ">Capo &amp; Sotto &lt;Nord&gt;</text>"));
    EXPECT_TRUE(contiene(svg, ">Citt\xC3\xA0 Alta</text>"));
    // Labelled axes of the plan and of every lane of the profile.
    for (const char* asse : {">x (km)<", ">y (km)<", ">pendenza (\xE2\x80\xB0)<", ">velocit\xC3\xA0 (km/h)<", ">aderenza<",
                             ">distanza dall&apos;inizio della linea (km)<"})
        EXPECT_TRUE(contiene(svg, asse)) << asse;
    // Route positions in metres, with the line's own kilometres where they
    // apply (from 2000 m the line counts from 12 km).
    EXPECT_TRUE(contiene(svg, "<title>rallentamento a 60 km/h da 5150 m (km 15.150) a 5450 m (km 15.450)</title>"));
    EXPECT_TRUE(contiene(svg, "<title>montagna di tipo 2 da 2500 m a 3500 m</title>"));
    EXPECT_TRUE(contiene(svg, "<title>cartello a 1950 m (km 1.950): (Dev.I.)</title>"));
    EXPECT_TRUE(contiene(svg, "<title>indicatore a 1450 m (km 1.450): 140/0/0 km/h</title>"));
    EXPECT_TRUE(contiene(svg, "<title>segnale a 1050 m (km 1.050): "));
    EXPECT_TRUE(contiene(svg, "<title>Citt\xC3\xA0 Alta \xE2\x80\x94 3000 m (km 13.000), da 2800 m a 3200 m, tipo 22</title>"));
    EXPECT_TRUE(contiene(svg, "da 2000 m del percorso la progressiva \xC3\xA8 km 12.000 e cresce"));
    EXPECT_TRUE(contiene(svg, ">16:46:30</text>"));  // the timetable beside the plan
    // What the line holds, each count with its noun in the number it takes.
    EXPECT_TRUE(contiene(svg, "\xC2\xB7 1 rallentamento</text>")) << svg.substr(svg.find("linea di "), 200);
}

// A name of thousands of characters is cut with an ellipsis wherever it is
// written, and kept whole in the hover texts.
TEST(Grafico, INomiLunghiSonoAccorciatiEInteriNeiTitoli) {
    Piccola l;
    const std::string lungo(5000, 'N');
    l.voci[prima_stazione].nome = lungo;
    l.voci[voce_linea].nome = std::string(300, 'L');
    const std::string svg = disegna_scenario({"L", "T", l.celle, l.voci, l.piano});
    ASSERT_NO_THROW(controlla_xml(svg));
    for (std::size_t at = svg.find("<text "); at != std::string::npos; at = svg.find("<text ", at + 1)) {
        std::size_t inizio = svg.find('>', at) + 1;
        if (svg.compare(inizio, 7, "<title>") == 0) inizio = svg.find("</title>", inizio) + 8;
        EXPECT_LT(svg.find("</text>", inizio) - inizio, 200u) << svg.substr(at, 120);
    }
    EXPECT_TRUE(contiene(svg, std::string(27, 'N') + "\xE2\x80\xA6</text>"));  // the plan's 28 characters
    EXPECT_TRUE(contiene(svg, "<title>" + lungo + "</title>" + std::string(55, 'N') + "\xE2\x80\xA6</text>"));
    EXPECT_TRUE(contiene(svg, "<title>Scenario " + std::string(300, 'L') + " \xC2\xB7 treno Quarzo</title>"));
}

TEST(Grafico, UnOrarioLungoSiFermaSopraIDatiDelloScenario) {
    Piccola l;
    for (std::size_t i = 1; i <= 40; ++i) {
        Voce& v = l.voci[i];
        v.tipo = 22;
        v.posizione = static_cast<std::int32_t>(i) * 100;
        v.nome = "S" + std::to_string(i);
        v.orario = 58000 + static_cast<std::int32_t>(i) * 60;
    }
    const std::string svg = disegna_scenario({"L", "T", l.celle, l.voci, l.piano});
    ASSERT_NO_THROW(controlla_xml(svg));
    EXPECT_TRUE(contiene(svg, "fermate con orario</text>"));
    EXPECT_TRUE(contiene(svg, "class=\"nota\">S1</text>"));
    EXPECT_FALSE(contiene(svg, "class=\"nota\">S40</text>"));  // the last ones are counted, not listed
}

TEST(Grafico, SenzaFileDelPianoLaPaginaLoDiceEDisegnaIlProfilo) {
    Piccola l;
    const std::string svg = disegna_scenario({"L", "T", l.celle, l.voci, std::nullopt});
    ASSERT_NO_THROW(controlla_xml(svg));
    EXPECT_TRUE(contiene(svg, "pianta non disponibile"));
    EXPECT_FALSE(polilinea(svg, "binario"));
    EXPECT_TRUE(polilinea(svg, "linea-velocita"));
}

TEST(Grafico, TabelleEstremeEVuoteDannoUnaPaginaValidaConNumeriFiniti) {
    const Scenario s = test::scenario_completo();  // NaN, infinities and the largest double in the plan
    const std::string estremo = disegna_scenario({"L", "T", s.celle, s.voci, s.tabella_linea});
    ASSERT_NO_THROW(controlla_xml(estremo));
    nessun_numero_non_finito(estremo);
    EXPECT_TRUE(contiene(estremo, "fuori scala"));

    TabellaLinea vuoto;
    vuoto.crea(3);
    const std::string minimo = disegna_scenario({"L", "T", std::vector<Cella>(1), Voci{}, vuoto});
    ASSERT_NO_THROW(controlla_xml(minimo));
    nessun_numero_non_finito(minimo);
    EXPECT_TRUE(contiene(minimo, "non contiene punti"));
}

}  // namespace
}  // namespace compattatore
