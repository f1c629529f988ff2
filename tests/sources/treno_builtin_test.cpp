// Shape of the built-in train description: sections, row counts, column
// layout, ranges and the timetable.  Its exact bytes are those of the
// reference digests (tests/app/impronte_riferimento.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "campi.h"
#include "sources/descrizioni.h"

namespace compattatore {
namespace {

using test::campi;
using test::sezioni;
using test::valori;

// Section indices in file order.
enum { generale, aderenze, vel_limite, stazioni, rallentamenti, segnali, codici, fine };

TEST(TrenoBuiltin, CorniceDelFileESezioni) {
    const auto r = righe_treno();
    ASSERT_EQ(r.size(), 397u);
    EXPECT_EQ(r.front(), "[generale]");
    EXPECT_EQ(r.back(), "[fine]");
    EXPECT_EQ(std::count(r.begin(), r.end(), std::string_view{}), 7);
    for (const auto riga : r) {
        EXPECT_EQ(riga.find("riferimento fine del file"), std::string_view::npos);
        EXPECT_TRUE(std::all_of(riga.begin(), riga.end(),
                                [](char c) { return c >= ' ' && c < 127 && c != '"'; }))
            << riga;
    }
    const auto s = sezioni(r);
    struct Attesa {
        std::string_view intestazione, chiave;
        std::size_t righe;
        int vuote;
    };
    const Attesa attese[] = {{"[generale]", "", 4, 0},
                             {"[aderenze]", "aderenza", 31, 6},
                             {"[vel_limite]", "velocita", 43, 0},
                             {"[stazioni]", "stazione", 45, 1},
                             {"[rallentamenti]", "rallentamento", 2, 0},
                             {"[segnali]", "segnale", 179, 0},
                             {"[codici]", "abbattimento", 78, 0},
                             {"[fine]", "", 0, 0}};
    ASSERT_EQ(s.size(), std::size(attese));
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].intestazione, attese[i].intestazione);
        EXPECT_EQ(s[i].righe.size(), attese[i].righe) << attese[i].intestazione;
        EXPECT_EQ(s[i].vuote, attese[i].vuote) << attese[i].intestazione;
        if (attese[i].chiave.empty()) continue;
        for (const auto riga : s[i].righe) EXPECT_EQ(campi(riga)[0], attese[i].chiave) << riga;
    }
}

// Adhesion and speed rows: right-aligned positions (8 characters) and
// values (6), ascending from 0, inside their ranges.
TEST(TrenoBuiltin, ProfiliAllineatiCrescentiENeiLimiti) {
    const auto s = sezioni(righe_treno());
    struct Caso {
        int sezione;
        long ultima, minimo, massimo, passo;
    };
    for (const Caso caso : {Caso{aderenze, 325950, 58, 99, 1}, Caso{vel_limite, 330750, 30, 170, 5}}) {
        long prec = -1, lo = 1000, hi = 0;
        for (const auto riga : s[caso.sezione].righe) {
            const auto c = campi(riga);
            ASSERT_EQ(c.size(), 3u) << riga;
            const auto primo_campo = riga.find(',') + 1;
            if (riga != "velocita,   0,    30") {
                EXPECT_EQ(riga.size(), primo_campo + 8 + 1 + 6) << riga;
                EXPECT_NE(riga[primo_campo + 7], ' ') << riga;
            }
            const auto v = valori(riga, 2);
            EXPECT_GT(v[0], prec) << riga;
            EXPECT_EQ(v[0] % 50, 0) << riga;
            EXPECT_EQ(v[1] % caso.passo, 0) << riga;
            lo = std::min(lo, v[1]);
            hi = std::max(hi, v[1]);
            prec = v[0];
        }
        EXPECT_EQ(valori(s[caso.sezione].righe.front(), 1)[0], 0);
        EXPECT_EQ(prec, caso.ultima);
        EXPECT_EQ(lo, caso.minimo);
        EXPECT_EQ(hi, caso.massimo);
    }
}

struct Stazione {
    long pos, tipo, lung, inizio, fine, sosta, orario;
    long gruppi[6];
    std::string nome;
};

std::vector<Stazione> leggi_stazioni() {
    std::vector<Stazione> out;
    const auto tutte = sezioni(righe_treno());
    for (const auto riga : tutte[stazioni].righe) {
        const auto c = campi(riga);
        EXPECT_EQ(c.size(), 18u) << riga;
        if (c.size() != 18u) continue;
        const auto v = valori(riga, 16);
        Stazione st{v[0], v[1], v[2], 0, 0, v[12], (v[13] * 60 + v[14]) * 60 + v[15],
                    {v[6], v[7], v[8], v[9], v[10], v[11]}, std::string(c[17])};
        if (st.tipo == 7 || st.tipo == 8) {
            st.inizio = st.pos - st.lung;
            st.fine = st.pos + st.lung;
        } else {
            st.inizio = st.pos - st.lung / 2;
            st.fine = st.pos + st.lung / 2 + (v[5] ? 50 : 0);
        }
        out.push_back(st);
    }
    return out;
}

TEST(TrenoBuiltin, StazioniDistanziateEConOrario) {
    const auto st = leggi_stazioni();
    ASSERT_EQ(st.size(), 45u);
    EXPECT_EQ(st.front().pos, 0);
    EXPECT_EQ(st.back().pos, 332750);
    EXPECT_EQ(st.front().tipo, 8);
    std::set<long> tipi;
    std::set<std::string> nomi;
    for (std::size_t i = 0; i < st.size(); ++i) {
        const auto& s = st[i];
        tipi.insert(s.tipo);
        nomi.insert(s.nome);
        EXPECT_FALSE(s.nome.empty());
        EXPECT_EQ(s.pos % 50, 0) << s.nome;
        EXPECT_EQ(s.lung % 100, 0) << s.nome;
        EXPECT_TRUE(s.lung >= 200 && s.lung <= 600) << s.nome;
        EXPECT_LE(s.pos + 800, 50L * 6820) << s.nome;
        if (i > 0) {
            EXPECT_GE(s.inizio - 350, st[i - 1].fine) << s.nome;
        }
        if (s.tipo >= 27) {
            for (long g : s.gruppi) EXPECT_EQ(g, 0) << s.nome;
        }
        EXPECT_EQ(s.gruppi[2], 0) << s.nome;
    }
    EXPECT_EQ(tipi, (std::set<long>{2, 4, 8, 12, 21, 22, 27, 28}));
    EXPECT_EQ(nomi.size(), 45u);

    // Eight timed stations from 16:14:30 to 19:20:00; stop values 1 at the
    // first, 60 or 99 at the six in between, 0 at the last; the untimed ones
    // 0 except one with 145.
    std::vector<const Stazione*> con_orario;
    int con_145 = 0;
    for (const auto& s : st) {
        if (s.orario) {
            con_orario.push_back(&s);
        } else {
            EXPECT_TRUE(s.sosta == 0 || s.sosta == 145) << s.nome;
            con_145 += s.sosta == 145;
        }
    }
    EXPECT_EQ(con_145, 1);
    ASSERT_EQ(con_orario.size(), 8u);
    EXPECT_EQ(con_orario.front(), &st.front());
    EXPECT_EQ(con_orario.back(), &st.back());
    EXPECT_EQ(con_orario.front()->orario, 16 * 3600 + 14 * 60 + 30);
    EXPECT_EQ(con_orario.back()->orario, 19 * 3600 + 20 * 60);
    EXPECT_EQ(st.front().sosta, 1);
    EXPECT_EQ(st.back().sosta, 0);
    for (std::size_t i = 1; i < con_orario.size(); ++i) {
        EXPECT_GT(con_orario[i]->orario, con_orario[i - 1]->orario);
        if (i + 1 < con_orario.size()) {
            EXPECT_TRUE(con_orario[i]->sosta == 60 || con_orario[i]->sosta == 99);
        }
    }
}

TEST(TrenoBuiltin, SegnaliEAbbattimentiNeiLimiti) {
    const auto s = sezioni(righe_treno());
    std::set<long> posizioni_segnali;
    std::set<long> valori_campo[11];
    long prec = 0;
    int rapp = 0;
    std::multiset<long> tempi;
    for (const auto riga : s[segnali].righe) {
        ASSERT_EQ(campi(riga).size(), 12u) << riga;
        const auto v = valori(riga, 11);
        EXPECT_GT(v[0], prec) << riga;
        EXPECT_EQ(v[0] % 50, 0) << riga;
        prec = v[0];
        posizioni_segnali.insert(v[0]);
        for (int i = 1; i < 10; ++i) valori_campo[i].insert(v[i]);
        rapp += v[5];
        if (v[10]) tempi.insert(v[10]);
    }
    EXPECT_EQ(*posizioni_segnali.begin(), 1050);
    EXPECT_EQ(prec, 331100);
    EXPECT_EQ(valori_campo[1], (std::set<long>{2}));
    EXPECT_EQ(valori_campo[2], (std::set<long>{2, 3, 4, 5}));
    EXPECT_EQ(valori_campo[3], (std::set<long>{0, 1, 3, 6}));
    EXPECT_EQ(valori_campo[4], (std::set<long>{0, 1}));
    EXPECT_EQ(valori_campo[6], (std::set<long>{0, 1, 2}));
    EXPECT_EQ(valori_campo[7], (std::set<long>{0, 1, 2, 3}));
    EXPECT_EQ(valori_campo[8], (std::set<long>{0, 1}));
    EXPECT_EQ(valori_campo[9], (std::set<long>{0, 1}));
    EXPECT_EQ(rapp, 1);
    EXPECT_EQ(tempi, (std::multiset<long>{175, 190, 195, 199, 255, 255}));

    prec = 0;
    int ai_segnali = 0;
    for (const auto riga : s[codici].righe) {
        const auto v = valori(riga, 2);
        EXPECT_GT(v[0], prec) << riga;
        EXPECT_EQ(v[0] % 50, 0) << riga;
        EXPECT_TRUE((v[0] >= 7050 && v[0] <= 79450) || (v[0] >= 280200 && v[0] <= 327450)) << riga;
        EXPECT_EQ(v[1], 270) << riga;
        ai_segnali += posizioni_segnali.count(v[0]) ? 1 : 0;
        prec = v[0];
    }
    EXPECT_EQ(ai_segnali, 52);
    EXPECT_EQ(prec, 327450);
}

}  // namespace
}  // namespace compattatore
