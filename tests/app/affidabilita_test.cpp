// The program under hostile conditions: runs that meet in one folder, a disk
// that fails at any step, files left by runs that were killed, long names,
// inputs of absurd size or of the wrong kind, and memory running out.
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "app/fallimenti.h"
#include "app/lettura_descrizioni.h"
#include "app/riga_di_comando.h"
#include "platform/fault_injection.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/temporary_files.h"
#include "support/esecuzione.h"
#include "support/process.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Every file of a folder and its bytes, but the program itself; of a file
// larger than any output, only its size.
std::map<std::string, std::string> contenuto(const fs::path& dir) {
    std::map<std::string, std::string> file;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string nome = path_text(e.path().filename());
        if (nome == fs::path(COMPATTATORE_EXE).filename().string()) continue;
        if (!e.is_regular_file())
            file[nome] = "<non un file>";
        else if (e.file_size() > (std::uint64_t{64} << 20))
            file[nome] = "<" + std::to_string(e.file_size()) + " byte>";
        else
            file[nome] = test::read_bytes(e.path());
    }
    return file;
}

using test::Esecuzione;

Esecuzione lavoro(const fs::path& dir) {
    std::ostringstream out, err;
    const int stato = riporta_fallimenti([&] { return esegui_lavoro(dir, out, err); }, err);
    return {stato, out.str(), err.str()};
}

// Pairs of no-argument runs started together in one folder take turns on
// the folder's lock: both end well, and every file equals a single run's.
// (Ten pairs here; --gtest_repeat=5 makes the fifty of the release check.)
TEST(Concorrenza, CoppieDiEsecuzioniSenzaArgomentiNellaStessaCartella) {
    TempDir sola, dir;
    for (const TempDir* d : {&sola, &dir}) fs::copy_file(COMPATTATORE_EXE, *d / fs::path(COMPATTATORE_EXE).filename());
    const fs::path exe_solo = sola / fs::path(COMPATTATORE_EXE).filename();
    const fs::path exe = dir / fs::path(COMPATTATORE_EXE).filename();
    ASSERT_EQ(test::run_program(exe_solo).status, 0);
    const std::map<std::string, std::string> attesi = contenuto(sola.path());
    ASSERT_EQ(attesi.size(), 7u);  // the six outputs and the lock file

    for (int coppia = 0; coppia < 10; ++coppia) {
        SCOPED_TRACE(coppia);
        test::CommandResult a, b;
        std::thread prima([&] { a = test::run_program(exe); });
        std::thread seconda([&] { b = test::run_program(exe); });
        prima.join();
        seconda.join();
        EXPECT_EQ(a.status, 0) << a.output;
        EXPECT_EQ(b.status, 0) << b.output;
        EXPECT_TRUE(contenuto(dir.path()) == attesi);
    }
}

// A disk that fails at each step of a no-argument run in turn (every file
// created, written, flushed, closed, renamed, linked or deleted, and the
// folder synced): the run ends with a message, and the folder holds the old
// outputs whole, or, when only the steps after the renames failed, the new
// ones whole; never a mix, and no description file is left.  The next run
// finds what a failed one left and ends with the new set and nothing else.
TEST(GuastiIniettati, UnGuastoAOgniPassoDellEsecuzioneLasciaUnInsiemeIntero) {
    std::map<std::string, std::string> nuovi;
    std::uint64_t passi = 0;
    {
        TempDir prova;
        fault_injection::fail_operation(0);
        ASSERT_EQ(lavoro(prova.path()).stato, 0);
        passi = fault_injection::operations();
        nuovi = contenuto(prova.path());
    }
    ASSERT_EQ(nuovi.size(), 7u);
    std::map<std::string, std::string> vecchi;
    for (const auto& [nome, byte] : nuovi)
        vecchi[nome] = nome == ".compattatore.lock" ? "" : "VECCHIO " + nome + std::string(1000, '#');

    ASSERT_GE(passi, 20u);
    for (std::uint64_t k = 1; k <= passi; ++k) {
        SCOPED_TRACE(k);
        TempDir dir;
        for (const auto& [nome, byte] : vecchi) test::write_bytes(dir / nome, byte);
        fault_injection::fail_operation(k);
        const Esecuzione e = lavoro(dir.path());
        fault_injection::fail_operation(0);

        // Nothing but the outputs and temporary files of the failed run.
        std::map<std::string, std::string> uscite;
        for (const auto& [nome, byte] : contenuto(dir.path()))
            if (!is_temporary_name(nome)) uscite[nome] = byte;
        if (e.stato == 0) {
            EXPECT_TRUE(uscite == nuovi);
        } else {
            EXPECT_EQ(e.stato, stato::errore_io) << e.err;
            EXPECT_TRUE(uscite == vecchi || uscite == nuovi) << e.err;
            EXPECT_EQ(e.err.rfind("compattatore: ", 0), 0u) << e.err;
        }
        ASSERT_EQ(lavoro(dir.path()).stato, 0);
        EXPECT_TRUE(contenuto(dir.path()) == nuovi);
    }
}

// The no-argument run deletes a description file only when it is still the
// file the run wrote, with the bytes the run wrote: one that another hand
// rewrote or put anew under the name in between is left alone.
TEST(DescrizioniProprie, EliminaSoloIlFileCheHaScritto) {
    struct Caso {
        const char* nome;
        std::function<void(const fs::path&)> nel_frattempo;
        bool eliminato;
    };
    const std::vector<Caso> casi{
        {"intatto", [](const fs::path&) {}, true},
        {"riscritto con altri byte", [](const fs::path& f) { test::write_bytes(f, "di un altro"); }, false},
        // (The run's file is kept under another name, so the new one cannot
        // reuse its number on the disk.)
        {"rimpiazzato con gli stessi byte",
         [](const fs::path& f) {
             fs::rename(f, fs::path(f) += ".suo");
             test::write_bytes(f, "testo");
         },
         false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        TempDir dir;
        const fs::path f = dir / "Brunovale_linea.txt";
        DescrizioniProprie proprie;
        proprie.scrivi(f, "testo");
        c.nel_frattempo(f);
        const std::optional<DescrizioneLetta> letta = leggi_descrizione(f);
        ASSERT_TRUE(letta);
        proprie.elimina(f, *letta);
        EXPECT_EQ(fs::exists(f), !c.eliminato);
    }
}

// The no-argument run replaces and deletes description files of its own
// names: one an author edited stops it before anything is written, named,
// with the way to keep it and the way to give it up; a leftover with the
// built-in bytes, as a killed run leaves, is the run's own and it goes on.
TEST(DescrizioniProprie, QuelleDiUnAutoreFermanoIlLavoro) {
    std::map<std::string, std::string> fresco;
    {
        TempDir dir;
        ASSERT_EQ(lavoro(dir.path()).stato, 0);
        fresco = contenuto(dir.path());
    }
    for (const char* nome : {"Brunovale_linea.txt", "Brunovale_Quarzo-.txt"}) {
        SCOPED_TRACE(nome);
        std::string predefinito;
        {
            TempDir d;
            ASSERT_EQ(scrivi_sorgenti(d.path(), std::cerr), 0);
            predefinito = test::read_bytes(d / nome);
        }
        {
            TempDir dir;
            test::write_bytes(dir / nome, predefinito + "; una riga dell'autore\r\n");
            const std::map<std::string, std::string> prima = contenuto(dir.path());
            const Esecuzione e = lavoro(dir.path());
            EXPECT_EQ(e.stato, stato::non_riuscito);
            EXPECT_EQ(e.err, "compattatore: " + path_text(dir / nome) +
                                 ": file di descrizione diverso da quello predefinito: non viene sostituito\n"
                                 "  per compilarlo: compattatore compile \"" + path_text(dir.path()) +
                                 "\"; per riavere quello predefinito: eliminarlo e ripetere\n"
                                 "nessun file scritto\n");
            std::map<std::string, std::string> dopo = contenuto(dir.path());
            dopo.erase(".compattatore.lock");
            EXPECT_TRUE(dopo == prima);
        }
        {
            TempDir dir;
            test::write_bytes(dir / nome, predefinito);
            const Esecuzione e = lavoro(dir.path());
            EXPECT_EQ(e.stato, 0) << e.err;
            EXPECT_TRUE(contenuto(dir.path()) == fresco);
        }
    }
}

// A killed run's temporary file, of the program's own pattern, is removed
// by the next run in that folder; a file of a like name that is not of the
// pattern is someone else's and stays.
TEST(FileTemporanei, QuelliDiUnEsecuzioneUccisaSonoRimossi) {
    TempDir dir;
    test::write_bytes(dir / ".cmpt-a1b2c3d4.tmp", std::string(100000, 'x'));
    test::write_bytes(dir / ".cmpt-a1b2c3d4.tmp.bak", "mio");
    ASSERT_EQ(lavoro(dir.path()).stato, 0);
    EXPECT_FALSE(fs::exists(dir / ".cmpt-a1b2c3d4.tmp"));
    EXPECT_EQ(test::read_bytes(dir / ".cmpt-a1b2c3d4.tmp.bak"), "mio");
}

// The two tests below do not run on Windows, which counts the whole path
// against its own limit and has neither /dev/zero nor symbolic links for
// everyone.
#ifndef _WIN32

using test::esegui;

// The longest name a line may have on common file systems with the train
// "T": 235 characters give a restriction order of 255, and the temporary
// files stay short whatever the name.
TEST(NomiLunghi, UnaLineaDi235CaratteriSiCompila) {
    TempDir dir;
    const std::string linea(235, 'L');
    const std::string d = test::argument(dir.path());
    ASSERT_EQ(esegui({"sources", d, "--linea", linea, "--treno", "T"}).stato, 0);
    const Esecuzione e = esegui({"compile", d, "--linea", linea, "--treno", "T"});
    EXPECT_EQ(e.stato, 0) << e.err;
    ASSERT_EQ((linea + "_T_rallentamenti.txt").size(), 255u);
    for (const char* coda : {"_linea.dat", "_T.sim", "_T.dat", "_T_scheda_treno.txt", "_T_rallentamenti.txt"}) {
        const std::string nome = linea + coda;
        EXPECT_TRUE(fs::exists(dir / nome)) << coda;
    }
    for (const auto& [nome, byte] : contenuto(dir.path())) EXPECT_FALSE(is_temporary_name(nome)) << nome;
}

// Inputs no run can use, each refused at once with the file's name and the
// reason, before it is read: a device that never ends, a file of 2 GB with
// nothing in it, a folder, a compiled file under another kind's name, and
// bytes of the right length that are no cells.
TEST(InputIllegibili, OgnunoRifiutatoSubitoConIlSuoMotivo) {
    TempDir dir;
    const auto sparso = [](const fs::path& p) {
        test::write_bytes(p, "");
        fs::resize_file(p, std::uint64_t{2} << 30);
    };
    const auto a = [](const fs::path& p) { return test::argument(p); };
    struct Caso {
        const char* nome;
        std::function<void(const fs::path&)> prepara;  // in the folder given
        std::vector<std::string> argomenti;             // DIR stands for the folder
        int stato;
        std::string err;  // DIR stands for the folder
    };
    const std::string non_file = ": non è un file ma una cartella, un dispositivo o una pipe\n";
    // A plan of two rows of reals: 40 bytes, no whole number of cells.
    std::string piano;
    for (int i = 0; i < 4; ++i) piano += std::string("\x05\x00", 2) + std::string(8, '\0');
    const std::vector<Caso> casi{
        {"compile, la linea è /dev/zero",
         [](const fs::path& d) { fs::create_symlink("/dev/zero", d / "Brunovale_linea.txt"); },
         {"compile", "DIR", "--linea", "Brunovale", "--treno", "Quarzo"}, stato::errore_io, "compattatore: DIR/Brunovale_linea.txt" + non_file},
        {"compile, una linea sparsa di 2 GB", [&](const fs::path& d) { sparso(d / "Brunovale_linea.txt"); },
         {"compile", "DIR", "--linea", "Brunovale", "--treno", "Quarzo"}, stato::errore_io,
         "compattatore: DIR/Brunovale_linea.txt: file di 2147483648 byte, oltre il massimo di 67108864 byte di un "
         "file di descrizione\n"},
        {"check, il treno è una cartella",
         [](const fs::path& d) {
             test::write_bytes(d / "Brunovale_linea.txt", "");
             fs::create_directory(d / "Brunovale_Quarzo-.txt");
         },
         {"check", "DIR", "--linea", "Brunovale", "--treno", "Quarzo"}, stato::errore_io, "compattatore: DIR/Brunovale_Quarzo-.txt" + non_file},
        {"plot di entrate sparse di 2 GB", [&](const fs::path& d) { sparso(d / "Brunovale_Quarzo.sim"); },
         {"plot", "DIR", "-o", "DIR/p.svg"}, stato::non_riuscito,
         "compattatore: DIR/Brunovale_Quarzo.sim (file voci): offset 0: file di 2147483648 byte: un file voci ne ha "
         "al massimo 5704503\n"},
        {"decompile, le voci sono /dev/zero",
         [](const fs::path& d) { fs::create_symlink("/dev/zero", d / "Brunovale_Quarzo.sim"); },
         {"decompile", "DIR", "--linea", "Brunovale", "--treno", "Quarzo"}, stato::errore_io,
         "compattatore: DIR/Brunovale_Quarzo.sim" + non_file},
        {"decompile di entrate sparse di 2 GB", [&](const fs::path& d) { sparso(d / "Brunovale_Quarzo.sim"); },
         {"decompile", "DIR", "--linea", "Brunovale", "--treno", "Quarzo"}, stato::non_riuscito,
         "compattatore: DIR/Brunovale_Quarzo.sim (file voci): offset 0: file di 2147483648 byte: un file voci ne ha "
         "al massimo 5704503\n"},
        {"dump di /dev/zero", [](const fs::path&) {}, {"dump", "/dev/zero"}, stato::errore_io,
         "compattatore: /dev/zero" + non_file},
        {"dump di una griglia sparsa di 2 GB", [&](const fs::path& d) { sparso(d / "x.dat"); }, {"dump", "DIR/x.dat"},
         stato::non_riuscito,
         "compattatore: DIR/x.dat (file griglia): offset 0: file di 2147483648 byte: un file griglia ne ha al "
         "massimo 302115\n"},
        {"dump di un piano chiamato .dat", [&](const fs::path& d) { test::write_bytes(d / "foo.dat", piano); },
         {"dump", "DIR/foo.dat"}, stato::non_riuscito,
         "compattatore: DIR/foo.dat (file griglia): offset 30: cella 2 troncata: restano 10 byte dei 15 di una cella "
         "(lunghezza 40 non multipla di 15); il contenuto è quello di un file piano\n"},
        {"dump di byte che non sono celle",
         [](const fs::path& d) { test::write_bytes(d / "z.dat", std::string(15 * 7, '\xC8')); },
         {"dump", "DIR/z.dat"}, stato::non_riuscito,
         "compattatore: DIR/z.dat (file griglia): offset 0: cella 0: tipo 200 sconosciuto (una cella ha tipo da 0 a "
         "6 o da 10 a 14)\n"},
        {"dump di una cella sconosciuta dopo celle buone",
         [](const fs::path& d) {
             test::write_bytes(d / "w.bin", std::string(15 * 3, '\0') + "\x07" + std::string(14, '\0'));
         },
         {"dump", "DIR/w.bin"}, stato::non_riuscito,
         "compattatore: DIR/w.bin (file griglia): offset 45: cella 3: tipo 7 sconosciuto (una cella ha tipo da 0 a 6 "
         "o da 10 a 14)\n"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        TempDir d;
        c.prepara(d.path());
        const auto prima = contenuto(d.path());
        const auto sostituisci = [&](std::string t) {
            for (std::size_t at; (at = t.find("DIR")) != std::string::npos;) t.replace(at, 3, a(d.path()));
            return t;
        };
        std::vector<std::string> argomenti;
        for (const std::string& x : c.argomenti) argomenti.push_back(sostituisci(x));
        const auto inizio = std::chrono::steady_clock::now();
        const Esecuzione e = esegui(argomenti);
        EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(1));
        EXPECT_EQ(e.stato, c.stato);
        EXPECT_EQ(e.out, "");
        EXPECT_EQ(e.err, sostituisci(c.err));
        // Nothing written but the lock file.
        auto dopo = contenuto(d.path());
        dopo.erase(".compattatore.lock");
        EXPECT_TRUE(dopo == prima);
    }
}

// A pipe where a compiled file should be is refused at once by every
// command that reads compiled files, not waited on for a writer that never
// comes (with the folder's lock held); run with a time limit, so that a
// wait fails the test instead of hanging it.
TEST(InputIllegibili, UnaPipeAlPostoDiUnFileCompilatoNonFaAttendere) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "Brunovale_Quarzo.sim").c_str(), 0600), 0);
    const std::string d = test::argument(dir.path());
    const std::vector<std::vector<std::string>> comandi{
        {"decompile", d, "--linea", "Brunovale", "--treno", "Quarzo"},
        {"plot", d, "--linea", "Brunovale", "--treno", "Quarzo", "-o", d + "/p.svg"},
        {"dump", d + "/Brunovale_Quarzo.sim"},
    };
    for (const std::vector<std::string>& c : comandi) {
        SCOPED_TRACE(c.front());
        std::vector<std::string> argomenti{"10", COMPATTATORE_EXE};
        argomenti.insert(argomenti.end(), c.begin(), c.end());
        const test::CommandResult r = test::run_program("/usr/bin/timeout", argomenti);
        EXPECT_EQ(r.status, stato::errore_io);
        EXPECT_EQ(r.output, "compattatore: " + d + "/Brunovale_Quarzo.sim: non è un file ma una cartella, un "
                            "dispositivo o una pipe\n");
    }
}
#endif

// Memory that runs out anywhere ends the run with one message and its own
// status, like any other failure.
TEST(Memoria, EsauritaDaUnMessaggioEUnoStato) {
    std::ostringstream err;
    const int stato = riporta_fallimenti([]() -> StatoUscita { throw std::bad_alloc(); }, err);
    EXPECT_EQ(stato, stato::memoria_insufficiente);
    EXPECT_EQ(err.str(), "compattatore: memoria insufficiente per completare il lavoro\n");
}

}  // namespace
}  // namespace compattatore
