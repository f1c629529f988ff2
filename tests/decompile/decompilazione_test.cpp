// Decompilation round trips: the compiled files of a scenario, decompiled
// and compiled again, are the same bytes.
#include "decompile/decompilazione.h"

#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "compilazione_prova.h"
#include "reader/formato_descrizione.h"
#include "sources/linea_generata.h"
#include "scenario_casuale.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"
#include "support/temp_dir.h"
#include "tables/nomi_file.h"

namespace compattatore {
namespace {

std::string prime_differenze(const Decompilazione& d) {
    std::string r;
    for (std::size_t i = 0; i < d.differenze.size() && i < 10; ++i) r += d.differenze[i] + "\n";
    return r;
}

// Decompiles `f`, checks that the decompilation finds no difference, and
// compiles the texts again as compile does: the same three files.
Decompilazione giro_completo(const std::string& linea, const std::string& treno, const test::FileCompilati& f) {
    const Decompilazione d = decompila(test::decodifica(linea, treno, f));
    EXPECT_TRUE(d.riprodotti()) << prime_differenze(d);
    const test::FileCompilati g = test::compila_testi(linea, treno, d.testo_linea, d.testo_treno, f.piano.has_value());
    EXPECT_EQ(g.codice, 0);
    EXPECT_EQ(g.errore_segnalato, 0);
    EXPECT_EQ(g.piano.has_value(), f.piano.has_value());
    if (g.piano && f.piano) {
        EXPECT_TRUE(*g.piano == *f.piano) << "piano diverso";
    }
    EXPECT_TRUE(g.sim == f.sim) << "voci diverse";
    EXPECT_TRUE(g.griglia == f.griglia) << "griglia diversa";
    return d;
}

std::string testo_di(std::span<const std::string_view> righe) { return componi_testo(righe); }

// --- the built-in scenario -----------------------------------------------

// The files of the built-in scenario, with the plan (as the no-argument run
// writes them: the reference digests hold those) and without.
struct FileIntegrati {
    test::FileCompilati con_piano, senza_piano;
};

const FileIntegrati& integrati() {
    static const FileIntegrati f = [] {
        FileIntegrati r;
        for (const bool piano : {true, false})
            (piano ? r.con_piano : r.senza_piano) = test::compila_testi(
                linea_predefinita, treno_predefinito, testo_di(righe_linea()), testo_di(righe_treno()), piano);
        return r;
    }();
    return f;
}

TEST(DecompilazioneIntegrata, IFileDellAvvioSenzaArgomentiTornanoBytePerByte) {
    giro_completo(linea_predefinita, treno_predefinito, integrati().con_piano);
}

TEST(DecompilazioneIntegrata, SenzaIlPianoTornanoGliAltriDueESiScriveNessunaCurva) {
    const Decompilazione d = giro_completo(linea_predefinita, treno_predefinito, integrati().senza_piano);
    EXPECT_TRUE(d.descrizione.linea.curve.empty());
    EXPECT_NE(d.testo_linea.find("[curve]\r\n[pendenze]\r\n"), std::string::npos);
}

// A montagna stretch read entirely under a later one shows only through
// its marks, off the places of the later one's.
TEST(DecompilazioneMontagna, UnTrattoCopertoDaUnAltroTornaDaiSuoiSegni) {
    const test::FileCompilati f = test::compila_testi(
        "L", "T", "[generale]\r\nlunghezza percorso, 20000\r\nmontagna, 8750, 11150, 12\r\nmontagna, 50, 11750, 12\r\n[fine]\r\n",
        "[generale]\r\n[fine]\r\n", false);
    ASSERT_TRUE(f.validi());
    giro_completo("L", "T", f);
}

// A record as its values: the keyword, then the numbers the reader takes
// for it, then the text of a sign or a station.
using Record = std::vector<std::string>;

std::string spoglia(std::string t) {
    const std::size_t a = t.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    const std::size_t b = t.find_last_not_of(" \t");
    return t.substr(a, b - a + 1);
}

std::vector<Record> record_di(const std::string& testo) {
    // Fields each keyword takes, after it; a text comes last for signs and stations.
    const std::pair<const char*, int> campi[] = {
        {"lunghezza percorso", 1}, {"progressiva", 3}, {"sfondo", 1},     {"ripetizione", 2},  {"curva", 2},
        {"pendenza", 2},           {"montagna", 3},    {"indicatori_v", 9}, {"cartello", 1},    {"vetture", 1},
        {"massa", 1},              {"sabbia", 1},      {"aderenza", 2},   {"velocita", 2},     {"stazione", 16},
        {"rallentamento", 6},      {"segnale", 11},    {"abbattimento", 2}};
    std::vector<Record> r;
    std::istringstream in(testo);
    std::string riga;
    while (std::getline(in, riga)) {
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        if (riga.empty() || riga.front() == '[') continue;
        std::vector<std::string> f;
        std::istringstream parti(riga);
        for (std::string x; std::getline(parti, x, ',');) f.push_back(spoglia(x));
        Record rec = {f[0]};
        if (f[0] == "orologio") {
            std::istringstream numeri(f[1]);
            for (std::string x; numeri >> x;) rec.push_back(x);
        } else {
            int n = -1;
            for (const auto& [chiave, quanti] : campi)
                if (f[0].find(chiave) != std::string::npos) n = quanti;
            EXPECT_GE(n, 0) << riga;
            for (int k = 1; k <= n; ++k) rec.push_back(std::to_string(std::stol(f.at(static_cast<std::size_t>(k)).empty() ? "0" : f.at(static_cast<std::size_t>(k)))));
            if (f[0] == "stazione" || f[0].find("cartello") != std::string::npos) rec.push_back(f.at(static_cast<std::size_t>(n + 1)));
        }
        // A profile row that repeats the value before it changes nothing.
        const bool profilo = rec[0] == "pendenza" || rec[0] == "aderenza" || rec[0] == "velocita";
        if (profilo && !r.empty() && r.back()[0] == rec[0] && r.back()[2] == rec[2]) continue;
        r.push_back(rec);
    }
    return r;
}

TEST(DecompilazioneIntegrata, LaDescrizioneRicavataHaIRecordDiQuellaPredefinita) {
    const Decompilazione d =
        decompila(test::decodifica(linea_predefinita, treno_predefinito, integrati().con_piano));
    EXPECT_EQ(record_di(d.testo_linea), record_di(testo_di(righe_linea())));
    EXPECT_EQ(record_di(d.testo_treno), record_di(testo_di(righe_treno())));
}

// Every keyword of the format comes back from the compiled files: the
// built-in scenario, and the same with 4 repetition codes and a curve of
// class 6, has them all but the documents' own.
TEST(DecompilazioneIntegrata, OgniParolaChiaveTornaDallaDecompilazione) {
    std::set<std::string> scritte;
    const auto raccogli = [&scritte](const std::string& testo) {
        std::istringstream righe(testo);
        for (std::string riga; std::getline(righe, riga);) scritte.insert(riga.substr(0, riga.find(',')));
    };
    const Decompilazione d =
        decompila(test::decodifica(linea_predefinita, treno_predefinito, integrati().con_piano));
    raccogli(d.testo_linea);
    raccogli(d.testo_treno);

    std::string linea = testo_di(righe_linea());
    const auto sostituisci = [&linea](std::string_view da, std::string_view a) {
        const std::size_t i = linea.find(da);
        ASSERT_NE(i, std::string::npos) << da;
        linea.replace(i, da.size(), a);
    };
    sostituisci("ripetizione segnali 9 codici", "ripetizione segnali 4 codici");
    sostituisci("curvas1,  1350,", "curvas6,  1350,");
    const test::FileCompilati f =
        test::compila_testi(linea_predefinita, treno_predefinito, linea, testo_di(righe_treno()), true);
    ASSERT_TRUE(f.validi());
    raccogli(giro_completo(linea_predefinita, treno_predefinito, f).testo_linea);

    for (const lettore::Record& r : lettore::formato_descrizione().records) {
        if (r.solo_documenti) continue;
        for (const std::string_view p : r.parole) EXPECT_EQ(scritte.count(std::string(p)), 1u) << p;
    }
}

// --- the benchmark's generated lines ---------------------------------------

class LineeGenerate : public ::testing::TestWithParam<int> {};

TEST_P(LineeGenerate, TornanoBytePerByte) {
    const DescrizioniGenerate g = genera_descrizioni(GetParam() * 1000);
    const test::FileCompilati f = test::compila_testi("Generata", "Prova", g.linea, g.treno, true);
    ASSERT_TRUE(f.validi());
    giro_completo("Generata", "Prova", f);
}

INSTANTIATE_TEST_SUITE_P(Km, LineeGenerate, ::testing::Values(100, 500, 1000));

// --- random valid descriptions -----------------------------------------------

// What the accepted scenarios hold, counted on their decompiled records: the
// generator has to keep reaching every kind of record and the cases between
// them that the decompilation tells apart.
struct Copertura {
    std::map<std::string, int> n;

    void conta(const Decompilazione& d, const ScenarioCompilato& c, bool piano) {
        const decompilazione::Linea& l = d.descrizione.linea;
        const decompilazione::Treno& t = d.descrizione.treno;
        n["senza piano"] += piano ? 0 : 1;
        for (const auto& k : l.curve) n[k.sinistra ? "curva sinistra" : "curva destra"]++;
        for (const auto* p : {&l.uno, &l.due, &l.tre})
            if (*p) n[(*p)->verso == 1 ? "progressiva decrescente" : "progressiva crescente"]++;
        if (l.ripetizione) n["ripetizione " + std::to_string(l.ripetizione->codici) + " codici"]++;
        for (const auto& m : l.montagne) n[m.tipo > 10 ? "montagna con segni" : "montagna senza segni"]++;
        for (const auto& m : l.montagne) n[m.tipo % 10 == 3 ? "montagna di tipo 3" : "montagna di altro tipo"]++;
        for (const auto& b : l.indicatori) n[b.destro[0] == 0 ? "indicatore senza destro" : "indicatore con destro"]++;
        for (const auto& k : l.cartelli) {
            n["cartello"]++;
            if (c.celle()[static_cast<std::size_t>(k.posizione / 50 + 1)].tipo == TipoCella::fermata)
                n["cartello coperto da una fermata"]++;
        }
        for (const auto& s : t.stazioni) {
            const char* tipo = s.tipo == 5 || s.tipo == 6   ? "stazione di tipo 5 o 6"
                               : s.tipo == 7 || s.tipo == 8 ? "stazione di tipo 7 o 8"
                               : s.tipo >= 25               ? "stazione di tipo 25 o più"
                                                            : "stazione di altro tipo";
            n[tipo]++;
            if (s.flag[2] != 0) n["stazione con fine prolungata"]++;
        }
        for (const auto& r : t.rallentamenti) {
            n[r.v < 110 ? "rallentamento sotto 110" : "rallentamento da 110"]++;
            n[r.f_ta != 0 ? "rallentamento con preavvisi" : "rallentamento senza preavvisi"]++;
            n[r.d_v != 0 ? "rallentamento con d_v" : "rallentamento senza d_v"]++;
        }
        for (const auto& g : t.segnali) n[g.tempo != 0 ? "segnale con tempo" : "segnale senza tempo"]++;
        for (const auto& a : t.abbattimenti) n[a.codice > 0 ? "abbattimento con codice" : "abbattimento senza codice"]++;
        for (const auto& a : t.abbattimenti)
            if (a.codice == 180) n["abbattimento di 180 tra i codici della finitura"]++;
    }
};

TEST(DecompilazioneCasuale, ScenariValidiCasualiTornanoBytePerByte) {
    // SEME_PRIMO and SEME_ULTIMO run other seeds by hand.
    const std::uint64_t primo = std::getenv("SEME_PRIMO") ? std::stoull(std::getenv("SEME_PRIMO")) : 1;
    const std::uint64_t ultimo = std::getenv("SEME_ULTIMO") ? std::stoull(std::getenv("SEME_ULTIMO")) : 300;
    Copertura copertura;
    for (std::uint64_t seme = primo; seme <= ultimo; ++seme) {
        const test::ScenarioCasuale r = test::scenario_casuale_valido(seme);
        SCOPED_TRACE("seme " + std::to_string(seme) + "\n" + r.testo_linea + r.testo_treno);
        const Decompilazione d = giro_completo(test::linea_casuale, test::treno_casuale, r.compilati);
        copertura.conta(d, test::decodifica(test::linea_casuale, test::treno_casuale, r.compilati), r.piano);
        if (::testing::Test::HasFailure()) return;
    }
    if (primo != 1 || ultimo < 300) return;
    for (const char* caso :
         {"senza piano", "curva sinistra", "curva destra", "progressiva crescente", "progressiva decrescente",
          "ripetizione 4 codici", "ripetizione 9 codici", "montagna con segni", "montagna senza segni",
          "montagna di tipo 3", "montagna di altro tipo", "indicatore senza destro", "indicatore con destro", "cartello",
          "cartello coperto da una fermata", "stazione di tipo 5 o 6", "stazione di tipo 7 o 8",
          "stazione di tipo 25 o più", "stazione di altro tipo", "stazione con fine prolungata",
          "rallentamento sotto 110", "rallentamento da 110", "rallentamento con preavvisi",
          "rallentamento senza preavvisi", "rallentamento con d_v", "rallentamento senza d_v",
          "segnale con tempo", "segnale senza tempo", "abbattimento con codice",
          "abbattimento senza codice", "abbattimento di 180 tra i codici della finitura"})
        EXPECT_GE(copertura.n[caso], 5) << caso;
}

// Files damaged by hand anywhere: the decompilation still writes the closest
// texts, and it says that they give the files back exactly when compile
// does give them back.
TEST(DecompilazioneDanneggiata, DiceCheIFileTornanoSoloQuandoCompileLiRidaDavvero) {
    int riprodotti = 0, no = 0;
    for (std::uint64_t seme = 1; seme <= 60; ++seme) {
        const test::ScenarioCasuale r = test::scenario_casuale_valido(seme);
        test::FileCompilati f = r.compilati;
        std::mt19937_64 g(seme);
        for (int k = static_cast<int>(g() % 4); k >= 0; --k)
            f.griglia[static_cast<std::size_t>(g() % f.griglia.size())] = static_cast<char>(g() % 256);
        SCOPED_TRACE("seme " + std::to_string(seme));
        const Decompilazione d = decompila(test::decodifica(test::linea_casuale, test::treno_casuale, f));
        const test::FileCompilati c =
            test::compila_testi(test::linea_casuale, test::treno_casuale, d.testo_linea, d.testo_treno, r.piano);
        const bool uguali = c.griglia == f.griglia && c.sim == f.sim && c.piano == f.piano;
        EXPECT_EQ(d.riprodotti(), uguali) << prime_differenze(d);
        (uguali ? riprodotti : no)++;
    }
    // Some damage a description can give (a changed gradient), most not.
    EXPECT_GT(riprodotti, 0);
    EXPECT_GT(no, 0);
}

// Where the finishing pass would put a code in a slow restriction and the
// description already has one there, the pass's code goes one cell earlier
// and the spacing after it follows: the decompiled rows give the row that
// explains both, not the one the pass adds.
TEST(DecompilazioneCodici, UnaRigaSulPostoDellaFinituraSiDistingueDalCodiceCheLaFinituraSposta) {
    const std::string linea = "[generale]\r\nlunghezza percorso, 20000\r\n[fine]\r\n";
    const std::string treno =
        "[generale]\r\n"
        "rallentamento, 10000, 60, 1500, 0, 1, 0\r\n"
        "abbattimento, 10450, 180\r\n"   // start cell 201 + 8: the pass moves to 208
        "abbattimento, 9800, 270\r\n"    // the first approach place: the pass takes the next one
        "abbattimento, 4000, 0\r\n"
        "[fine]\r\n";
    const test::FileCompilati f = test::compila_testi("L", "T", linea, treno, false);
    ASSERT_TRUE(f.validi());
    const Decompilazione d = decompila(test::decodifica("L", "T", f));
    EXPECT_TRUE(d.riprodotti());
    std::vector<std::pair<int, int>> righe;
    for (const auto& a : d.descrizione.treno.abbattimenti) righe.emplace_back(a.posizione, a.codice);
    EXPECT_EQ(righe, (std::vector<std::pair<int, int>>{{4000, 0}, {9800, 270}, {10450, 180}}));
}

}  // namespace
}  // namespace compattatore
