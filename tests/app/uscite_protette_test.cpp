// Outputs that must not be replaced: a file the author protected, anything
// that is not a file, a file another program holds open.  Each run stops
// before it replaces anything, names the file and says why; the old files
// stay as they were and no temporary file is left, for check as for compile.
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "app/riga_di_comando.h"
#include "platform/file_handle.h"
#include "platform/paths.h"
#include "platform/temporary_files.h"
#include "support/esecuzione.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using test::Esecuzione;
using test::esegui;

// Every entry of a folder with its bytes ("<...>" for what is not a file).
std::map<std::string, std::string> contenuto(const fs::path& dir) {
    std::map<std::string, std::string> r;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string nome = path_text(e.path().filename());
        std::error_code ec;
        r[nome] = fs::is_symlink(e.symlink_status()) ? "<collegamento>"
                  : e.is_regular_file(ec)            ? test::read_bytes(e.path())
                                                     : "<non un file>";
    }
    return r;
}

// A folder where the built-in scenario was written and compiled.
void scenario_compilato(const TempDir& d) {
    ASSERT_EQ(esegui({"sources", path_text(d.path())}).stato, 0);
    ASSERT_EQ(esegui({"compile", path_text(d.path())}).stato, 0);
}

void sola_lettura(const fs::path& f, bool protetto) {
    fs::permissions(f, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    protetto ? fs::perm_options::remove : fs::perm_options::add);
}

// A protected output is not replaced, on Linux by its mode bits (whoever
// runs the program, root too), on Windows by its read-only attribute: the
// run names it, changes nothing and leaves no temporary file; without the
// protection the same run goes through.
TEST(UsciteProtette, UnFileInSolaLetturaNonESostituito) {
    struct Caso {
        const char* protetto;
        std::vector<std::string> argomenti;  // after the folder's command; DIR stands for the folder
    };
    const std::vector<Caso> casi = {
        {"Brunovale_Quarzo_scheda_treno.txt", {"compile", "DIR"}},
        {"Brunovale_Quarzo.sim", {"compile", "DIR"}},
        {"Brunovale_linea.txt", {"sources", "DIR", "--force"}},
        {"p.svg", {"plot", "DIR", "-o", "DIR/p.svg"}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.protetto);
        TempDir d;
        scenario_compilato(d);
        const fs::path protetto = d / c.protetto;
        if (!fs::exists(protetto)) test::write_bytes(protetto, "disegno dell'autore");
        sola_lettura(protetto, true);
        const auto prima = contenuto(d.path());
        std::vector<std::string> argomenti;
        for (const std::string& a : c.argomenti)
            argomenti.push_back(a == "DIR" ? path_text(d.path()) : a == "DIR/p.svg" ? path_text(d / "p.svg") : a);
        const Esecuzione e = esegui(argomenti);
        EXPECT_EQ(e.stato, 2);
        EXPECT_EQ(e.err, "compattatore: " + path_text(protetto) +
                             ": è protetto (sola lettura) e non viene sostituito: toglierne la protezione e ripetere\n");
        EXPECT_TRUE(contenuto(d.path()) == prima);
        sola_lettura(protetto, false);
        EXPECT_EQ(esegui(argomenti).stato, 0);
    }
}

// Whatever is not a file stays as it is: a folder, and on Linux a link, a
// named pipe and a device; on Windows a device name.
TEST(UsciteProtette, CioCheNonEUnFileNonESostituito) {
    struct Caso {
        const char* nome;
        std::function<void(const fs::path&)> prepara;  // makes the thing under the name
        std::string motivo;
    };
    std::vector<Caso> casi = {
        {"Brunovale_Quarzo.sim", [](const fs::path& p) { fs::create_directory(p); }, "è una cartella, non un file"},
#ifndef _WIN32
        {"Brunovale_Quarzo_scheda_treno.txt", [](const fs::path& p) { fs::create_symlink("/dev/null", p); },
         "è un collegamento, non un file"},
        {"Brunovale_linea.dat", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0666), 0); },
         "è un dispositivo o una pipe, non un file"},
#endif
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        TempDir d;
        ASSERT_EQ(esegui({"sources", path_text(d.path())}).stato, 0);
        c.prepara(d / c.nome);
        auto prima = contenuto(d.path());
        const Esecuzione e = esegui({"compile", path_text(d.path())});
        EXPECT_EQ(e.stato, 2);
        EXPECT_EQ(e.err, "compattatore: " + path_text(d / c.nome) + ": " + c.motivo + "\n");
        auto dopo = contenuto(d.path());
        for (auto* m : {&prima, &dopo}) m->erase(".compattatore.lock");
        EXPECT_TRUE(dopo == prima);
    }
    // A device given as the drawing.
    TempDir d;
    scenario_compilato(d);
#ifdef _WIN32
    const std::string dispositivo = "NUL";
#else
    const std::string dispositivo = "/dev/null";
#endif
    const Esecuzione e = esegui({"plot", path_text(d.path()), "-o", dispositivo});
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(e.err, "compattatore: " + dispositivo + ": è un dispositivo o una pipe, non un file\n");
}

// A compiled file open in another program (the simulator, a viewer).  On
// Windows such a program keeps it from being replaced: the run says so,
// replaces nothing and leaves no temporary file, and once the program has
// closed it the same run goes through.  On Linux the file is replaced, and
// the program goes on reading the old one.
TEST(UsciteProtette, UnFileApertoInUnAltroProgramma) {
    TempDir d;
    scenario_compilato(d);
    const fs::path sim = d / "Brunovale_Quarzo.sim";
    test::write_bytes(d / "Brunovale_Quarzo.dat", "griglia vecchia");
    test::write_bytes(sim, "voci vecchie");
#ifdef _WIN32
    // As a program that shares reading only opens it.
    const HANDLE aperto = ::CreateFileW(sim.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(aperto, INVALID_HANDLE_VALUE);
    const auto prima = contenuto(d.path());
    const Esecuzione e = esegui({"compile", path_text(d.path())});
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(e.err, "compattatore: " + path_text(sim) + ": " + in_use_reason + "\n");
    EXPECT_TRUE(contenuto(d.path()) == prima);
    // check, which writes nothing, is not stopped by it.
    EXPECT_EQ(esegui({"check", path_text(d.path())}).stato, 0);
    ::CloseHandle(aperto);
    EXPECT_EQ(esegui({"compile", path_text(d.path())}).stato, 0);
    EXPECT_NE(test::read_bytes(sim), "voci vecchie");
#else
    FileHandle aperto = FileHandle::open_read(sim);
    EXPECT_EQ(esegui({"compile", path_text(d.path())}).stato, 0);
    EXPECT_NE(test::read_bytes(sim), "voci vecchie");
    char letti[12] = {};
    EXPECT_EQ(aperto.read_some(letti, sizeof letti), sizeof letti);
    EXPECT_EQ(std::string(letti, sizeof letti), "voci vecchie");
#endif
    for (const auto& [nome, byte] : contenuto(d.path())) EXPECT_FALSE(is_temporary_name(nome)) << nome;
}

// The temporary file a failed run could not remove (the second name of a
// file another program held) is removed by the next run in the folder,
// check too.
TEST(UsciteProtette, CheckRimuoveITemporaneiRimasti) {
    TempDir d;
    scenario_compilato(d);
    test::write_bytes(d / ".cmpt-k3x9q2m7.tmp", "secondo nome di un vecchio file");
    const Esecuzione e = esegui({"check", path_text(d.path())});
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_FALSE(fs::exists(d / ".cmpt-k3x9q2m7.tmp"));
}

}  // namespace
}  // namespace compattatore
