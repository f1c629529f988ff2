// The built-in card and order are what the documents' derivation makes of
// the compiled built-in scenario, given the values the built-in card shows
// and the train description does not carry: byte for byte.
#include <span>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "documents/documenti.h"
#include "documents/documenti_scenario.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace compattatore {
namespace {

Scenario integrato() {
    const std::string linea = componi_testo(righe_linea()), treno = componi_testo(righe_treno());
    Compilazione c = compila_descrizioni({"Brunovale", "Quarzo", linea, treno, true, {}, {}});
    EXPECT_EQ(c.esito.codice, Codice::nessuno);
    c.scenario.documenti = dati_documenti_predefiniti();
    return std::move(c.scenario);
}

// Line by line first, so that a difference names its line.
void uguali(const std::vector<std::string>& derivate, std::span<const std::string_view> testo_integrato) {
    ASSERT_EQ(derivate.size(), testo_integrato.size());
    for (std::size_t i = 0; i < derivate.size(); ++i) EXPECT_EQ(derivate[i], testo_integrato[i]) << "line " << i + 1;
}

TEST(DocumentiIntegrati, LaSchedaELOrdineSonoQuelliDelloScenarioCompilato) {
    const Scenario s = integrato();
    uguali(righe_scheda_treno(s), righe_scheda());
    uguali(righe_ordine_rallentamenti(s), righe_rallentamenti());
    EXPECT_EQ(scheda_treno(s), componi_testo(righe_scheda()));
    EXPECT_EQ(ordine_rallentamenti(s), componi_testo(righe_rallentamenti()));
}

}  // namespace
}  // namespace compattatore
