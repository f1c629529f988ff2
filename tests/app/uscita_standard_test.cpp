// Standard output that cannot take the bytes (a full disk, a closed
// stream) fails the run like any other file, for every command; `--json`
// tells every outcome, failures too, as one object; `-o -` writes the one
// file of a command on standard output.
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "app/riga_di_comando.h"
#include "platform/paths.h"
#include "support/esecuzione.h"
#include "support/json.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using test::Esecuzione;
using test::esegui;

// A folder with the built-in scenario, described and compiled.
void scenario(const fs::path& dir) {
    std::ostringstream out, err;
    ASSERT_EQ(esegui_lavoro(dir, out, err), 0) << err.str();
    ASSERT_EQ(scrivi_sorgenti(dir, err), 0) << err.str();
}

#ifndef _WIN32
std::string citato(const std::string& s) {
    std::string r = "'";
    for (const char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

// Every command that writes on standard output, with standard output a full
// device or closed: status 2 and the reason on standard error.
TEST(UscitaStandard, UnaScritturaFallitaEUnErroreDiIngressoUscita) {
    TempDir dir;
    scenario(dir.path());
    const std::string d = path_text(dir.path());
    const std::string dat = path_text(dir / "Brunovale_linea.dat");
    const std::vector<std::vector<std::string>> comandi{
        {"dump", dat},
        {"dump", dat, "--format", "json"},
        {"reference"},
        {"compile", d, "--json"},
        {"check", d, "--json"},
        {"decompile", d, "-o", path_text(dir / "decompilati"), "--force"},
        {"plot", d, "-o", "-"},
        {"--help"},
        {"--version"},
    };
    for (const char* dove : {"> /dev/full", ">&-"}) {
        for (const std::vector<std::string>& c : comandi) {
            std::string riga = citato(COMPATTATORE_EXE);
            for (const std::string& a : c) riga += " " + citato(a);
            SCOPED_TRACE(riga + " " + dove);
            const fs::path errori = dir / "errori.txt";
            const int r = std::system((riga + " " + dove + " 2> " + citato(path_text(errori))).c_str());
            ASSERT_TRUE(WIFEXITED(r));
            EXPECT_EQ(WEXITSTATUS(r), 2);
            const std::string testo = test::read_bytes(errori);
            const std::string atteso = std::string("compattatore: uscita standard: ") +
                                       (dove[0] == '>' && dove[1] == ' ' ? "spazio esaurito sul dispositivo"
                                                                         : "descrittore di file non valido") +
                                       "\n";
            EXPECT_TRUE(testo.ends_with(atteso)) << testo;
            // No file opened took the closed stream's place.
            EXPECT_EQ(test::read_bytes(dir / ".compattatore.lock"), "");
        }
    }
}
#endif

// With --json a failure is one JSON object on standard output as well as a
// message on standard error: an unreadable description file, and a folder
// with no scenario to choose.
TEST(UscitaStandard, ConJsonOgniFallimentoEUnOggetto) {
    TempDir dir;
    fs::create_directory(dir / "Brunovale_linea.txt");
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", "");
    for (const char* comando : {"compile", "check"}) {
        SCOPED_TRACE(comando);
        const Esecuzione e = esegui({comando, path_text(dir.path()), "--linea", "Brunovale", "--treno", "Quarzo", "--json"});
        EXPECT_EQ(e.stato, 2);
        const std::string file = path_text(dir / "Brunovale_linea.txt");
        const std::string motivo = "non è un file ma una cartella, un dispositivo o una pipe";
        const nlohmann::json j = test::parse_json(e.out);
        EXPECT_EQ(j, nlohmann::json({{"stato", 2}, {"spiegazione", file + ": " + motivo}, {"file", file}}));
        EXPECT_EQ(e.err, "compattatore: " + file + ": " + motivo + "\n");
    }
    TempDir vuota;
    const Esecuzione e = esegui({"check", path_text(vuota.path()), "--json"});
    EXPECT_EQ(e.stato, 1);
    const nlohmann::json j = test::parse_json(e.out);
    EXPECT_EQ(j["stato"], 1);
    EXPECT_EQ(j["file"], nullptr);
    EXPECT_EQ("compattatore: " + j["spiegazione"].get<std::string>() + "\n", e.err);

    // A command line that is refused: its reason, status 64.
    const Esecuzione r = esegui({"compile", path_text(vuota.path()), "--json", "--linea", "../altrove"});
    EXPECT_EQ(r.stato, 64);
    const nlohmann::json k = test::parse_json(r.out);
    EXPECT_EQ(k["stato"], 64);
    EXPECT_EQ("compattatore: " + k["spiegazione"].get<std::string>() + "\n(compattatore --help per l'aiuto)\n",
              r.err);
}

// `plot -o -` writes on standard output the very page that `-o FILE`
// writes, and no file named "-".
TEST(UscitaStandard, IlDisegnoSuUscitaStandard) {
    TempDir dir;
    scenario(dir.path());
    const Esecuzione su_file = esegui({"plot", path_text(dir.path()), "-o", path_text(dir / "pagina.svg")});
    ASSERT_EQ(su_file.stato, 0) << su_file.err;
    const Esecuzione su_out = esegui({"plot", path_text(dir.path()), "-o", "-"});
    ASSERT_EQ(su_out.stato, 0) << su_out.err;
    EXPECT_EQ(su_out.out, test::read_bytes(dir / "pagina.svg"));
    EXPECT_FALSE(fs::exists(dir / "-"));
    EXPECT_FALSE(fs::exists(fs::path("-")));
}

}  // namespace
}  // namespace compattatore
