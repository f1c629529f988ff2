// Every card and order read back against the descriptions they come from:
// the built-in scenario as the no-argument run writes it, small lines made
// for the faults the documents once had, and a few hundred generated
// scenarios (kilometre references in both senses, several changes, origins
// and destinations inside the line, stops and passes, restrictions before,
// between, inside and after the stations).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "decompile/scenario_casuale.h"
#include "documents/documenti_scenario.h"
#include "lavoro_predefinito.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"
#include "support/rilettura_documenti.h"

namespace compattatore {
namespace {

void rileggi_compilato(const std::string& linea, const std::string& treno) {
    const Compilazione c = compila_descrizioni({"Prova", "Treno", linea, treno, false, {}, {}});
    ASSERT_EQ(c.esito.codice, Codice::nessuno);
    ASSERT_TRUE(c.scenario.griglia_esiste());
    test::rileggi_documenti(linea, treno, righe_scheda_treno(c.scenario), righe_ordine_rallentamenti(c.scenario));
}

TEST(RiletturaDocumenti, ScenarioIntegrato) {
    const test::DocumentoScritto scheda = test::file_del_lavoro("Brunovale_Quarzo_scheda_treno.txt");
    const test::DocumentoScritto ordine = test::file_del_lavoro("Brunovale_Quarzo_rallentamenti.txt");
    test::rileggi_documenti(componi_testo(righe_linea()), componi_testo(righe_treno()), scheda.righe, ordine.righe);
}

// A line of `lunghezza` metres with its kilometre references, and a train
// with its limits, stations, restrictions and signals, each a record.
struct Righe {
    std::string linea, treno;
    Righe(int lunghezza, const std::vector<std::string>& progressive) {
        linea = "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) + "\r\n";
        for (const std::string& p : progressive) linea += "progressiva chilometrica " + p + "\r\n";
        linea += "sfondo uno, 1\r\n[curve]\r\n[pendenze]\r\n[montagne]\r\n[cartelli]\r\n[indicazioni]\r\n[fine]\r\n";
        treno = "[generale]\r\nnumero vetture, 8\r\npercentuale massa frenata, 110\r\nsabbia, 100\r\n"
                "orologio, 9 0 0\r\n[aderenze]\r\n";
    }
    Righe& sezione(const std::string& s) {
        treno += "[" + s + "]\r\n";
        return *this;
    }
    Righe& r(const std::string& record) {
        treno += record + "\r\n";
        return *this;
    }
    Righe& stazione(int p, const std::string& nome, int h = 0, int m = 0) {
        return r("stazione, " + std::to_string(p) + ", 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 60, " + std::to_string(h) + "," +
                 std::to_string(m) + ",0, " + nome);
    }
    std::string fine() { return treno + "[fine]\r\n"; }
};

TEST(RiletturaDocumenti, CasiDeiGuasti) {
    {
        SCOPED_TRACE("rows at a reference change");
        Righe t(12000, {"uno, 6000, 44000, 0"});
        t.sezione("vel_limite").r("velocita, 0, 100").r("velocita, 6000, 80").sezione("stazioni");
        t.stazione(1000, "Alfa", 9, 0).stazione(6000, "Beta", 9, 5).stazione(11000, "Gamma", 9, 10);
        t.sezione("rallentamenti").r("rallentamento, 6050, 30, 200, 0, 0, 0");
        t.sezione("segnali").r("segnale, 5000, 2, 0,0,0, 0, 0, 0,0,0, 0").r("segnale, 10000, 2, 0,0,0, 0, 0, 0,0,0, 0");
        rileggi_compilato(t.linea, t.fine());
    }
    {
        SCOPED_TRACE("origin and destination inside the line, restrictions outside the run");
        Righe t(40000, {"uno, 20000, 96000, 1"});
        t.sezione("vel_limite").r("velocita, 0, 60").r("velocita, 1000, 100").r("velocita, 35000, 60");
        t.sezione("stazioni").stazione(3000, "Alfa", 9, 0).stazione(9000, "Beta").stazione(30000, "Gamma", 9, 15);
        t.sezione("rallentamenti").r("rallentamento, 1000, 30, 500, 0, 0, 0");
        t.r("rallentamento, 12300, 50, 300, 0, 0, 0").r("rallentamento, 34000, 40, 400, 0, 0, 0");
        t.sezione("segnali").r("segnale, 2000, 2, 0,0,0, 0, 0, 0,0,0, 0");
        rileggi_compilato(t.linea, t.fine());
    }
    {
        SCOPED_TRACE("no post before a restriction; the last signal far before two stops");
        Righe t(20000, {"uno, 0, 12300, 0"});
        t.sezione("vel_limite").r("velocita, 0, 100").sezione("stazioni");
        t.stazione(0, "San Benedetto Val di Sambro", 9, 0).stazione(10000, "Castiglione dei Pepoli", 9, 10);
        t.stazione(18000, "Gamma", 9, 20);
        t.sezione("rallentamenti").r("rallentamento, 500, 60, 200, 0, 0, 0").r("rallentamento, 5000, 60, 200, 0, 0, 0");
        t.sezione("segnali").r("segnale, 2000, 2, 0,0,0, 0, 0, 0,0,0, 0");
        rileggi_compilato(t.linea, t.fine());
    }
}

TEST(RiletturaDocumenti, ScenariGenerati) {
    int rilette = 0;
    for (std::uint64_t seme = 1; seme <= 300; ++seme) {
        const test::ScenarioCasuale g = test::scenario_casuale_valido(seme);
        if (!test::rilettura_possibile(g.testo_linea, g.testo_treno)) continue;
        SCOPED_TRACE("seed " + std::to_string(seme));
        const Compilazione c =
            compila_descrizioni({test::linea_casuale, test::treno_casuale, g.testo_linea, g.testo_treno, false, {}, {}});
        test::rileggi_documenti(g.testo_linea, g.testo_treno, righe_scheda_treno(c.scenario),
                                righe_ordine_rallentamenti(c.scenario));
        ++rilette;
        if (HasFailure()) {
            ADD_FAILURE() << "line:\n" << g.testo_linea << "\ntrain:\n" << g.testo_treno;
            break;
        }
    }
    EXPECT_GE(rilette, 250);
}

}  // namespace
}  // namespace compattatore
