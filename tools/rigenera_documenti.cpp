// Writes the built-in timetable card and restriction order as the C++
// sources that carry them (documents/scheda_testo.cpp and
// rallentamenti_testo.cpp), from what the documents' derivation makes of the
// compiled built-in scenario.  Run it after a change to the built-in line or
// train, then look at the difference:
//
//     cmake --build build --target rigenera_documenti
//     build/rigenera_documenti src/documents
//
// The program itself writes the texts as they stand in those sources; a
// test checks that they still agree with the derivation.
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compile/compilazione.h"
#include "app/esecuzione.h"
#include "documents/documenti.h"
#include "documents/documenti_scenario.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace {

using namespace compattatore;

std::string letterale(std::string_view r) {
    std::string t = "\"";
    for (char c : r) {
        if (c == '"' || c == '\\') t.push_back('\\');
        t.push_back(c);
    }
    return t + "\"";
}

std::string sorgente(const char* descrizione, const char* funzione, const std::vector<std::string>& righe) {
    std::string s = std::string(descrizione) +
                    "// Written by tools/rigenera_documenti.cpp from the derivation of the\n"
                    "// compiled built-in scenario; a test checks that the two agree.\n"
                    "#include <array>\n#include <string_view>\n\n#include \"documents/documenti.h\"\n\n"
                    "namespace compattatore {\n\nnamespace {\n\nconstexpr std::array<std::string_view, " +
                    std::to_string(righe.size()) + "> righe = {\n";
    for (const std::string& r : righe) s += "    " + letterale(r) + ",\n";
    s += "};\n\n}  // namespace\n\nstd::span<const std::string_view> " + std::string(funzione) +
         "() { return righe; }\n\n}  // namespace compattatore\n";
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "uso: rigenera_documenti CARTELLA (src/documents)\n";
        return 2;
    }
    const std::filesystem::path cartella = argv[1];
    const std::string linea = componi_testo(righe_linea()), treno = componi_testo(righe_treno());
    Compilazione c = compila_descrizioni({linea_predefinita, treno_predefinito, linea, treno, true, {}, {}});
    if (c.esito.codice != Codice::nessuno) {
        std::cerr << "lo scenario integrato non si compila: codice " << numero(c.esito.codice) << '\n';
        return 1;
    }
    c.scenario.documenti = dati_documenti_predefiniti();
    try {
        replace_file(cartella / "scheda_testo.cpp",
                         sorgente("// The timetable card of the built-in scenario, one entry per line of the file.\n",
                                  "righe_scheda", righe_scheda_treno(c.scenario)));
        replace_file(
            cartella / "rallentamenti_testo.cpp",
            sorgente("// The speed-restriction order of the built-in scenario, one entry per line of the file.\n",
                     "righe_rallentamenti", righe_ordine_rallentamenti(c.scenario)));
    } catch (const IoError& e) {
        std::cerr << path_text(e.file()) << ": " << e.reason() << '\n';
        return 1;
    }
    return 0;
}
