// The folders' locks as the commands take them: readers lock too, creating
// the lock file where they can and saying so where they cannot; a link is
// never followed to a lock file or over a description file; what a run
// looks at in a folder, it looks at under the lock.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "app/fallimenti.h"
#include "app/riga_di_comando.h"
#include "platform/folder_lock.h"
#include "platform/paths.h"
#include "support/esecuzione.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using namespace std::chrono_literals;

using test::Esecuzione;
using test::esegui;

// A folder with the built-in scenario, described and compiled, and no lock file.
void scenario(const fs::path& dir) {
    std::ostringstream out, err;
    ASSERT_EQ(esegui_lavoro(dir, out, err), 0) << err.str();
    ASSERT_EQ(scrivi_sorgenti(dir, err), 0) << err.str();
    fs::remove(dir / ".compattatore.lock");
}

// Every command that reads a folder makes its lock file and waits while
// another run writes there: a writer holding the lock keeps each of them
// from reading until it lets go.
TEST(Blocchi, OgniLettoreBloccaLaCartella) {
    TempDir dir;
    scenario(dir.path());
    const std::string d = path_text(dir.path());
    const std::vector<std::vector<std::string>> comandi{
        {"check", d},
        {"dump", path_text(dir / "Brunovale_Quarzo.sim")},
        {"plot", d, "-o", path_text(dir / "altrove" / "p.svg")},
        {"decompile", d, "-o", path_text(dir / "testi"), "--force"},
    };
    fs::create_directory(dir / "altrove");
    for (const std::vector<std::string>& c : comandi) {
        SCOPED_TRACE(c.front());
        fs::remove(dir / ".compattatore.lock");
        Esecuzione primo = esegui(c);
        EXPECT_EQ(primo.stato, 0) << primo.err;
        EXPECT_TRUE(fs::is_regular_file(dir / ".compattatore.lock"));

        std::optional<FolderLock> scrittore(std::in_place, dir.path());
        ASSERT_EQ(scrittore->acquire(LockUse::exclusive, {}), FolderLock::Outcome::held);
        std::atomic<bool> finito{false};
        Esecuzione e;
        std::thread lettore([&] {
            e = esegui(c);
            finito = true;
        });
        std::this_thread::sleep_for(300ms);
        EXPECT_FALSE(finito);
        scrittore.reset();
        lettore.join();
        EXPECT_EQ(e.stato, 0) << e.err;
    }
}

// Where no lock file can be used, a run says why and goes on unlocked: a
// folder under the lock file's name, and (for a user the system does not
// exempt) a folder that is read-only.
TEST(Blocchi, SenzaFileDiBloccoLoDiceEContinua) {
    TempDir dir;
    scenario(dir.path());
    const std::string d = path_text(dir.path());
    fs::create_directory(dir / ".compattatore.lock");
    Esecuzione e = esegui({"check", d});
    EXPECT_EQ(e.stato, 0);
    EXPECT_TRUE(e.err.starts_with("compattatore: avviso: nella cartella " + d +
                                  " il file di blocco .compattatore.lock non si può usare (è una cartella, non un "
                                  "file): le esecuzioni contemporanee in questa cartella non si escludono a "
                                  "vicenda\n"))
        << e.err;
#ifndef _WIN32
    if (::geteuid() == 0) return;
    fs::remove(dir / ".compattatore.lock");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    e = esegui({"check", d});
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(e.stato, 0);
    EXPECT_NE(e.err.find("il file di blocco .compattatore.lock non si può usare (permesso negato)"),
              std::string::npos)
        << e.err;
#endif
}

#ifndef _WIN32
// A link under the lock file's name, even one that leads nowhere, is
// refused by every run: it is not followed to make a file elsewhere.
TEST(Blocchi, UnCollegamentoAlPostoDelFileDiBloccoERifiutato) {
    TempDir dir, fuori;
    scenario(dir.path());
    const std::string d = path_text(dir.path());
    fs::create_symlink(fuori / "creato", dir / ".compattatore.lock");
    for (const std::vector<std::string>& c :
         std::vector<std::vector<std::string>>{{"check", d}, {"compile", d}, {"sources", d, "--force"}}) {
        SCOPED_TRACE(c.front());
        const Esecuzione e = esegui(c);
        EXPECT_EQ(e.stato, 2);
        EXPECT_EQ(e.err, "compattatore: " + path_text(dir / ".compattatore.lock") + ": è un collegamento, non un file\n");
        EXPECT_FALSE(fs::exists(fuori / "creato"));
    }
}

// A link named like a description file, even one that leads nowhere,
// stands there: sources and decompile do not replace it without --force,
// and with it they refuse the link itself.
TEST(Blocchi, UnCollegamentoAlPostoDiUnaDescrizioneNonESostituito) {
    TempDir dir, fuori;
    scenario(dir.path());
    const std::string d = path_text(dir.path());
    TempDir testi;
    fs::create_symlink(fuori / "altrove.txt", testi / "Brunovale_linea.txt");
    const std::string t = path_text(testi.path());
    const std::string link = path_text(testi / "Brunovale_linea.txt");
    struct Caso {
        std::vector<std::string> argomenti;
        int stato;
        std::string err;
    };
    const std::vector<Caso> casi{
        {{"sources", t}, 1, "compattatore: " + link + ": esiste già; --force per sostituirlo\nnessun file scritto\n"},
        {{"sources", t, "--force"}, 2, "compattatore: " + link + ": è un collegamento, non un file\n"},
        {{"decompile", d, "-o", t}, 1, "compattatore: " + link + ": esiste già; --force per sostituirlo\nnessun file scritto\n"},
        {{"decompile", d, "-o", t, "--force"}, 2, "compattatore: " + link + ": è un collegamento, non un file\n"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.argomenti.front() + " " + c.argomenti.back());
        const Esecuzione e = esegui(c.argomenti);
        EXPECT_EQ(e.stato, c.stato);
        EXPECT_EQ(e.err, c.err);
        EXPECT_TRUE(fs::is_symlink(testi / "Brunovale_linea.txt"));
        EXPECT_FALSE(fs::exists(fuori / "altrove.txt"));
    }
    // The no-argument run, which would replace and delete it, stops.
    std::ostringstream out, err;
    const int stato = riporta_fallimenti([&] { return esegui_lavoro(testi.path(), out, err); }, err);
    EXPECT_EQ(stato, 2);
    EXPECT_EQ(err.str(), "compattatore: " + link + ": è un collegamento, non un file\n");
    EXPECT_TRUE(fs::is_symlink(testi / "Brunovale_linea.txt"));
    EXPECT_FALSE(fs::exists(fuori / "altrove.txt"));
    EXPECT_FALSE(fs::exists(testi / "Brunovale_Quarzo-.txt"));
}
#endif

// decompile -o makes the new folder before it locks it, and writes there
// only under its lock; sources looks for existing description files under
// the lock, so that a file another run puts there meanwhile is seen.
TEST(Blocchi, LaCartellaNuovaEBloccataEIFileSonoCercatiSottoIlBlocco) {
    TempDir dir;
    scenario(dir.path());
    const Esecuzione e = esegui({"decompile", path_text(dir.path()), "-o", path_text(dir / "nuova" / "testi")});
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_TRUE(fs::is_regular_file(dir / "nuova" / "testi" / ".compattatore.lock"));

    TempDir vuota;
    std::optional<FolderLock> altro(std::in_place, vuota.path());
    ASSERT_EQ(altro->acquire(LockUse::exclusive, {}), FolderLock::Outcome::held);
    Esecuzione s;
    std::thread sorgenti([&] { s = esegui({"sources", path_text(vuota.path())}); });
    std::this_thread::sleep_for(300ms);
    test::write_bytes(vuota / "Brunovale_linea.txt", "dell'autore");
    altro.reset();
    sorgenti.join();
    EXPECT_EQ(s.stato, 1);
    EXPECT_EQ(test::read_bytes(vuota / "Brunovale_linea.txt"), "dell'autore");
}

}  // namespace
}  // namespace compattatore
