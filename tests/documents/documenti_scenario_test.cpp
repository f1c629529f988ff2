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
        cella(p).tipo = TipoCella::segnale;
        return *this;
    }
    ScenarioDiProva& rallentamento(std::int32_t x, std::int32_t l, int kmh) {
        cella(x).tipo = TipoCella::inizio_rallentamento;
        cella(x).valore1 = static_cast<std::int16_t>(kmh);
        cella(x + l).tipo = TipoCella::fine_rallentamento;
        cella(x + l).valore1 = static_cast<std::int16_t>(kmh);
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
        x.tipo = TipoCella::indicatore_v_max;
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

// Speed changes near a station are at its switches, one at a station is in
// its row with column 4; a timed stop has its protection signal at the last
// signal before its first position; the rows stand in running order.
TEST(SchedaDerivata, RigheDellaCorsa) {
    ScenarioDiProva p(30000);
    p.velocita(0, 60).velocita(1500, 100).velocita(12000, 140).velocita(18800, 120).velocita(29000, 80);
    p.segnale(5000).segnale(19450).segnale(28000);
    p.stazione(0, "Capo", ore(8, 0)).stazione(20000, "Mezzo", ore(8, 20)).stazione(29000, "Fondo", ore(8, 30));
    const std::vector<std::string> righe = righe_di(p.s);
    std::vector<std::string> attese = {
        " |  60 |  60 |    0.000 |  60 |Capo                        |         08.00  |     |",
        " | 100 |  95 |    1.500 | 100 |Dev.U.                      |                |     |",
        " | 140 | 135 |   12.000 | 140 |                            |                |     |",
        " | 120 | 115 |   18.800 | 120 |Dev.I.                      |                |     |",
        " |     | 115 |   19.450 |     |Segn.Prot.                  |                |     |",
        " |     |     |   20.000 |     |Mezzo                       |     08.20      |     |",
        " |     |     |          |     |                            |                |     |",
        " |     | 115 |   28.000 |     |Segn.Prot.                  |                |     |",
        " |  80 |  80 |   29.000 |  80 |Fondo                       | 08.30          |     |",
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
    q.velocita(0, 100).segnale(31500);
    for (int k = 0; k < 31; ++k) q.stazione(k * 1000, "S" + std::to_string(k));
    q.stazione(32000, "Fermata", ore(9, 0));
    const test::SchedaLetta m = test::controlla_scheda(righe_scheda_treno(q.s));
    ASSERT_EQ(m.pagine, 2u);
    EXPECT_EQ(m.righe_per_pagina.front(), 32u);
    EXPECT_TRUE(m.ultima_sulla_chiusura.front());
    EXPECT_EQ(senza_blank(celle_scheda(m.righe[31]).nome), "Segn.Prot.");
}

// The order names the station a restriction lies in, or the stations
// around it, or the origin it lies before and the destination it lies
// after; its table grows past 26 rows when the run has more.
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
    EXPECT_EQ(o[12].substr(6, 28), "prima di Alfa               ");
    EXPECT_EQ(o[13].substr(6, 28), "Alfa                        ");
    EXPECT_EQ(o[14].substr(6, 28), "Alfa e Beta con un nome dav.");
    EXPECT_EQ(o[15].substr(6, 28), "Alfa e Beta con un nome dav.");
    EXPECT_EQ(o[16].substr(6, 28), "dopo Beta con un nome davve.");
    EXPECT_EQ(o[42].substr(2, 3), "31 ");
}

// The rows of the card but the spread posts, as "km|name".
std::vector<std::string> km_e_nomi(const std::vector<std::string>& righe) {
    std::vector<std::string> r;
    for (const std::string& x : righe) {
        const test::CelleScheda c = celle_scheda(x);
        if (senza_blank(c.nome).rfind("Cippo", 0) == 0 && c.no_rs != " ___ ") continue;
        r.push_back(senza_blank(c.km) + "|" + senza_blank(c.nome));
    }
    return r;
}

// Rows at a kilometre reference change stand around the "/" row in route
// order: the old count ends there, so a stop, a speed change or a post at
// the change point comes after the new count and carries it.
TEST(SchedaDerivata, RigheAlCambioDiProgressivaDopoIlNuovoValore) {
    ScenarioDiProva p(12000);
    p.velocita(0, 100).velocita(6000, 80).segnale(5000).segnale(11000);
    p.progressiva(voce_progressiva_uno, 6000, 44000, false);
    p.stazione(0, "Alfa", ore(9, 0)).stazione(6000, "Beta", ore(9, 5)).stazione(12000, "Gamma", ore(9, 10));
    p.rallentamento(6020, 200, 30);  // after the post at the change point, km 50.000
    const std::vector<std::string> righe = righe_di(p.s);
    EXPECT_EQ(km_e_nomi(righe), (std::vector<std::string>{"0.000|Alfa", "5.000|Segn.Prot.", "6.000/|C.C. Km 6.000",
                                                          "50.000|", "50.000|Cippo Km 50.000", "50.000|Beta", "|",
                                                          "55.000|Segn.Prot.", "56.000|Gamma"}));
    const std::string* beta = riga_di(righe, "Beta");
    ASSERT_TRUE(beta);
    EXPECT_EQ(*beta, " |  80 |  80 |   50.000 |  80 |Beta                        |     09.05      |     |");
}

// The card covers the run from the origin to the destination: nothing of
// the line before or after it; the placeholder stands on the post of the
// first restriction the train meets.  The order still lists every
// restriction, those outside the run before the origin or after the
// destination.
TEST(SchedaDerivata, LaCorsaDallOrigineAllaDestinazione) {
    ScenarioDiProva p(40000);
    p.velocita(0, 60).velocita(1000, 100).velocita(2000, 120).velocita(30000, 80).velocita(35000, 60);
    p.segnale(500).segnale(8000).segnale(25000);
    p.stazione(3000, "Alfa", ore(9, 0)).stazione(9000, "Beta", ore(9, 5)).stazione(20000, "Gamma", ore(9, 15));
    p.rallentamento(1000, 500, 30).rallentamento(12300, 300, 50).rallentamento(32000, 400, 40);
    const std::vector<std::string> righe = righe_di(p.s);
    ASSERT_FALSE(righe.empty());
    EXPECT_EQ(senza_blank(celle_scheda(righe.front()).nome), "Alfa");
    EXPECT_EQ(celle_scheda(righe.front()).limite, " 120 ");  // the limit it departs with
    EXPECT_EQ(senza_blank(celle_scheda(righe.back()).nome), "Gamma");
    for (const std::string& r : righe) {
        const std::string km = senza_blank(celle_scheda(r).km);
        if (km.empty()) continue;
        const double x = std::stod(km);
        EXPECT_TRUE(x >= 3.0 && x <= 20.0) << r;
    }
    const std::string* cippo = riga_di(righe, "Cippo Km 12.000");
    ASSERT_TRUE(cippo);
    EXPECT_EQ(celle_scheda(*cippo).no_rs, " ___ ");

    const std::vector<std::string> o = righe_ordine_rallentamenti(p.s);
    test::controlla_ordine(o, 3);
    EXPECT_EQ(o[12], " | 1 |prima di Alfa               |Km 1.000    |  30 Km/h |   500   |            |");
    EXPECT_EQ(o[13], " | 2 |Beta e Gamma                |Km 12.000   |  50 Km/h |   300   |            |");
    EXPECT_EQ(o[14], " | 3 |dopo Gamma                  |Km 32.000   |  40 Km/h |   400   |            |");
}

// Each restriction ends at the end that carries its values: one inside
// another, or two that overlap, keep their lengths.
TEST(OrdineDerivato, RallentamentiUnoDentroLAltro) {
    ScenarioDiProva p(30000);
    p.velocita(0, 100).stazione(1000, "Alfa").stazione(20000, "Beta");
    p.rallentamento(5000, 1000, 60).rallentamento(5200, 200, 40);
    p.rallentamento(9000, 600, 50).rallentamento(9400, 500, 30);
    const std::vector<std::string> o = righe_ordine_rallentamenti(p.s);
    test::controlla_ordine(o, 4);
    EXPECT_EQ(o[12].substr(59, 9), "   1000  ");
    EXPECT_EQ(o[13].substr(59, 9), "   200   ");
    EXPECT_EQ(o[14].substr(59, 9), "   600   ");
    EXPECT_EQ(o[15].substr(59, 9), "   500   ");
}

// "A e B" in the order's 28 characters: each name cut on its own, so that
// the second station is never lost.
TEST(OrdineDerivato, DueStazioniTagliateCiascunaPerSe) {
    const struct {
        const char* prima;
        const char* dopo;
        const char* cella;
    } casi[] = {
        {"Alfa", "Beta", "Alfa e Beta                 "},
        {"San Benedetto Val di Sambro", "Beta", "San Benedetto Val di. e Beta"},
        {"Alfa", "San Benedetto Val di Sambro", "Alfa e San Benedetto Val di."},
        {"San Benedetto Val di Sambro", "Castiglione dei Pepoli", "San Benedett. e Castiglione."},
        {"Monte Santa Maria Tiberina", "Castel San Pietro", "Monte Santa . e Castel San ."},
    };
    for (const auto& c : casi) {
        ScenarioDiProva p(30000);
        p.velocita(0, 100).stazione(1000, c.prima).stazione(20000, c.dopo).rallentamento(10000, 200, 60);
        const std::vector<std::string> o = righe_ordine_rallentamenti(p.s);
        EXPECT_EQ(o[12].substr(6, 28), c.cella) << c.prima << " / " << c.dopo;
    }
}

// A post stands only where the line's count is a whole kilometre: a
// restriction with none before it has no post row on the card, and the
// order gives the kilometre where it begins.
TEST(SchedaDerivata, NessunCippoDoveNonCe) {
    ScenarioDiProva p(10000);
    p.velocita(0, 100).progressiva(voce_progressiva_uno, 0, 12300, false);
    p.stazione(0, "Alfa").stazione(9000, "Beta").rallentamento(500, 200, 60);
    for (const std::string& r : righe_di(p.s)) {
        const std::string nome = senza_blank(celle_scheda(r).nome);
        if (nome.rfind("Cippo Km ", 0) == 0) {
            EXPECT_EQ(nome.substr(nome.size() - 4), ".000") << r;
        }
        EXPECT_EQ(celle_scheda(r).no_rs.find('_'), std::string::npos) << r;
    }
    const std::vector<std::string> o = righe_ordine_rallentamenti(p.s);
    EXPECT_EQ(o[12].substr(35, 12), "Km 12.800   ");
}

// The protection signal is a signal the grid holds, the last one before the
// stop after the previous station: none where the line has none there, and
// never one moved back past a station.
TEST(SchedaDerivata, SegnaleDiProtezioneSoloDoveCe) {
    ScenarioDiProva p(20000);
    p.velocita(0, 100).segnale(2000);
    p.stazione(0, "Alfa", ore(9, 0)).stazione(10000, "Beta", ore(9, 10)).stazione(18000, "Gamma", ore(9, 20));
    EXPECT_EQ(km_e_nomi(righe_di(p.s)),
              (std::vector<std::string>{"0.000|Alfa", "2.000|Segn.Prot.", "10.000|Beta", "|", "18.000|Gamma"}));

    p.segnale(9250).segnale(9500).segnale(10500).segnale(17000);
    EXPECT_EQ(km_e_nomi(righe_di(p.s)), (std::vector<std::string>{"0.000|Alfa", "9.500|Segn.Prot.", "10.000|Beta", "|",
                                                                  "17.000|Segn.Prot.", "18.000|Gamma"}));
}

// Pages: none begins with a protection signal or a spacer row, a spacer row
// follows its stop at once; over runs whose rows fall on every place of a
// page turn.
TEST(SchedaDerivata, PagineSenzaRigheFuoriPosto) {
    for (int n = 20; n < 50; ++n) {
        ScenarioDiProva p(100000);
        p.velocita(0, 100);
        for (int k = 0; k < n; ++k) {
            const std::int32_t x = k * 1900;
            p.segnale(x + 1000);
            p.stazione(x + 1500, "S" + std::to_string(k), k % 3 == 0 ? ore(8, k) : 0);
            if (k % 3 == 0) p.rallentamento(x + 1510, 100, 60);  // its post at the stop's place, or near
        }
        const std::vector<std::string> righe = test::controlla_scheda(righe_scheda_treno(p.s)).righe;
        for (std::size_t i = 0; i + 1 < righe.size(); ++i) {
            const test::CelleScheda c = celle_scheda(righe[i]);
            if (c.orario == std::string(16, ' ') || senza_blank(c.nome) == "S0") continue;
            const std::string dopo = senza_blank(celle_scheda(righe[i + 1]).nome);
            EXPECT_TRUE(dopo.empty() || dopo.rfind("Segn", 0) == 0 || dopo[0] == 'S')
                << n << " stations: " << righe[i] << " then " << righe[i + 1];
        }
    }
}

}  // namespace
}  // namespace compattatore
