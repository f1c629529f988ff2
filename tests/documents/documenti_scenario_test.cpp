// The card and the order worked out from a small hand-made scenario: the
// header values and their defaults, the time layouts and margins, the rows
// the run gives, the kilometre references, the pages, the restrictions.
#include "documents/documenti_scenario.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "documents/corsa.h"
#include "support/controlli_documenti.h"

namespace compattatore {
namespace {

using test::celle_scheda;
using test::senza_blank;

// A compiled scenario built by hand: a line of `lunghezza` metres.
struct ScenarioDiProva {
    Scenario s;
    std::size_t prossima_stazione = prima_stazione;

    explicit ScenarioDiProva(std::int32_t lunghezza) {
        s.lunghezza_estesa = lunghezza + 7000;
        s.numero_celle = s.lunghezza_estesa / 50;
        s.celle.resize(static_cast<std::size_t>(s.numero_celle) + 1);
        VistaIntestazione h{s.voci};
        h.lunghezza_linea() = lunghezza;
        h.vetture() = 8;
        h.massa_frenata() = 110;
        h.nome_treno() = "Merlo";
    }
    Cella& cella(std::int32_t p) { return s.celle.at(static_cast<std::size_t>(p / 50 + 1)); }
    ScenarioDiProva& velocita(std::int32_t p, int kmh) {
        for (std::size_t c = static_cast<std::size_t>(p / 50); c < s.celle.size(); ++c)
            s.celle[c].velocita = static_cast<std::uint8_t>(kmh / 5);
        return *this;
    }
    ScenarioDiProva& stazione(std::int32_t p, const std::string& nome, std::int32_t orario = 0) {
        Voce& v = s.voci.at(prossima_stazione++);
        v.tipo = 21;
        v.posizione = p;
        v.inizio = p - 200;
        v.fine = p + 200;
        v.nome = nome;
        v.orario = orario;
        return *this;
    }
    ScenarioDiProva& segnale(std::int32_t p) {
        cella(p).tipo = tipo_cella::segnale;
        return *this;
    }
    ScenarioDiProva& rallentamento(std::int32_t x, std::int32_t l, int kmh) {
        cella(x).tipo = tipo_cella::inizio_rallentamento;
        cella(x).valore1 = static_cast<std::int16_t>(kmh);
        cella(x + l).tipo = tipo_cella::fine_rallentamento;
        return *this;
    }
    // As the ordering leaves it: a decreasing reference with 100 added.
    ScenarioDiProva& progressiva(std::size_t voce, std::int32_t inizio, std::int32_t valore, bool decrescente) {
        s.voci[voce] = {};
        s.voci[voce].inizio = inizio;
        s.voci[voce].fine = valore + (decrescente ? 100 : 0);
        s.voci[voce].posizione = decrescente ? 1 : 0;
        return *this;
    }
    ScenarioDiProva& indicatore(std::int32_t p, int a, int b, int c) {
        Cella& x = cella(p);
        x.tipo = tipo_cella::indicatore_v_max;
        x.valore1 = static_cast<std::int16_t>(a * 20);
        x.valore2 = static_cast<std::int16_t>(b * 20);
        x.valore3 = static_cast<std::int16_t>(c * 20);
        return *this;
    }
};

constexpr std::int32_t ore(int h, int m, int s = 0) { return (h * 60 + m) * 60 + s; }

// The rows of the card, each with its name, as the layout check reads them.
std::vector<std::string> righe_di(const Scenario& s) { return test::controlla_scheda(righe_scheda_treno(s)).righe; }

const std::string* riga_di(const std::vector<std::string>& righe, const std::string& nome) {
    for (const std::string& r : righe)
        if (senza_blank(celle_scheda(r).nome) == nome) return &r;
    return nullptr;
}

TEST(SchedaDerivata, IntestazioneDaiValoriDelTrenoEDaQuelliDellaScheda) {
    ScenarioDiProva p(30000);
    p.velocita(0, 90).velocita(10000, 130).indicatore(10000, 120, 125, 130).indicatore(20000, 100, 110, 130);
    p.stazione(0, "Capo").stazione(29000, "Fondo");
    test::SchedaLetta l = test::controlla_scheda(righe_scheda_treno(p.s));
    EXPECT_EQ(l.numeri.front(), "Merlo");  // the train identifier
    EXPECT_EQ(senza_blank(l.categorie.front()), categoria_predefinita);
    EXPECT_EQ(l.classi.front(), "    V140 C    ");  // the class above 130 km/h, the rank the limits follow
    EXPECT_EQ(l.frenature.front(), "     110%     ");
    EXPECT_EQ(l.masse.front(), "      400T         ");  // eight coaches
    EXPECT_EQ(l.origini.front(), "Capo");
    EXPECT_EQ(l.destinazioni.front(), "Fondo");

    p.s.documenti.numero_treno = "2345";
    p.s.documenti.categoria = "DIRETTISSIMO";
    p.s.voci[prima_stazione].nome = "Una stazione dal nome molto lungo";
    l = test::controlla_scheda(righe_scheda_treno(p.s));
    EXPECT_EQ(l.numeri.front(), "2345");
    EXPECT_EQ(l.categorie.front(), "   DIRETTISSIMO    ");
    EXPECT_EQ(l.origini.front(), "Una stazione dal nome.");  // cut to its 22 characters
}

// Times: the departure of the first station at character 10 (at 6 when it
// has seconds), the arrival of the last at 2, the others at 6.  Margins as
// the description gives them, or one half minute every 750 s of scheduled
// time to the next timed stop.
TEST(SchedaDerivata, OrariERecuperi) {
    ScenarioDiProva p(60000);
    p.velocita(0, 100).segnale(59000);
    p.stazione(0, "Capo", ore(16, 4)).stazione(10000, "Passo").stazione(20000, "Mezzo", ore(16, 27, 30));
    p.stazione(40000, "Valle", ore(17, 0)).stazione(58000, "Fondo", ore(19, 20));
    const struct {
        const char* nome;
        const char* orario;
        const char* recupero;
    } attesi[] = {{"Capo", "         16.04  ", " 1   "},
                  {"Passo", "                ", "     "},
                  {"Mezzo", "     16.27.30   ", " 1.5 "},
                  {"Valle", "     17.00      ", " 5.5 "},
                  {"Fondo", " 19.20          ", "     "}};
    auto righe = righe_di(p.s);
    for (const auto& a : attesi) {
        const std::string* r = riga_di(righe, a.nome);
        ASSERT_TRUE(r) << a.nome;
        EXPECT_EQ(celle_scheda(*r).orario, a.orario) << a.nome;
        EXPECT_EQ(celle_scheda(*r).recupero, a.recupero) << a.nome;
    }
    p.s.documenti.recuperi = {{20000, "0.5"}, {10000, "12"}};
    righe = righe_di(p.s);
    EXPECT_EQ(celle_scheda(*riga_di(righe, "Capo")).recupero, "     ");
    EXPECT_EQ(celle_scheda(*riga_di(righe, "Passo")).recupero, " 12  ");
    EXPECT_EQ(celle_scheda(*riga_di(righe, "Mezzo")).recupero, " 0.5 ");
}

// Speed changes near a station are at its switches; a timed stop has its
// protection signal 350 m before its first position, never beyond the last
// signal; the rows stand in running order.
TEST(SchedaDerivata, RigheDellaCorsa) {
    ScenarioDiProva p(30000);
    p.velocita(0, 60).velocita(1500, 100).velocita(12000, 140).velocita(18800, 120).velocita(29000, 80);
    p.segnale(5000).segnale(28000);
    p.stazione(0, "Capo", ore(8, 0)).stazione(20000, "Mezzo", ore(8, 20)).stazione(29000, "Fondo", ore(8, 30));
    const std::vector<std::string> righe = righe_di(p.s);
    std::vector<std::string> attese = {
        " |  60 |  60 |    0.000 |     |Capo                        |         08.00  |     |",
        " | 100 |  95 |    1.500 | 100 |Dev.U.                      |                |     |",
        " | 140 | 135 |   12.000 | 140 |                            |                |     |",
        " | 120 | 115 |   18.800 | 120 |Dev.I.                      |                |     |",
        " |     | 115 |   19.450 |     |Segn.Prot.                  |                |     |",
        " |     |     |   20.000 |     |Mezzo                       |     08.20      |     |",
        " |     |     |          |     |                            |                |     |",
        " |     | 115 |   28.000 |     |Segn.Prot.                  |                |     |",
        " |  80 |  80 |   29.000 |     |Fondo                       | 08.30          |     |",
    };
    std::vector<std::string> senza_cippi;
    for (const std::string& r : righe)
        if (senza_blank(celle_scheda(r).nome).rfind("Cippo", 0) != 0) senza_cippi.push_back(r);
    // The margins are the default ones; leave them out of the comparison.
    for (std::string& r : senza_cippi) r.replace(77, 5, "     ");
    EXPECT_EQ(senza_cippi, attese);
}

// Under a decreasing reference the kilometres fall along the run; the
// change rows show the old count and then the new one, and the order's
// restriction begins after the post with the higher number.
TEST(SchedaDerivata, ProgressiveDecrescentiECippiDeiRallentamenti) {
    ScenarioDiProva p(40000);
    p.velocita(0, 100).stazione(0, "Capo").stazione(39000, "Fondo");
    p.progressiva(voce_progressiva_tre, 20000, 96100, true).progressiva(voce_progressiva_due, 10000, 3050, false);
    p.rallentamento(25250, 400, 60);
    const Corsa c = leggi_corsa(p.s);
    EXPECT_EQ(c.chilometro(9999), 9999);
    EXPECT_EQ(c.chilometro(15000), 18050);
    EXPECT_EQ(c.chilometro(25250), 70850);
    EXPECT_EQ(c.chilometro_prima(20000), 23050);
    EXPECT_EQ(c.cippo_prima(25250), 25100);  // km 71.000

    const std::vector<std::string> righe = righe_di(p.s);
    const std::string* cambio = riga_di(righe, "C.C. Km 23.050");
    ASSERT_TRUE(cambio);
    EXPECT_EQ(celle_scheda(*cambio).km, "   23.050/");
    EXPECT_EQ(celle_scheda(*(cambio + 1)).km, "   76.100 ");
    const std::string* cippo = riga_di(righe, "Cippo Km 71.000");
    ASSERT_TRUE(cippo);
    EXPECT_EQ(celle_scheda(*cippo).no_rs, " ___ ");
    EXPECT_EQ(celle_scheda(*riga_di(righe, "Fondo")).km, "   57.100 ");

    const std::vector<std::string> ordine = righe_ordine_rallentamenti(p.s);
    test::controlla_ordine(ordine, 1);
    EXPECT_EQ(ordine[12], " | 1 |Capo e Fondo                |Km 71.000   |  60 Km/h |   400   |            |");
}

// A long run takes as many pages as its rows need, every page but the last
// full; a page followed by a protection signal takes it into its closing
// rule.
TEST(SchedaDerivata, PagineQuanteNeServono) {
    ScenarioDiProva p(400000);
    p.velocita(0, 100).segnale(399000);
    for (int k = 0; k < 80; ++k) p.velocita(2000 + k * 4900, 100 + (k % 2) * 20);
    for (int k = 0; k < 40; ++k) p.stazione(k * 10000, "S" + std::to_string(k), k % 4 == 0 ? ore(6, k) : 0);
    const test::SchedaLetta l = test::controlla_scheda(righe_scheda_treno(p.s));
    EXPECT_EQ(l.pagine, l.righe_per_pagina.size());
    EXPECT_GE(l.pagine, 5u);

    // Thirty-one stations fill page one; the protection signal after them
    // goes with them, into the page's closing rule.
    ScenarioDiProva q(40000);
    q.velocita(0, 100).segnale(39500);
    for (int k = 0; k < 31; ++k) q.stazione(k * 1000, "S" + std::to_string(k));
    q.stazione(32000, "Fermata", ore(9, 0));
    const test::SchedaLetta m = test::controlla_scheda(righe_scheda_treno(q.s));
    ASSERT_EQ(m.pagine, 2u);
    EXPECT_EQ(m.righe_per_pagina.front(), 32u);
    EXPECT_TRUE(m.ultima_sulla_chiusura.front());
    EXPECT_EQ(senza_blank(celle_scheda(m.righe[31]).nome), "Segn.Prot.");
}

// The order names the station a restriction lies in, or the stations
// around it; its table grows past 26 rows when the run has more.
TEST(OrdineDerivato, StazioniAttornoERigheInPiu) {
    ScenarioDiProva p(200000);
    p.velocita(0, 100).stazione(5000, "Alfa").stazione(100000, "Beta con un nome davvero lungo");
    p.rallentamento(1000, 100, 30);     // before the first station
    p.rallentamento(4900, 150, 40);     // inside Alfa
    p.rallentamento(50000, 300, 50);    // between the two
    p.rallentamento(95000, 10000, 50);  // from between the two past the second
    for (int k = 0; k < 27; ++k) p.rallentamento(110000 + k * 2000, 100, 60);
    const std::vector<std::string> o = righe_ordine_rallentamenti(p.s);
    test::controlla_ordine(o, 31);
    EXPECT_EQ(o[12].substr(6, 28), "Alfa                        ");
    EXPECT_EQ(o[13].substr(6, 28), "Alfa                        ");
    EXPECT_EQ(o[14].substr(6, 28), "Alfa e Beta con un nome dav.");
    EXPECT_EQ(o[15].substr(6, 28), "Alfa e Beta con un nome dav.");
    EXPECT_EQ(o[16].substr(6, 28), "Beta con un nome davvero lu.");
    EXPECT_EQ(o[42].substr(2, 3), "31 ");
}

}  // namespace
}  // namespace compattatore
