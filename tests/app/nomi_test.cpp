// Line and train names from the command line: what a name may not be, each
// refused alike by every command that takes one; the code page the simulator
// reads them in; the case of the files already in the folder; and the help
// asked for the Windows way.
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/riga_di_comando.h"
#include "platform/paths.h"
#include "support/builtin_warnings.h"
#include "support/esecuzione.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using test::Esecuzione;
using test::esegui;

std::string dir_di(const TempDir& d) { return path_text(d.path()); }

// Windows-1252 bytes of the Latin-1 range as UTF-8, read without the program's code.
std::string da_latin1(const std::string& byte) {
    std::string r;
    for (const char c : byte) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            r.push_back(c);
        } else {
            r.push_back(static_cast<char>(0xC0 | (b >> 6)));
            r.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return r;
}

// Every name no system can store as the name of a file, or the simulator
// cannot show: refused with status 64 before anything is read or written,
// by each command, for the line as for the train.
TEST(NomiDiScenario, OgniNomeCheNonSiPuoScrivereERifiutato) {
    const std::vector<std::pair<std::string, std::string>> casi = {
        {"", "il nome è vuoto"},
        {"../altra/x", "\"../altra/x\" contiene un separatore di cartelle: è un nome, non un percorso"},
        {"/tmp/x", "\"/tmp/x\" contiene un separatore di cartelle: è un nome, non un percorso"},
        {"C:\\Scenari\\x", "\"C:\\Scenari\\x\" contiene un separatore di cartelle: è un nome, non un percorso"},
        {"..", "\"..\" è il nome di una cartella"},
        {"CON", "\"CON\" è un nome che Windows riserva ai dispositivi"},
        {"nul", "\"nul\" è un nome che Windows riserva ai dispositivi"},
        {"Aux.txt", "\"Aux.txt\" è un nome che Windows riserva ai dispositivi"},
        {"com1", "\"com1\" è un nome che Windows riserva ai dispositivi"},
        {"LPT9.linea", "\"LPT9.linea\" è un nome che Windows riserva ai dispositivi"},
        {"Città.", "\"Città.\" finisce con un punto o uno spazio, che Windows toglie dai nomi dei file"},
        {"Però ", "\"Però \" finisce con un punto o uno spazio, che Windows toglie dai nomi dei file"},
        {"a:b", "\"a:b\" contiene il carattere :, che Windows non ammette nei nomi dei file"},
        {"<x>", "\"<x>\" contiene il carattere <, che Windows non ammette nei nomi dei file"},
        {"a\"b", "\"a\"b\" contiene il carattere \", che Windows non ammette nei nomi dei file"},
        {"a|b", "\"a|b\" contiene il carattere |, che Windows non ammette nei nomi dei file"},
        {"a?", "\"a?\" contiene il carattere ?, che Windows non ammette nei nomi dei file"},
        {"a*", "\"a*\" contiene il carattere *, che Windows non ammette nei nomi dei file"},
        {"a\tb", "\"a\\x09b\" contiene un carattere di controllo"},
        {"a\x7f", "\"a\\x7F\" contiene un carattere di controllo"},
        {"a\xC2\x85", "\"a\\xC2\\x85\" contiene un carattere di controllo"},
        {"Citt\xE0", "\"Citt\\xE0\" non è testo UTF-8"},
        {"Łódź", "\"Łódź\" contiene \"Ł\" (U+0141), che il simulatore non sa mostrare: un nome si scrive con i "
                 "caratteri di Windows-1252"},
    };
    TempDir d;
    const std::string dir = dir_di(d);
    const std::vector<std::vector<std::string>> comandi = {
        {"sources", dir}, {"compile", dir}, {"check", dir}, {"plot", dir, "-o", dir + "/p.svg"}, {"decompile", dir}};
    for (const auto& [nome, motivo] : casi) {
        for (const char* opzione : {"--linea", "--treno"}) {
            for (std::vector<std::string> c : comandi) {
                SCOPED_TRACE(c.front() + " " + opzione + " " + nome);
                c.push_back(opzione);
                c.push_back(nome);
                const Esecuzione e = esegui(c);
                EXPECT_EQ(e.stato, 64);
                EXPECT_EQ(e.out, "");
                EXPECT_EQ(e.err, std::string("compattatore: ") + opzione + ": " + motivo +
                                     "\n(compattatore --help per l'aiuto)\n");
            }
        }
    }
    EXPECT_TRUE(test::file_names(d.path()).empty());
    // Names like these are names.
    for (const char* nome : {"Città", "Però", "€uro", "a..b", "CONsiglio", "COM0", ".nascosto"}) {
        TempDir altra;
        EXPECT_EQ(esegui({"sources", dir_di(altra), "--treno", nome}).stato, 0) << nome;
    }
}

// An accented name goes into the compiled files, and so onto the card and
// into the competition codes, in the simulator's code page, one byte a
// letter; decompile reproduces such files; the file names keep the text.
TEST(NomiDiScenario, NelCodiceDelSimulatore) {
    TempDir d;
    const std::string dir = dir_di(d);
    ASSERT_EQ(esegui({"sources", dir, "--linea", "Città", "--treno", "Però"}).stato, 0);
    const Esecuzione c = esegui({"compile", dir, "--linea", "Città", "--treno", "Però"});
    ASSERT_EQ(c.stato, 0) << c.err;
    const std::string sim = test::read_bytes(d / path_from_text("Città_Però.sim"));
    EXPECT_NE(sim.find("Citt\xE0"), std::string::npos);
    EXPECT_NE(sim.find("Per\xF2"), std::string::npos);
    EXPECT_EQ(sim.find("Citt\xC3\xA0"), std::string::npos);
    EXPECT_EQ(sim.find("Per\xC3\xB2"), std::string::npos);
    // The card's header, read as the driver's viewer reads it: the name
    // fills its column to the frame, as "Quarzo" does.
    const std::string scheda = da_latin1(test::read_bytes(d / path_from_text("Città_Però_scheda_treno.txt")));
    EXPECT_NE(scheda.find(" |   TRENO n.  Però  |"), std::string::npos) << scheda.substr(0, 400);

    TempDir fuori;
    const Esecuzione r = esegui({"decompile", dir, "--linea", "Città", "--treno", "Però", "-o", dir_di(fuori)});
    EXPECT_EQ(r.stato, 0) << r.err;
    EXPECT_EQ(test::file_names(fuori.path()), (std::set<std::string>{".compattatore.lock", "Città_linea.txt", "Città_Però-.txt"}));
}

// A name in another case finds the folder's files, as Windows finds them,
// and takes their case on every system: the compiled files, their names and
// what they hold are those of the names as the files spell them.
TEST(NomiDiScenario, IlCasoEQuelloDeiFileNellaCartella) {
    TempDir giusto, storto;
    for (const TempDir* d : {&giusto, &storto}) ASSERT_EQ(esegui({"sources", dir_di(*d)}).stato, 0);
    ASSERT_EQ(esegui({"compile", dir_di(giusto)}).stato, 0);
    const Esecuzione e = esegui({"compile", dir_di(storto), "--linea", "brunovale", "--treno", "QUARZO"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err,
              "compattatore: avviso: i file della cartella scrivono \"Brunovale\" e \"Quarzo\" (non \"brunovale\" e "
              "\"QUARZO\"): uso questi nomi\n" +
                  test::builtin_warnings_text((storto / "Brunovale_linea.txt").string()) +
                  "codice 0: nessun errore, 1 avviso\n");
    EXPECT_EQ(test::file_names(storto.path()), test::file_names(giusto.path()));
    for (const std::string& f : test::file_names(giusto.path()))
        if (f != ".compattatore.lock") {
            EXPECT_EQ(test::read_bytes(storto / f), test::read_bytes(giusto / f)) << f;
        }
    // sources finds the files there already, whatever the case.
    const Esecuzione s = esegui({"sources", dir_di(storto), "--linea", "BRUNOVALE"});
    EXPECT_EQ(s.stato, 1);
    EXPECT_NE(s.err.find("Brunovale_linea.txt: esiste già"), std::string::npos) << s.err;
}

// "/?" is the help, as Windows programs answer it, for the program and for
// each command.
TEST(NomiDiScenario, BarraPuntoInterrogativoELAiuto) {
    EXPECT_EQ(esegui({"/?"}).out, esegui({"--help"}).out);
    const Esecuzione c = esegui({"compile", "/?"});
    EXPECT_EQ(c.stato, 0);
    EXPECT_EQ(c.out, esegui({"compile", "--help"}).out);
    EXPECT_NE(c.out.find("Uso: compattatore compile"), std::string::npos);
}

}  // namespace
}  // namespace compattatore
