// Every output of the real program, started as a process the way an author
// starts it, byte for byte: with the built-in scenario the no-argument run,
// sources and compile (with and without the plan; the documents with the
// compiled files), the listings and the pictures; the compilation of generated lines of 100, 500 and 1,000 km (the
// longest plan the format allows) and the picture of the longest.  Each file
// must have its reference digest (impronte_riferimento.txt), what reaches
// the files and standard output included; the Windows build, run under
// Wine, must also write the very files of a Linux run.
//
// With COMPATTATORE_CONSERVA_USCITE naming a folder, the outputs are made
// there and kept, for the comparison with another build.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "sources/linea_generata.h"
#include "support/process.h"
#include "support/reference_digests.h"
#include "support/sha256.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::argument;

// Runs the program and fails the test unless it succeeds; its output is
// what it printed.
std::string esegui_bene(const fs::path& exe, const std::vector<std::string>& argomenti) {
    const test::CommandResult esito = test::run_program(exe, argomenti);
    EXPECT_EQ(esito.status, 0) << esito.output;
    return esito.output;
}

// Makes every output listed above under `radice`.
void produci_uscite(const fs::path& radice) {
    const fs::path programma = COMPATTATORE_EXE;
    const fs::path senza = radice / "senza_argomenti", compile = radice / "compile",
                   senza_piano = radice / "compile_no_plan", dump = radice / "dump_plot";
    for (const fs::path& c : {senza, compile, senza_piano, dump}) fs::create_directories(c);

    const fs::path exe = senza / programma.filename();
    fs::copy_file(programma, exe);
    EXPECT_EQ(esegui_bene(exe, {}), "Attendere\n");
    fs::remove(exe);

    esegui_bene(programma, {"sources", argument(compile)});
    esegui_bene(programma, {"compile", argument(compile)});
    esegui_bene(programma, {"sources", argument(senza_piano)});
    esegui_bene(programma, {"compile", argument(senza_piano), "--no-plan"});

    for (const char* nome : {"Brunovale_Quarzo.dat", "Brunovale_Quarzo.sim", "Brunovale_linea.dat"}) {
        test::write_bytes(dump / (std::string(nome) + ".txt"),
                           esegui_bene(programma, {"dump", argument(compile / nome)}));
        test::write_bytes(dump / (std::string(nome) + ".json"),
                           esegui_bene(programma, {"dump", argument(compile / nome), "--format", "json"}));
    }
    test::write_bytes(dump / "linea50.txt",
                       esegui_bene(programma, {"dump", argument(compile / "Brunovale_linea.dat"), "--passo", "50"}));
    esegui_bene(programma, {"plot", argument(compile), "-o", argument(dump / "plot.svg")});
    // Without its description files, plot draws the compiled files: here
    // those of a scenario compiled without the plan.
    fs::remove(senza_piano / "Brunovale_linea.txt");
    fs::remove(senza_piano / "Brunovale_Quarzo-.txt");
    esegui_bene(programma, {"plot", argument(senza_piano), "-o", argument(dump / "plot_np.svg")});

    for (int km : {100, 500, 1000}) {
        const fs::path generata = radice / ("generata_" + std::to_string(km) + "km");
        fs::create_directories(generata);
        const DescrizioniGenerate d = genera_descrizioni(km * 1000);
        test::write_bytes(generata / "Generata_linea.txt", d.linea);
        test::write_bytes(generata / "Generata_Prova-.txt", d.treno);
        esegui_bene(programma, {"compile", argument(generata), "--linea", "Generata", "--treno", "Prova"});
    }
    esegui_bene(programma, {"plot", argument(radice / "generata_1000km"), "--linea", "Generata", "--treno", "Prova",
                            "-o", argument(dump / "plot_g1000.svg")});
}

const char* variabile(const char* nome) {
    const char* v = std::getenv(nome);
    return v && *v ? v : nullptr;
}

class UsciteDiRiferimento : public ::testing::Test {
protected:
    // The runs are made once for the tests of this suite.
    static void SetUpTestSuite() {
        cartella_ = new test::TempDir;
        radice_ = cartella_->path();
        if (const char* conserva = variabile("COMPATTATORE_CONSERVA_USCITE")) {
            radice_ = path_from_text(conserva);
            fs::remove_all(radice_);
        }
        produci_uscite(radice_);
    }
    static void TearDownTestSuite() {
        delete cartella_;
        cartella_ = nullptr;
    }

    static test::TempDir* cartella_;
    static fs::path radice_;
};

test::TempDir* UsciteDiRiferimento::cartella_ = nullptr;
fs::path UsciteDiRiferimento::radice_;

TEST_F(UsciteDiRiferimento, OgniUscitaHaLImprontaDiRiferimento) {
    const std::map<std::string, std::string> impronte = test::reference_digests(COMPATTATORE_IMPRONTE);
    ASSERT_FALSE(impronte.empty());
    for (const auto& [file, impronta] : impronte) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::exists(radice_ / file));
        EXPECT_EQ(test::sha256_hex(test::read_bytes(radice_ / file)), impronta);
    }
}

#ifdef _WIN32
// The folder of a Linux run's outputs, made by the same runs of the Linux
// build (scripts/windows.sh makes it and the Windows tests are handed it).
TEST_F(UsciteDiRiferimento, UgualiByteAByteAQuelleDiUnaEsecuzioneLinux) {
    const char* linux_ = variabile("COMPATTATORE_USCITE_LINUX");
    ASSERT_NE(linux_, nullptr) << "COMPATTATORE_USCITE_LINUX non indica la cartella delle uscite di Linux";
    const fs::path riferimento = path_from_text(linux_);
    for (const auto& [file, impronta] : test::reference_digests(COMPATTATORE_IMPRONTE)) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::exists(riferimento / file)) << path_text(riferimento / file);
        const std::string qui = test::read_bytes(radice_ / file);
        const std::string la = test::read_bytes(riferimento / file);
        EXPECT_EQ(qui.size(), la.size());
        const auto diversi = std::mismatch(qui.begin(), qui.end(), la.begin(), la.end());
        EXPECT_TRUE(diversi.first == qui.end() && diversi.second == la.end())
            << "primo byte diverso all'offset " << (diversi.first - qui.begin());
    }
}
#endif

}  // namespace
}  // namespace compattatore
