// Formatting read back: the formatted texts compile to the same files as
// the texts the author wrote, on the built-in scenario and on a generated one.
#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "banco_lsp.h"
#include "lsp/testo_editor.h"
#include "sources/linea_generata.h"
#include "support/sha256.h"
#include "tables/file_compilati.h"

namespace compattatore::test {
namespace {

// The compiled files of two texts, as bytes.
std::string compilati(const std::string& linea, const std::string& treno) {
    Descrizioni d;
    d.nome_linea = "Brunovale";
    d.nome_treno = "Quarzo";
    d.linea = linea;
    d.treno = treno;
    const Compilazione c = compila_descrizioni(d);
    EXPECT_EQ(c.esito.codice, Codice::nessuno);
    return sha256_hex(codifica_griglia(c.scenario.celle) + codifica_voci(c.scenario.voci) +
                      codifica_tabella_linea(c.scenario.tabella_linea));
}

// Every record's blanks changed: none after the commas, two before them.
std::string spettinato(const std::string& t) {
    std::string r;
    bool dopo_virgola = false;
    for (char c : t) {
        if (c == ' ' && dopo_virgola) continue;
        dopo_virgola = c == ',';
        if (c == ',') r += "  ";
        r += c;
    }
    return r;
}

std::string formattato(Sessione& s, const std::string& percorso, const std::string& testo) {
    s.apri(percorso, testo);
    const json r = s.richiesta("textDocument/formatting", {{"textDocument", {{"uri", lsp::uri_di(percorso)}}},
                                                           {"options", {{"tabSize", 4}, {"insertSpaces", true}}}});
    return applica(testo, r["result"]);
}

TEST(Formattazione, ValuesStayTheSameAndTheLayoutIsDecompiles) {
    const DescrizioniGenerate generata = genera_descrizioni(120000);
    const std::pair<std::string, std::string> scenari[] = {
        {testo_linea_predefinito(), testo_treno_predefinito()}, {generata.linea, generata.treno}};
    for (const auto& [linea, treno] : scenari) {
        Disco d;
        Sessione s(d);
        ASSERT_EQ(compilati(spettinato(linea), spettinato(treno)), compilati(linea, treno));
        const std::string l = formattato(s, percorso_linea, spettinato(linea));
        const std::string t = formattato(s, percorso_treno, spettinato(treno));
        EXPECT_EQ(compilati(l, t), compilati(linea, treno));
        // Formatting what formatting wrote changes nothing.
        EXPECT_EQ(formattato(s, percorso_linea, l), l);
        EXPECT_EQ(formattato(s, percorso_treno, t), t);
    }
    // The layout, read on a few rows.
    Disco d;
    Sessione s(d);
    const std::string t = formattato(s, percorso_treno, spettinato(testo_treno_predefinito()));
    for (const char* riga : {"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\r\n", "aderenza,       0,    58\r\n",
                             "orologio,    16              20            30 \r\n"})
        EXPECT_NE(t.find(riga), std::string::npos) << riga;
}

}  // namespace
}  // namespace compattatore::test
