// Whatever a compilation writes into a .sim passes the plausibility check
// that dump and decompile run on it: the built-in scenario and the
// generated ones, with and without the plan, leave no entry it reports.
#include <string>

#include <gtest/gtest.h>

#include "compiled/decodifica.h"
#include "compiled/plausibilita_voci.h"
#include "compilazione_prova.h"
#include "scenario_casuale.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace compattatore {
namespace {

std::string prima(const std::vector<VoceInverosimile>& r) { return r.empty() ? "" : r.front().motivo; }

TEST(VociVerosimili, IlPredefinitoNonHaVociInverosimili) {
    for (const bool piano : {true, false}) {
        const test::FileCompilati f =
            test::compila_testi(linea_predefinita, treno_predefinito, componi_testo(righe_linea()),
                                componi_testo(righe_treno()), piano);
        ASSERT_TRUE(f.validi());
        const std::vector<VoceInverosimile> r = esamina_voci(
            decodifica_voci(f.sim), std::string(linea_predefinita) + "_" + std::string(treno_predefinito));
        EXPECT_TRUE(r.empty()) << prima(r);
    }
}

TEST(VociVerosimili, GliScenariGeneratiNonHannoVociInverosimili) {
    for (std::uint64_t seme = 1; seme <= 300; ++seme) {
        const test::ScenarioCasuale g = test::scenario_casuale_valido(seme);
        const std::vector<VoceInverosimile> r = esamina_voci(
            decodifica_voci(g.compilati.sim), std::string(test::linea_casuale) + "_" + test::treno_casuale);
        ASSERT_TRUE(r.empty()) << "seme " << seme << ": " << prima(r) << "\n" << g.testo_linea << g.testo_treno;
    }
}

}  // namespace
}  // namespace compattatore
