// End-to-end runs of the real program, copied into a fresh folder so that the
// files it writes beside itself land there.
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "format/json.h"
#include "platform/paths.h"
#include "support/builtin_warnings.h"
#include "support/json.h"
#include "support/process.h"
#include "support/reference_digests.h"
#include "support/sha256.h"
#include "support/system_reasons.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

class ProgrammaCopiato : public ::testing::Test {
protected:
    TempDir dir;
    fs::path exe;
    void SetUp() override {
        exe = dir / fs::path(COMPATTATORE_EXE).filename();
        fs::copy_file(COMPATTATORE_EXE, exe);
    }
};

TEST_F(ProgrammaCopiato, SenzaArgomentiLasciaEsattamenteISeiFile) {
    // Started from another working directory: the files go beside the program.
    test::CommandOptions altrove;
    altrove.folder = exe.root_path();
    test::CommandResult esito = test::run_program(exe, {}, altrove);
    ASSERT_EQ(esito.status, 0) << esito.output;
    EXPECT_EQ(esito.output, "Attendere\n");

    // The folder's lock file stays, empty, for the runs to come.
    std::set<std::string> attesi{exe.filename().string(),
                                 ".compattatore.lock",
                                 "Brunovale_linea.dat",
                                 "Brunovale_Quarzo.sim",
                                 "Brunovale_Quarzo.dat",
                                 "Brunovale_Quarzo_scheda_treno.txt",
                                 "Brunovale_Quarzo_rallentamenti.txt",
                                 "Brunovale_Quarzo_note.txt"};
    EXPECT_EQ(test::file_names(dir.path()), attesi);

    // Every file as the reference holds it.
    const std::map<std::string, std::string> attese = test::reference_digests(COMPATTATORE_IMPRONTE);
    for (const std::string& nome : attesi) {
        if (nome == exe.filename().string() || nome == ".compattatore.lock") continue;
        EXPECT_EQ(test::sha256_hex(test::read_bytes(dir / nome)), attese.at("senza_argomenti/" + nome)) << nome;
    }
}

TEST_F(ProgrammaCopiato, SourcesPoiCompileDannoGliStessiFileCompilati) {
    ASSERT_EQ(test::run_program(exe).status, 0);
    fs::path autore = dir / "autore";
    fs::create_directory(autore);
    test::CommandResult sorgenti = test::run_program(exe, {"sources", test::argument(autore)});
    ASSERT_EQ(sorgenti.status, 0) << sorgenti.output;
    EXPECT_EQ(test::file_names(autore),
              (std::set<std::string>{".compattatore.lock", "Brunovale_linea.txt", "Brunovale_Quarzo-.txt"}));

    test::CommandResult compilato = test::run_program(exe, {"compile", test::argument(autore)});
    ASSERT_EQ(compilato.status, 0) << compilato.output;
    // The guide's warnings for the built-in files, and no other.
    EXPECT_EQ(compilato.output, test::builtin_warnings_text(test::argument(autore / "Brunovale_linea.txt")) +
                                    "codice 0: nessun errore, 1 avviso\n");
    // The author's files are kept; the compiled files equal the built-in run's;
    // the card and the order come with them, the notes only from the author's.
    EXPECT_EQ(test::file_names(autore),
              (std::set<std::string>{".compattatore.lock", "Brunovale_linea.txt", "Brunovale_Quarzo-.txt",
                                     "Brunovale_linea.dat", "Brunovale_Quarzo.sim", "Brunovale_Quarzo.dat",
                                     "Brunovale_Quarzo_scheda_treno.txt", "Brunovale_Quarzo_rallentamenti.txt"}));
    for (const char* nome : {"Brunovale_linea.dat", "Brunovale_Quarzo.sim", "Brunovale_Quarzo.dat"})
        EXPECT_TRUE(test::read_bytes(autore / nome) == test::read_bytes(dir / nome)) << nome;
}

// The author's notes (UTF-8) become the simulator's notes (Windows-1252);
// a character the code page lacks stops compile at its line and column,
// and then nothing is written.
TEST_F(ProgrammaCopiato, CompileScriveLeNoteDellAutore) {
    fs::path autore = dir / "autore";
    fs::create_directory(autore);
    ASSERT_EQ(test::run_program(exe, {"sources", test::argument(autore)}).status, 0);
    test::write_bytes(autore / "Brunovale_Quarzo_note-.txt", "Prima riga.\nPi\u00F9 \u2192 avanti\n");
    test::CommandResult rifiutato = test::run_program(exe, {"compile", test::argument(autore)});
    EXPECT_EQ(rifiutato.status, 1);
    EXPECT_EQ(rifiutato.output,
              test::builtin_warnings_text(test::argument(autore / "Brunovale_linea.txt")) +
              test::argument(autore / "Brunovale_Quarzo_note-.txt") +
                  ":2:6: errore: carattere U+2192 non rappresentabile in Windows-1252\n"
                  "    Pi\u00F9 \u2192 avanti\n"
                  "        ^\n"
                  "compilazione non riuscita (note dell'autore): i file compilati non sono stati toccati\n");
    EXPECT_EQ(test::file_names(autore).size(), 4u);  // the lock file, the descriptions and the notes
    // check reports it among the scenario's problems; --json in its object.
    test::CommandResult controllo = test::run_program(exe, {"check", test::argument(autore)});
    EXPECT_EQ(controllo.status, 1);
    EXPECT_EQ(controllo.output, rifiutato.output.substr(0, rifiutato.output.rfind("compilazione")) + test::builtin_count(1));
    test::CommandResult json = test::run_program(exe, {"compile", test::argument(autore), "--json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.output.find("\"riga\":2,\"colonna\":6,\"testo\":\"Pi\\u00f9 \\u2192 avanti\",\"scritti\":false,"
                               "\"errori\":1,"),
              std::string::npos)
        << json.output;
    EXPECT_EQ(test::file_names(autore).size(), 4u);  // the lock file, the descriptions and the notes

    test::write_bytes(autore / "Brunovale_Quarzo_note-.txt", "Costa 5 \u20AC, \u201Cdavvero\u201D.\r\n\r\nEttore.\r\n");
    test::CommandResult compilato = test::run_program(exe, {"compile", test::argument(autore)});
    ASSERT_EQ(compilato.status, 0) << compilato.output;
    EXPECT_EQ(test::read_bytes(autore / "Brunovale_Quarzo_note.txt"),
              "   Costa 5 \x80, \x93" "davvero\x94.\r\n\r\n   Ettore.\r\n");
}

TEST_F(ProgrammaCopiato, CompileSenzaPianoNonScriveIlFileDellaLinea) {
    fs::path autore = dir / "autore";
    fs::create_directory(autore);
    ASSERT_EQ(test::run_program(exe, {"sources", test::argument(autore)}).status, 0);
    test::CommandResult compilato = test::run_program(exe, {"compile", test::argument(autore), "--no-plan"});
    ASSERT_EQ(compilato.status, 0) << compilato.output;
    EXPECT_FALSE(fs::exists(autore / "Brunovale_linea.dat"));
    EXPECT_TRUE(fs::exists(autore / "Brunovale_Quarzo.sim"));
    EXPECT_EQ(fs::file_size(autore / "Brunovale_Quarzo.dat"), 15u * 6821u);
}

// A folder with no scenario has nothing to compile; the report says how to
// get one.  With the names given, a reader that stops before the grid
// exists names the path it looked for.
TEST_F(ProgrammaCopiato, CompileDiUnaLineaMancanteDaCodice101ENonScriveNulla) {
    fs::path vuota = dir / "vuota";
    fs::create_directory(vuota);
    test::CommandResult esito = test::run_program(exe, {"compile", test::argument(vuota)});
    EXPECT_EQ(esito.status, 1);
    EXPECT_EQ(esito.output, "compattatore: " + test::argument(vuota) +
                                ": nessuno scenario (i file LINEA_linea.txt e LINEA_TRENO-.txt); compattatore sources " +
                                test::argument(vuota) + " ne scrive uno\n");
    EXPECT_EQ(test::file_names(vuota), std::set<std::string>{});
    esito = test::run_program(exe, {"compile", test::argument(vuota), "--linea", "Brunovale", "--treno", "Quarzo"});
    EXPECT_EQ(esito.status, 1);
    EXPECT_EQ(esito.output, test::argument(vuota / "Brunovale_linea.txt") +
                                ": errore: codice 101: file della linea non trovato\n"
                                "    la cartella non contiene nessuno scenario (i file LINEA_linea.txt e LINEA_TRENO-.txt)\n"
                                "compilazione non riuscita (codice 101): i file compilati non sono stati toccati\n");
    EXPECT_EQ(test::file_names(vuota), std::set<std::string>{".compattatore.lock"});
}

TEST_F(ProgrammaCopiato, CompileRiportaIlRecordCheHaCausatoIlCodice) {
    fs::path autore = dir / "autore";
    fs::create_directory(autore);
    test::write_bytes(autore / "L_linea.txt",
                       "[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\n"
                       "pendenza,  0,   0\r\npendenza,  20000,   3\r\n[fine]\r\n");
    test::write_bytes(autore / "L_T-.txt", "[generale]\r\nstazione, 0, 8, 500, 1,0,0, 4,1,0, 2,1,1, 1, 16,14,30, A\r\n[fine]\r\n");
    const std::vector<std::string> argomenti = {"compile", test::argument(autore), "--linea", "L", "--treno", "T"};
    test::CommandResult esito = test::run_program(exe, argomenti);
    EXPECT_EQ(esito.status, 1);
    const std::string file = test::argument(autore / "L_linea.txt");
    EXPECT_EQ(esito.output, file +
                                ":5:12: errore: codice 15: posizione oltre la fine della griglia (posizione 20000 m)\n"
                                "    pendenza,  20000,   3\n"
                                "               ^~~~~\n"
                                "    campo 1 di 2: posizione, in m, da 0 a 1000000\n"
                                "    l'ultima posizione accettata è 16900 m: la lunghezza del percorso più 7000 m, meno 100\n"
                                "compilazione non riuscita (codice 15): i file compilati non sono stati toccati\n");
    // The description files are kept, and a failed compile writes nothing.
    EXPECT_EQ(test::file_names(autore), (std::set<std::string>{".compattatore.lock", "L_linea.txt", "L_T-.txt"}));

    // With --json the object is all the output.
    std::vector<std::string> con_json = argomenti;
    con_json.push_back("--json");
    test::CommandResult json = test::run_program(exe, con_json);
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.output,
              "{\"codice\":15,\"spiegazione\":\"posizione oltre la fine della griglia\",\"posizione\":20000,"
              "\"file\":" + testo_json_utf8(file) + ",\"riga\":5,\"colonna\":12,"
              "\"testo\":\"pendenza,  20000,   3\",\"scritti\":false,\"errori\":1,\"avvisi\":0,\"tralasciati\":0,"
              "\"diagnostiche\":[{\"gravita\":\"errore\",\"codice\":15,\"nome\":null,"
              "\"spiegazione\":\"posizione oltre la fine della griglia\",\"posizione\":20000,"
              "\"file\":" + testo_json_utf8(file) + ",\"riga\":5,\"colonna\":12,"
              "\"testo\":\"pendenza,  20000,   3\",\"note\":[\"campo 1 di 2: posizione, in m, da 0 a 1000000\","
                  "\"l'ultima posizione accettata \\u00e8 16900 m: la "
              "lunghezza del percorso pi\\u00f9 7000 m, meno 100\"]}]}\n");

    // plot compiles the descriptions it finds, and draws nothing of a
    // scenario that does not compile, whatever compiled files lie there.
    test::CommandResult plot = test::run_program(
        exe, {"plot", test::argument(autore), "--linea", "L", "--treno", "T", "-o", test::argument(dir / "pagina.svg")});
    EXPECT_EQ(plot.status, 1);
    EXPECT_EQ(plot.output, file +
                               ":5:12: errore: codice 15: posizione oltre la fine della griglia (posizione 20000 m)\n"
                               "    pendenza,  20000,   3\n"
                               "               ^~~~~\n"
                               "    campo 1 di 2: posizione, in m, da 0 a 1000000\n"
                               "    l'ultima posizione accettata è 16900 m: la lunghezza del percorso più 7000 m, meno 100\n"
                               "compattatore: plot: lo scenario non si compila (codice 15), nessun disegno\n");
    EXPECT_FALSE(fs::exists(dir / "pagina.svg"));
}

TEST_F(ProgrammaCopiato, CompileJsonDiUnaCompilazioneRiuscita) {
    fs::path autore = dir / "autore";
    ASSERT_EQ(test::run_program(exe, {"sources", test::argument(autore)}).status, 0);
    test::CommandResult esito = test::run_program(exe, {"compile", test::argument(autore), "--json"});
    EXPECT_EQ(esito.status, 0);
    const nlohmann::json j = test::parse_json(esito.output);
    EXPECT_EQ(j["codice"], 0);
    EXPECT_EQ(j["file"], nullptr);
    EXPECT_EQ(j["scritti"], true);
    EXPECT_EQ(j["errori"], 0);
    EXPECT_EQ(j["tralasciati"], 0);
    // The built-in files' warnings, listed.
    EXPECT_EQ(j["avvisi"], test::builtin_warnings().size());
    ASSERT_EQ(j["diagnostiche"].size(), test::builtin_warnings().size());
    for (std::size_t i = 0; i < test::builtin_warnings().size(); ++i) {
        EXPECT_EQ(j["diagnostiche"][i]["nome"], test::builtin_warnings()[i].name);
        EXPECT_EQ(j["diagnostiche"][i]["riga"], test::builtin_warnings()[i].line);
    }
}

// The authors' tools on the built-in scenario: a listing of each compiled
// file, a clear error for a cut one, and the SVG page.
TEST_F(ProgrammaCopiato, DumpEPlotDelloScenarioIntegrato) {
    ASSERT_EQ(test::run_program(exe).status, 0);
    const struct {
        const char* file;
        const char* inizio;
    } elenchi[] = {{"Brunovale_Quarzo.dat", "griglia: 6821 celle (indici 0..6820), 102315 byte"},
                   {"Brunovale_Quarzo.sim", "voci: 87 voci, 3790 byte; 45 stazioni"},
                   {"Brunovale_linea.dat", "piano del tracciato: 341001 righe (metri 0..341000), 6819964 byte"}};
    for (const auto& e : elenchi) {
        test::CommandResult esito = test::run_program(exe, {"dump", test::argument(dir / e.file)});
        EXPECT_EQ(esito.status, 0) << e.file;
        EXPECT_EQ(esito.output.rfind(e.inizio, 0), 0u) << esito.output.substr(0, 200);
    }
    test::CommandResult json = test::run_program(exe, {"dump", test::argument(dir / "Brunovale_Quarzo.sim"), "--format", "json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.output.find("\"nome\":\"Quarzo\""), std::string::npos);

    std::string griglia = test::read_bytes(dir / "Brunovale_Quarzo.dat");
    test::write_bytes(dir / "tagliata.dat", griglia.substr(0, 1000));
    test::CommandResult tagliata = test::run_program(exe, {"dump", test::argument(dir / "tagliata.dat")});
    EXPECT_EQ(tagliata.status, 1);
    EXPECT_EQ(tagliata.output, "compattatore: " + test::argument(dir / "tagliata.dat") +
                                   " (file griglia): offset 990: cella 66 troncata: restano 10 byte dei 15 di una "
                                   "cella (lunghezza 1000 non multipla di 15)\n");

    test::CommandResult plot =
        test::run_program(exe, {"plot", test::argument(dir.path()), "-o", test::argument(dir / "scenario.svg")});
    EXPECT_EQ(plot.status, 0) << plot.output;
    const std::string svg = test::read_bytes(dir / "scenario.svg");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("Porto Calvizio"), std::string::npos);
}

// Folders whose names no one ANSI code page spells: the program finds its own
// folder, takes folder names from its command line and names them in its
// messages, all whole.
TEST_F(ProgrammaCopiato, CartelleConLettereAccentate) {
    const std::string ubung = "\xC3\x9C" "bung \xE2\x82\xAC", citta = "Citt\xC3\xA0 \xCE\xB1";
    const fs::path sua = dir / path_from_text(ubung);
    fs::create_directory(sua);
    fs::copy_file(exe, sua / exe.filename());
    test::CommandResult esito = test::run_program(sua / exe.filename());
    ASSERT_EQ(esito.status, 0) << esito.output;
    EXPECT_EQ(test::file_names(sua).size(), 8u);
    EXPECT_TRUE(fs::exists(sua / "Brunovale_Quarzo_note.txt"));

    const fs::path autore = dir / path_from_text(citta);
    fs::create_directory(autore);
    ASSERT_EQ(test::run_program(exe, {"sources", test::argument(autore)}).status, 0);
    esito = test::run_program(exe, {"compile", test::argument(autore)});
    EXPECT_EQ(esito.output, test::builtin_warnings_text(test::argument(autore / "Brunovale_linea.txt")) +
                                "codice 0: nessun errore, 1 avviso\n");
    for (const char* nome : {"Brunovale_linea.dat", "Brunovale_Quarzo.sim", "Brunovale_Quarzo.dat"})
        EXPECT_TRUE(test::read_bytes(autore / nome) == test::read_bytes(sua / nome)) << nome;

    // A missing folder is named whole in the report.
    esito = test::run_program(exe, {"compile", test::argument(autore / "manca")});
    EXPECT_EQ(esito.status, 1);
    EXPECT_EQ(esito.output, "compattatore: " + test::argument(autore / "manca") +
                                ": nessuno scenario (i file LINEA_linea.txt e LINEA_TRENO-.txt); compattatore sources " +
                                test::argument(autore / "manca") + " ne scrive uno\n");
    EXPECT_NE(esito.output.find(citta), std::string::npos);
}

// `sources` makes the folder it is given, with its parents.
TEST_F(ProgrammaCopiato, SourcesCreaLaCartella) {
    const fs::path nuova = dir / "nuova" / "sotto";
    test::CommandResult esito = test::run_program(exe, {"sources", test::argument(nuova)});
    EXPECT_EQ(esito.status, 0) << esito.output;
    EXPECT_EQ(test::file_names(nuova),
              (std::set<std::string>{".compattatore.lock", "Brunovale_linea.txt", "Brunovale_Quarzo-.txt"}));
}

}  // namespace
}  // namespace compattatore
