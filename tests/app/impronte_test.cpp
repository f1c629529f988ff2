// Every output of the program, made again and compared with the SHA-256 it
// had when it was last known right (impronte_riferimento.txt): the six files
// of the no-argument run, the compiled files and documents of `compile` for
// the built-in scenario and for generated lines of 100, 500 and 1000 km, and
// the output of `dump` and `plot`.  The program runs in-process, one step per command.
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "platform/file_io.h"
#include "sources/linea_generata.h"
#include "support/builtin_warnings.h"
#include "support/reference_digests.h"
#include "support/sha256.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

class Impronte : public ::testing::Test {
protected:
    test::TempDir dir;
    std::map<std::string, std::string> fatte;

    fs::path cartella(const std::string& gruppo) {
        const fs::path c = dir.path() / gruppo;
        fs::create_directories(c);
        return c;
    }
    // Every file of `c` under `gruppo/`, but the folder's lock file, which
    // is no output and stays empty.
    void raccogli(const std::string& gruppo, const fs::path& c) {
        for (const auto& e : fs::directory_iterator(c)) {
            if (e.path().filename() == ".compattatore.lock") {
                EXPECT_EQ(fs::file_size(e.path()), 0u) << gruppo;
                continue;
            }
            fatte[gruppo + "/" + e.path().filename().string()] = test::sha256_hex(read_file(e.path()));
        }
    }
    void aggiungi(const std::string& nome, const std::string& byte) { fatte[nome] = test::sha256_hex(byte); }
    std::string dump(const fs::path& file, FormatoDump formato, std::int32_t passo = passo_piano_predefinito) {
        std::ostringstream out, err;
        EXPECT_EQ(comando_dump(file, formato, passo, out, err), 0) << err.str();
        return out.str();
    }
    // The built-in scenario compiles with the warnings the guide lists for
    // it and no other; the generated lines, made for size and not for sense, have theirs.
    void compila(const fs::path& c, const std::string& linea, const std::string& treno, bool piano,
                 bool predefinito = true) {
        std::ostringstream out, err;
        OpzioniSorgenti o{c, linea, treno, piano, false, false};
        ASSERT_EQ(compila_sorgenti(o, out, err), 0) << err.str();
        if (predefinito) {
            EXPECT_EQ(err.str(), test::builtin_warnings_text((c / "Brunovale_linea.txt").string()) +
                                     "codice 0: nessun errore, 1 avviso\n");
        }
    }
};

TEST_F(Impronte, OgniUscitaEIdenticaAlRiferimento) {
    {
        const fs::path c = cartella("senza_argomenti");
        std::ostringstream out, err;
        ASSERT_EQ(esegui_lavoro(c, out, err), 0) << err.str();
        raccogli("senza_argomenti", c);
    }
    const fs::path integrata = cartella("compile");
    ASSERT_EQ(scrivi_sorgenti(integrata, std::cerr), 0);
    compila(integrata, linea_predefinita, treno_predefinito, true);
    raccogli("compile", integrata);
    {
        const fs::path c = cartella("compile_no_plan");
        ASSERT_EQ(scrivi_sorgenti(c, std::cerr), 0);
        compila(c, linea_predefinita, treno_predefinito, false);
        fs::remove(c / "Brunovale_linea.txt");
        fs::remove(c / "Brunovale_Quarzo-.txt");
        raccogli("compile_no_plan", c);
        std::ostringstream err;
        ASSERT_EQ(disegna_cartella(c, linea_predefinita, treno_predefinito, dir.path() / "plot_np.svg", err), 0);
        aggiungi("dump_plot/plot_np.svg", read_file(dir.path() / "plot_np.svg"));
    }
    for (int km : {100, 500, 1000}) {
        const std::string gruppo = "generata_" + std::to_string(km) + "km";
        const fs::path c = cartella(gruppo);
        const DescrizioniGenerate d = genera_descrizioni(km * 1000);
        replace_file(c / "Generata_linea.txt", d.linea);
        replace_file(c / "Generata_Prova-.txt", d.treno);
        compila(c, "Generata", "Prova", true, false);
        raccogli(gruppo, c);
        if (km == 1000) {
            std::ostringstream err;
            ASSERT_EQ(disegna_cartella(c, "Generata", "Prova", dir.path() / "plot_g1000.svg", err), 0);
            aggiungi("dump_plot/plot_g1000.svg", read_file(dir.path() / "plot_g1000.svg"));
        }
    }
    for (const char* nome : {"Brunovale_Quarzo.dat", "Brunovale_Quarzo.sim", "Brunovale_linea.dat"}) {
        aggiungi(std::string("dump_plot/") + nome + ".txt", dump(integrata / nome, FormatoDump::testo));
        aggiungi(std::string("dump_plot/") + nome + ".json", dump(integrata / nome, FormatoDump::json));
    }
    aggiungi("dump_plot/linea50.txt", dump(integrata / "Brunovale_linea.dat", FormatoDump::testo, 50));
    std::ostringstream err;
    ASSERT_EQ(disegna_cartella(integrata, linea_predefinita, treno_predefinito, dir.path() / "plot.svg", err), 0);
    aggiungi("dump_plot/plot.svg", read_file(dir.path() / "plot.svg"));

    const std::map<std::string, std::string> attese = test::reference_digests(COMPATTATORE_IMPRONTE);
    ASSERT_EQ(attese.size(), 48u);
    for (const auto& [nome, impronta] : attese) {
        const auto f = fatte.find(nome);
        if (f == fatte.end()) {
            ADD_FAILURE() << nome << ": not made";
            continue;
        }
        EXPECT_EQ(f->second, impronta) << nome;
    }
    for (const auto& [nome, impronta] : fatte) EXPECT_TRUE(attese.count(nome)) << nome << ": no reference digest";
}

}  // namespace
}  // namespace compattatore
