// The decompile command on the no-argument run's files, whole or damaged by
// hand.
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "app/riga_di_comando.h"
#include "platform/paths.h"
#include "support/esecuzione.h"
#include "support/temp_dir.h"
#include "tables/file_compilati.h"
#include "tables/nomi_file.h"

namespace compattatore {
namespace {

using test::TempDir;

using test::Esecuzione;
using test::esegui;

Esecuzione decompile(const std::filesystem::path& dir, bool forza = false, const std::string& linea = "Brunovale",
                const std::string& treno = "Quarzo") {
    std::ostringstream out, err;
    const int stato = comando_decompile(dir, linea, treno, dir, forza, out, err);
    return {stato, out.str(), err.str()};
}

std::string sostituisci(std::string t, const std::string& da, const std::string& a) {
    for (std::size_t i = t.find(da); i != std::string::npos; i = t.find(da, i + a.size())) t.replace(i, da.size(), a);
    return t;
}

// The three compiled files of the no-argument run in a folder of their own.
class ComandoDecompile : public ::testing::Test {
protected:
    void SetUp() override {
        std::ostringstream out, err;
        ASSERT_EQ(esegui_lavoro(dir.path(), out, err), 0);
        const FileScenario f{dir.path(), "Brunovale", "Quarzo"};
        for (const char* documento : {"note.txt", "rallentamenti.txt", "scheda_treno.txt"})
            std::filesystem::remove(file_documento(f, documento));
    }
    std::filesystem::path file(const std::string& nome) const { return dir / nome; }

    TempDir dir;
};

// Decodes a compiled file in `d`, changes it and writes it back.
void cambia_griglia(const std::filesystem::path& d, const std::function<void(std::vector<Cella>&)>& cambio) {
    std::vector<Cella> celle = decodifica_griglia(test::read_bytes(d / "Brunovale_Quarzo.dat"));
    cambio(celle);
    test::write_bytes(d / "Brunovale_Quarzo.dat", codifica_griglia(celle));
}

void cambia_voci(const std::filesystem::path& d, const std::function<void(Voci&)>& cambio) {
    Voci v = decodifica_voci(test::read_bytes(d / "Brunovale_Quarzo.sim"));
    cambio(v);
    test::write_bytes(d / "Brunovale_Quarzo.sim", codifica_voci(v));
}

void taglia(const std::filesystem::path& f, std::size_t byte) {
    const std::string b = test::read_bytes(f);
    test::write_bytes(f, b.substr(0, b.size() - byte));
}

const std::string riprodotti =
    "compile riproduce Brunovale_linea.dat, Brunovale_Quarzo.sim e Brunovale_Quarzo.dat byte per byte\n";
const std::string scritti = "scritti {DIR}/Brunovale_linea.txt e {DIR}/Brunovale_Quarzo-.txt\n";
const std::string piu_vicina =
    "compattatore: la descrizione scritta è la più vicina trovata: compilata, non riproduce i valori elencati sopra ";

TEST_F(ComandoDecompile, IFileDanneggiatiSonoRiportatiConIlPostoEIDueValori) {
    struct Caso {
        const char* nome;
        std::function<void(const std::filesystem::path&)> danno;
        int stato;
        std::string out, err;
        bool scrive;  // whether the two description files are written
    };
    const Caso casi[] = {
        {"intatti", [](const std::filesystem::path&) {}, 0, scritti + riprodotti, "", true},
        {"senza piano",
         [](const std::filesystem::path& d) { std::filesystem::remove(d / "Brunovale_linea.dat"); }, 0,
         scritti + "manca Brunovale_linea.dat: nessuna curva scritta; compile --no-plan riproduce "
                   "Brunovale_Quarzo.sim e Brunovale_Quarzo.dat byte per byte\n",
         "", true},
        {"una cella cambiata a mano: un tempo di segnale che compile alza a 101",
         [](const std::filesystem::path& d) { cambia_griglia(d, [](std::vector<Cella>& c) { c[22].tempo = 50; }); }, 1, scritti,
         "Brunovale_Quarzo.dat: cella 22 (1050 m): tempo trovato 50, riproducibile 101\n" + piu_vicina + "(1 riga)\n",
         true},
        {"un elemento che nessun record scrive",
         [](const std::filesystem::path& d) { cambia_griglia(d, [](std::vector<Cella>& c) { c[3000].tipo = static_cast<TipoCella>(7); }); }, 1, scritti,
         "Brunovale_Quarzo.dat: cella 3000 (149950 m): tipo trovato 7, riproducibile 0\n" + piu_vicina + "(1 riga)\n",
         true},
        {"una lunghezza del percorso che non è quella della griglia",
         [](const std::filesystem::path& d) { cambia_voci(d, [](Voci& v) { v[84].fine = 335000; }); }, 1, scritti,
         "Brunovale_Quarzo.sim: voce 84: fine trovato 335000, riproducibile 334000\n" + piu_vicina + "(1 riga)\n",
         true},
        {"il timbro della griglia rotto",
         [](const std::filesystem::path& d) { cambia_griglia(d, [](std::vector<Cella>& c) { c[1].valore2 = 2789; }); }, 1, scritti,
         "Brunovale_Quarzo.dat: cella 1 (0 m): valore2 trovato 2789, riproducibile 2788 (codice di gara ricalcolato "
         "dai nomi della linea e del treno)\n" +
             piu_vicina + "(1 riga)\n",
         true},
        {"il timbro delle voci rotto",
         [](const std::filesystem::path& d) {
             cambia_voci(d, [](Voci& v) {
                 v[85].orario = 1;
                 v[85].intero1 = 611;
             });
         },
         1, scritti,
         "compattatore: {DIR}/Brunovale_Quarzo.sim (file voci): offset 3732: avviso: voce 85: (linea) intero1 vale "
         "611, ma la compilazione vi scrive sempre 610\n"
         "Brunovale_Quarzo.sim: voce 85: intero1 trovato 611, riproducibile 610 (intestazione fissa di compile); "
         "orario trovato 1, riproducibile 36456 (codice di gara ricalcolato dai nomi della linea e del treno)\n" +
             piu_vicina + "(1 riga)\n",
         true},
        {"una stazione che nessuna compilazione lascia: la sua fine spostata",
         [](const std::filesystem::path& d) { cambia_voci(d, [](Voci& v) { v[2].fine += 100; }); }, 1, scritti,
         "compattatore: {DIR}/Brunovale_Quarzo.sim (file voci): offset 91: avviso: voce 2: (stazione \"Selvarossa\", "
         "tipo 22) va da 3700 a 4250 m, ma la sua posizione, 3900 m, non sta a metà (con byte4 la fine va 50 m più "
         "in là)\n"
         "Brunovale_Quarzo.sim: voce 2: fine trovato 4250, riproducibile 4150\n" +
             piu_vicina + "(1 riga)\n",
         true},
        {"la griglia tagliata", [](const std::filesystem::path& d) { taglia(d / "Brunovale_Quarzo.dat", 4); }, 1, "",
         "compattatore: {DIR}/Brunovale_Quarzo.dat (file griglia): offset 102300: cella 6820 troncata: restano 11 "
         "byte dei 15 di una cella (lunghezza 102311 non multipla di 15)\n",
         false},
        {"le voci tagliate", [](const std::filesystem::path& d) { taglia(d / "Brunovale_Quarzo.sim", 10); }, 1, "",
         "compattatore: {DIR}/Brunovale_Quarzo.sim (file voci): offset 3750: voce 86 troncata: con un nome di 6 byte "
         "occupa 40 byte, ma il file finisce all'offset 3780\n",
         false},
        {"il piano tagliato", [](const std::filesystem::path& d) { taglia(d / "Brunovale_linea.dat", 3); }, 1, "",
         "compattatore: {DIR}/Brunovale_linea.dat (file piano): offset 6819960: elemento 682000 troncato: resta 1 "
         "byte dove comincia un tag di 2 byte\n",
         false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        TempDir caso;
        for (const auto& f : std::filesystem::directory_iterator(dir.path()))
            std::filesystem::copy_file(f.path(), caso / f.path().filename().string());
        c.danno(caso.path());
        const Esecuzione e = decompile(caso.path());
        EXPECT_EQ(e.stato, c.stato);
        // The folder as the program writes it, with the system's separator.
        const std::string cartella = path_text(caso.path() / "");
        EXPECT_EQ(e.out, sostituisci(c.out, "{DIR}/", cartella));
        EXPECT_EQ(e.err, sostituisci(c.err, "{DIR}/", cartella));
        EXPECT_EQ(std::filesystem::exists(caso / "Brunovale_linea.txt"), c.scrive);
        EXPECT_EQ(std::filesystem::exists(caso / "Brunovale_Quarzo-.txt"), c.scrive);
    }
}

TEST_F(ComandoDecompile, FileConIlNomeDiAltriIdentificatoriMostranoNomiETimbro) {
    for (const auto& [da, a] : {std::pair{"Brunovale_Quarzo.dat", "Altra_Prova.dat"},
                                std::pair{"Brunovale_Quarzo.sim", "Altra_Prova.sim"},
                                std::pair{"Brunovale_linea.dat", "Altra_linea.dat"}})
        std::filesystem::rename(file(da), file(a));
    const Esecuzione e = decompile(dir.path(), false, "Altra", "Prova");
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.err,
              "compattatore: " + path_text(file("Altra_Prova.sim")) +
                  " (file voci): offset 3721: avviso: voce 85: (linea) i nomi della linea e del treno, \"Brunovale\" "
                  "e \"Quarzo\", non sono quelli del nome del file, Altra_Prova.sim\n"
              "Altra_Prova.sim: voce 85: nome trovato \"Brunovale\", riproducibile \"Altra\"; orario trovato 36456, "
              "riproducibile 37229 (codice di gara ricalcolato dai nomi della linea e del treno)\n"
              "Altra_Prova.sim: voce 86: nome trovato \"Quarzo\", riproducibile \"Prova\"\n"
              "Altra_Prova.dat: cella 1 (0 m): valore2 trovato 2788, riproducibile 2816 (codice di gara ricalcolato "
              "dai nomi della linea e del treno)\n" +
                  piu_vicina + "(3 righe)\n");
}

TEST_F(ComandoDecompile, TieneIFileDellAutoreSenzaForce) {
    ASSERT_EQ(decompile(dir.path()).stato, 0);
    test::write_bytes(file("Brunovale_Quarzo-.txt"), "modificato dall'autore");
    const Esecuzione e = decompile(dir.path());
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, "compattatore: " + path_text(file("Brunovale_linea.txt")) +
                         ": esiste già; --force per sostituirlo\n"
                         "compattatore: " +
                         path_text(file("Brunovale_Quarzo-.txt")) +
                         ": esiste già; --force per sostituirlo\n"
                         "nessun file scritto\n");
    EXPECT_EQ(test::read_bytes(file("Brunovale_Quarzo-.txt")), "modificato dall'autore");

    EXPECT_EQ(decompile(dir.path(), true).stato, 0);
    EXPECT_NE(test::read_bytes(file("Brunovale_Quarzo-.txt")), "modificato dall'autore");
    // Nothing but the outputs is left behind.
    for (const auto& f : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(f.path().filename().string().find(".tmp"), std::string::npos) << f.path();
}

// From the command line: decompile into a new folder (which it makes),
// compile there without a warning, and the compiled files come back; a second decompile there
// keeps the author's files unless told --force; the help speaks Italian.
TEST_F(ComandoDecompile, DallaRigaDiComando) {
    const std::filesystem::path altrove = dir / "altrove" / "Altra";
    const std::string a = path_text(altrove);
    Esecuzione e = esegui({"decompile", path_text(dir.path()), "-o", a});
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.err, "");
    // An author's files: they compile without a single warning.
    e = esegui({"compile", a});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, "codice 0: nessun errore\n");
    for (const char* n : {"Brunovale_linea.dat", "Brunovale_Quarzo.sim", "Brunovale_Quarzo.dat"})
        EXPECT_TRUE(test::read_bytes(altrove / n) == test::read_bytes(file(n))) << n;

    const std::string modificata = "[generale]\r\nlunghezza percorso,  5000\r\n[fine]\r\n";
    test::write_bytes(altrove / "Brunovale_linea.txt", modificata);
    e = esegui({"decompile", path_text(dir.path()), "--output", a});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, "compattatore: " + path_text(altrove / "Brunovale_linea.txt") +
                         ": esiste già; --force per sostituirlo\n"
                         "compattatore: " +
                         path_text(altrove / "Brunovale_Quarzo-.txt") +
                         ": esiste già; --force per sostituirlo\n"
                         "nessun file scritto\n");
    EXPECT_TRUE(test::read_bytes(altrove / "Brunovale_linea.txt") == modificata);
    EXPECT_EQ(esegui({"decompile", path_text(dir.path()), "-o", a, "--force"}).stato, 0);
    EXPECT_FALSE(test::read_bytes(altrove / "Brunovale_linea.txt") == modificata);

    e = esegui({"decompile", "--help"});
    EXPECT_EQ(e.stato, 0);
    for (const char* voce : {"Uso: compattatore decompile [OPZIONI] DIR\n", "  -o,--output CARTELLA", "  --force",
                             "  64  riga di comando errata"})
        EXPECT_NE(e.out.find(voce), std::string::npos) << voce << "\n" << e.out;
    e = esegui({"decompile", path_text(dir.path()), "--forse"});
    EXPECT_EQ(e.stato, 64);
    EXPECT_EQ(e.err, "compattatore: opzione sconosciuta \"--forse\": forse intendevi `--force`?\n"
                     "(compattatore --help per l'aiuto)\n");
}

}  // namespace
}  // namespace compattatore
