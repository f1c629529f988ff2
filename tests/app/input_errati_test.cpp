// Bad input, one row per kind: what the compiler must answer (a code, or a
// clear I/O error) and the proof that nothing else was lost.
//
// Every row runs in a fresh folder that already holds a file of someone
// else's and older, longer compiled files.  After the run the other file is
// untouched, the compiled files are either exactly the new tables or the old
// bytes unchanged (never a mix, never cut short), the description files are
// gone or left exactly as the reader promises, and nothing else appears.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "app/diagnostica.h"
#include "app/scenario_files.h"
#include "finishing/finitura.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"
#include "support/process.h"
#include "support/system_reasons.h"
#include "support/temp_dir.h"
#include "tables/file_compilati.h"
#include "tables/nomi_file.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// ---------------------------------------------------------------------------
// Building the description texts.

std::string righe(const std::vector<std::string>& r) {
    std::string t;
    for (const std::string& x : r) t += x + "\r\n";
    return t;
}

// A small line of 20 km with one record of every kind; it reads without error.
std::vector<std::string> linea_base() {
    return {"[generale]",
            "lunghezza percorso,    20000",
            "progressiva chilometrica uno,    0,    0,    0",
            "sfondo uno,    1",
            "ripetizione segnali 9 codici,    1000,    19000",
            "[curve]",
            "curvad3,  2000,  300",
            "[pendenze]",
            "pendenza,  0,   0",
            "pendenza,  5000,   -4",
            "[montagne]",
            "montagna,   8000,  9000,  12",
            "[cartelli]",
            "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0",
            "[indicazioni]",
            "cartello_indicatore,  7950,   (Zona)(Cod )"};
}

// A small train on that line; it reads without error.
std::vector<std::string> treno_base() {
    return {"[generale]",
            "numero vetture,    12",
            "percentuale massa frenata,    130",
            "sabbia,    180",
            "orologio,    16              20            30 ",
            "[aderenze]",
            "aderenza,       0,    58",
            "[vel_limite]",
            "velocita,   0,    30",
            "velocita,    1000,   100",
            "[stazioni]",
            "stazione,       0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Borgo Alto",
            "stazione,   10000, 22,  400,  0, 0, 1,  1,0,0,  1,0,1,   60,  16,30, 0, Valle Chiara",
            "[rallentamenti]",
            "rallentamento,  6000,    80,  800, 0,  1,  80",
            "[segnali]",
            "segnale,    3050,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
            "segnale,   12000,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
            "[codici]",
            "abbattimento,    3050,   270"};
}

// The base text with `altre` rows added before the closing "[fine]".
std::string con(std::vector<std::string> base, const std::vector<std::string>& altre) {
    base.insert(base.end(), altre.begin(), altre.end());
    base.push_back("[fine]");
    return righe(base);
}

// The first occurrence of `da` replaced by `a`.
std::string cambia(std::string testo, const std::string& da, const std::string& a) {
    const std::size_t i = testo.find(da);
    if (i == std::string::npos) throw std::logic_error("testo da cambiare assente: " + da);
    return testo.replace(i, da.size(), a);
}

std::string linea_ok() { return con(linea_base(), {}); }
std::string treno_ok() { return con(treno_base(), {}); }

// `n` rows made by `riga(i)`, i from 0.
std::vector<std::string> serie(int n, const std::function<std::string(int)>& riga) {
    std::vector<std::string> r;
    for (int i = 0; i < n; ++i) r.push_back(riga(i));
    return r;
}

// Bytes of every value, NUL and line ends included, from a fixed generator;
// it never spells "[generale]".
std::string spazzatura(std::size_t n) {
    std::string t;
    std::uint32_t x = 2463534242u;
    for (std::size_t i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        t.push_back(static_cast<char>(x & 0xFF));
    }
    return t;
}

std::string cifre(std::size_t n) { return std::string(n, '7'); }

// ---------------------------------------------------------------------------
// The rows.

// Where posizione_errore stands when no code set it.
constexpr std::int32_t posizione_intatta = 0;

struct Caso {
    const char* nome;
    std::optional<std::string> linea;  // nullopt: no line file
    std::optional<std::string> treno;  // nullopt: no train file
    std::int32_t codice;
    std::optional<std::int32_t> posizione;  // nullopt: posizione_errore left alone
    bool compilati;    // the compiled files are written
    bool treno_resta;  // the train file is still there afterwards
    bool piano = true;  // the plan is built and written
};

constexpr bool scritti = true;
constexpr bool nessuno = false;
constexpr bool resta = true;
constexpr bool sparisce = false;

std::vector<Caso> casi() {
    const std::string ok_l = linea_ok();
    const std::string ok_t = treno_ok();
    return {
        {"riferimento senza errori", ok_l, ok_t, 0, {}, scritti, sparisce},
        {"riferimento senza piano", ok_l, ok_t, 0, {}, scritti, sparisce, false},

        // Missing and empty files.
        {"manca il file della linea", {}, ok_t, 101, {}, nessuno, resta},
        {"manca il file del treno", ok_l, {}, 25, {}, scritti, sparisce},
        {"mancano entrambi", {}, {}, 101, {}, nessuno, sparisce},
        {"linea vuota", "", ok_t, 102, {}, nessuno, resta},
        {"treno vuoto", ok_l, "", 0, {}, scritti, sparisce},
        {"linea senza [generale]", cambia(ok_l, "[generale]", "[generico]"), ok_t, 102, {}, nessuno, resta},
        {"[generale] ultimo campo della linea", "[pendenze]\r\n[generale]", ok_t, 102, {}, nessuno, resta},
        {"treno senza [generale]", ok_l, cambia(ok_t, "[generale]", "[generico]"), 0, {}, scritti, sparisce},

        // Binary garbage.
        {"linea di byte a caso", spazzatura(64 * 1024), ok_t, 102, {}, nessuno, resta},
        {"treno di byte a caso", ok_l, spazzatura(64 * 1024), 0, {}, scritti, sparisce},
        {"byte a caso dopo [generale] della linea", "[generale]\r\n" + spazzatura(4096), ok_t, 25, {}, nessuno,
         sparisce},

        // Very long lines.
        {"riga di 1 MB senza virgole nella linea", con(linea_base(), {std::string(1 << 20, 'x')}), ok_t, 0, {},
         scritti, sparisce},
        {"riga di 1 MB senza virgole nel treno", ok_l, con(treno_base(), {std::string(1 << 20, 'x')}), 0, {},
         scritti, sparisce},
        {"numero di 1 MB di cifre", con(linea_base(), {"pendenza,  " + cifre(1 << 20) + ",  1"}), ok_t, 25, {},
         scritti, sparisce},

        // Numbers beyond their members.
        {"lunghezza oltre 32 bit", cambia(ok_l, "20000", "4294967296"), ok_t, 25, {}, nessuno, sparisce},
        {"posizione oltre 32 bit", con(linea_base(), {"pendenza,  2147483648,  1"}), ok_t, 25, {}, scritti,
         sparisce},
        {"posizione sotto 32 bit", ok_l, con(treno_base(), {"segnale, -2147483649, 2,4,1,1,0,2,2,1,1,0"}), 25, {},
         scritti, sparisce},
        {"sabbia oltre 16 bit", ok_l, cambia(ok_t, "sabbia,    180", "sabbia,    32768"), 25, {}, scritti,
         sparisce},
        {"tipo di stazione oltre il byte", ok_l, cambia(ok_t, "0,  8,  500", "0,  256,  500"), 25, {}, scritti,
         sparisce},
        {"limite di velocita oltre il byte", ok_l, cambia(ok_t, "1000,   100", "1000,   1280"), 25, {}, scritti,
         sparisce},
        {"limite di velocita massimo", ok_l, cambia(ok_t, "1000,   100", "1000,   1277"), 0, {}, scritti,
         sparisce},

        // Negative positions.
        {"pendenza e aderenza in posizione negativa", con(linea_base(), {"pendenza,  -5000,  3"}),
         con(treno_base(), {"aderenza,  -100,  70", "velocita,  -50,  40"}), 0, {}, scritti, sparisce},
        {"segnale in posizione negativa", ok_l, con(treno_base(), {"segnale, -1000, 2,4,1,1,0,2,2,1,1,0"}), 0, {},
         scritti, sparisce},
        {"cartello in posizione negativa", con(linea_base(), {"cartello_indicatore,  -500,  (Neg)"}), ok_t, 25, {},
         scritti, sparisce},
        {"abbattimento in posizione negativa", ok_l, con(treno_base(), {"abbattimento,  -500,  270"}), 25, {},
         scritti, sparisce},
        {"montagna in posizione negativa", con(linea_base(), {"montagna,  -3000,  -1000,  12"}), ok_t, 0, {},
         scritti, sparisce},
        {"stazione in posizione negativa", ok_l,
         con(treno_base(), {"stazione, -2000, 22, 400, 0,0,0, 1,0,0, 1,0,1, 0, 0,0,0, Sotto"}), 24, {}, scritti,
         sparisce},
        {"lunghezza negativa con griglia", cambia(ok_l, "20000", "-5000"), ok_t, 15, 10000, scritti, sparisce},
        {"lunghezza negativa senza la cella 1", cambia(ok_l, "20000", "-7000"), ok_t, 25, {}, nessuno, sparisce},
        // Found by the fuzzer: a refused second length left numero_celle
        // negative beside the grid of the first, and the finishing pass
        // skipped the whole grid.
        {"seconda lunghezza negativa", cambia(ok_l, "sfondo uno", "lunghezza percorso,  -2147483648\r\nsfondo uno"),
         ok_t, 25, {}, scritti, sparisce},

        // Line length limits.
        {"lunghezza 1000000", cambia(ok_l, "20000", "1000000"), ok_t, 0, {}, scritti, sparisce},
        {"lunghezza 1000001", cambia(ok_l, "20000", "1000001"), ok_t, 1, {}, nessuno, resta},

        // Table limits.
        {"80 montagne", con(linea_base(), serie(79, [](int i) {
             return "montagna,  " + std::to_string(10000 + i * 100) + ",  " + std::to_string(10050 + i * 100) + ",  2";
         })),
         ok_t, 0, {}, scritti, sparisce},
        {"81 montagne", con(linea_base(), serie(80, [](int i) {
             return "montagna,  " + std::to_string(10000 + i * 100) + ",  " + std::to_string(10050 + i * 100) + ",  2";
         })),
         ok_t, 25, {}, scritti, sparisce},
        {"100 cartelli", con(linea_base(), serie(100, [](int i) {
             return "cartello_indicatore,  " + std::to_string(10000 + i * 50) + ",  (C" + std::to_string(i) + ")";
         })),
         ok_t, 25, {}, scritti, sparisce},
        {"100 stazioni", cambia(ok_l, "20000", "100000"), con(treno_base(), serie(100, [](int i) {
             return "stazione, " + std::to_string(20000 + i * 600) +
                    ", 22, 200, 0,0,0, 1,0,0, 1,0,1, 0, 0,0,0, Fermata " + std::to_string(i);
         })),
         10, {}, scritti, sparisce},

        // Overlapping and unordered records.
        {"record in disordine",
         con(linea_base(), {"pendenza,  3000,  2", "curvas2,  1000,  200", "montagna,  8500,  8700,  2"}),
         con(treno_base(), {"velocita,  500,  60", "aderenza,  0,  70", "segnale, 2050, 2,4,1,0,0,0,0,0,0,0"}), 0, {},
         scritti, sparisce},
        {"stazioni sovrapposte", ok_l, cambia(ok_t, "stazione,   10000", "stazione,     700"), 22, 700, scritti,
         sparisce},
        {"segnali sulla stessa cella", ok_l, con(treno_base(), {"segnale, 3060, 2,4,1,0,0,0,0,0,0,0"}), 16, 3060,
         scritti, sparisce},
        {"cartelli sulla stessa cella", con(linea_base(), {"cartello_indicatore,  7960,  (Doppio)"}), ok_t, 6, 7960,
         scritti, resta},
        {"indicatore su un cartello", con(linea_base(), {"indicatori_vmax,  7950,  90,  95,  100,  0,  ,  ,  ,  0"}),
         ok_t, 21, 7950, scritti, resta},

        // Speed restrictions at the edges of the grid.
        {"rallentamento piu corto di una cella", ok_l, cambia(ok_t, "80,  800", "80,   10"), 13, 540 * 50, scritti,
         sparisce},
        {"rallentamento oltre la griglia", ok_l, cambia(ok_t, "80,  800", "80,  900000"), 13, 540 * 50, scritti,
         sparisce},
        {"rallentamento di lunghezza massima", ok_l, cambia(ok_t, "80,  800", "80,  2147483647"), 13, 540 * 50,
         scritti, sparisce},
        {"rallentamento di lunghezza negativa", ok_l, cambia(ok_t, "80,  800", "80,  -2147483648"), 13, 540 * 50,
         scritti, sparisce},

        // Texts that do not fit the length field of the compiled file.
        {"nome di stazione di 1 MB", ok_l, cambia(ok_t, "Valle Chiara", std::string(1 << 20, 'n')), 25, {},
         scritti, sparisce},
        {"testo di cartello oltre 65535 byte", cambia(ok_l, "(Zona)(Cod )", std::string(65536, 't')), ok_t, 25, {},
         scritti, sparisce},
        {"testo di cartello di 65535 byte", cambia(ok_l, "(Zona)(Cod )", std::string(65535, 't')), ok_t, 0, {},
         scritti, sparisce},
    };
}

// ---------------------------------------------------------------------------
// The check of one row.

const char* const altro_file = "appunti_del_macchinista.txt";
const std::string altro_contenuto = "non toccare\r\n";

// An older compiled file: longer than anything a row writes but the largest plan.
std::string vecchio(const std::string& nome) { return "VECCHIO " + nome + std::string(300000, '#'); }


void controlla(const Caso& c) {
    SCOPED_TRACE(c.nome);
    TempDir dir;
    const FileScenario f{dir.path(), "Brunovale", "Quarzo"};
    const fs::path linea = file_linea_txt(f), treno = file_treno_txt(f);
    const fs::path compilati[] = {file_linea_dat(f), file_sim(f), file_griglia_dat(f)};
    // Written as the no-argument run writes them, which deletes them once read.
    DescrizioniProprie proprie;
    if (c.linea) proprie.scrivi(linea, *c.linea);
    if (c.treno) proprie.scrivi(treno, *c.treno);
    test::write_bytes(dir / altro_file, altro_contenuto);
    for (const fs::path& p : compilati) test::write_bytes(p, vecchio(p.filename().string()));

    bool segnalato = false;
    Compilazione risultato;
    try {
        OutputSet uscite;
        risultato = memorizza_percorso(f, c.piano, uscite, &proprie);
        uscite.commit();
    } catch (const ErroreSegnalato&) {
        segnalato = true;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "eccezione uscita dal compilatore: " << e.what();
        return;
    }

    EXPECT_FALSE(segnalato);
    const Scenario& s = risultato.scenario;
    EXPECT_EQ(numero(risultato.esito.codice), c.codice);
    // The grid, the plan and the scalars that size them agree.
    if (s.griglia_esiste()) {
        EXPECT_EQ(s.celle.size(), static_cast<std::size_t>(s.numero_celle) + 1);
        if (c.piano) {
            EXPECT_EQ(s.tabella_linea.righe, s.lunghezza_estesa + 1);
        }
    }
    EXPECT_EQ(risultato.esito.posizione_errore, c.posizione.value_or(posizione_intatta));

    // Nothing else lost: the other file, and the older compiled files unless
    // they were replaced whole by exactly the new tables.
    EXPECT_EQ(test::read_bytes(dir / altro_file), altro_contenuto);
    EXPECT_EQ(s.griglia_esiste(), c.compilati);
    const bool piano_scritto = c.compilati && c.piano;
    EXPECT_TRUE(test::read_bytes(compilati[0]) ==
                (piano_scritto ? codifica_tabella_linea(s.tabella_linea) : vecchio(compilati[0].filename().string())));
    EXPECT_TRUE(test::read_bytes(compilati[1]) ==
                (c.compilati ? codifica_voci(s.voci) : vecchio(compilati[1].filename().string())));
    EXPECT_TRUE(test::read_bytes(compilati[2]) ==
                (c.compilati ? codifica_griglia(s.celle) : vecchio(compilati[2].filename().string())));

    // The description files: the line file never stays; the train file stays
    // only after a stop in the line file, and then exactly as it was.
    EXPECT_FALSE(fs::exists(linea));
    EXPECT_EQ(fs::exists(treno), c.treno_resta);
    if (c.treno_resta && c.treno) {
        EXPECT_TRUE(test::read_bytes(treno) == *c.treno);
    }

    // check reads the same texts on past every error: its first error is the
    // compile's first, at the same place, and when the compile recorded one
    // code only, it is the outcome's.
    Descrizioni d{"Brunovale", "Quarzo", {}, {}, c.piano != 0, {}, {}};
    if (c.linea) d.linea = *c.linea;
    if (c.treno) d.treno = *c.treno;
    const Compilazione controllo = compila_descrizioni(d, true);
    // An error with no code (a train with no station) stops the authors'
    // compile only: the codes are the ones compared here.
    const auto primo_codice = [](const EsitoCompilazione& e) -> const Diagnostica* {
        for (const Diagnostica& x : e.diagnostiche)
            if (x.gravita == Gravita::errore && x.numero != 0) return &x;
        return nullptr;
    };
    const Diagnostica* primo = primo_codice(risultato.esito);
    ASSERT_EQ(primo == nullptr, c.codice == 0);
    if (primo) {
        ASSERT_NE(primo_codice(controllo.esito), nullptr);
        EXPECT_EQ(*primo_codice(controllo.esito), *primo);
        if (conta(risultato.esito, Gravita::errore) == 1) {
            EXPECT_EQ(primo->numero, c.codice);
        }
    } else {
        EXPECT_EQ(primo_codice(controllo.esito), nullptr);
    }

    std::set<std::string> attesi{altro_file};
    for (const fs::path& p : compilati) attesi.insert(p.filename().string());
    if (c.treno_resta) attesi.insert(treno.filename().string());
    EXPECT_EQ(test::file_names(dir.path()), attesi);
}

TEST(InputErrati, OgniRigaDaIlSuoCodiceESenzaPerditeDiFile) {
    for (const Caso& c : casi()) controlla(c);
}

// A description file that disappears after it was written and before the
// reader opens it: the built-in files, one of them deleted in between.
TEST(InputErrati, FileDiDescrizioneSparitoTraScritturaELettura) {
    struct Sparito {
        const char* nome;
        bool linea;  // which file disappears
        std::int32_t codice;
        bool compilati;
    };
    for (const Sparito& r : {Sparito{"sparisce la linea", true, 101, false},
                             Sparito{"sparisce il treno", false, 25, true}}) {
        SCOPED_TRACE(r.nome);
        TempDir dir;
        const FileScenario s{dir.path(), "Brunovale", "Quarzo"};
        DescrizioniProprie proprie;
        proprie.scrivi(file_linea_txt(s), componi_testo(righe_linea()));
        proprie.scrivi(file_treno_txt(s), componi_testo(righe_treno()));
        fs::remove(r.linea ? file_linea_txt(s) : file_treno_txt(s));

        Compilazione c;
        OutputSet uscite;
        EXPECT_NO_THROW(c = memorizza_percorso(s, false, uscite, &proprie));
        uscite.commit();
        EXPECT_EQ(numero(c.esito.codice), r.codice);
        EXPECT_EQ(c.esito.posizione_errore, posizione_intatta);
        EXPECT_EQ(c.scenario.griglia_esiste(), r.compilati);
        EXPECT_EQ(fs::exists(file_griglia_dat(s)), r.compilati);
        // The file that was still there is read and deleted, or left alone
        // when the reader never got to it.
        EXPECT_FALSE(fs::exists(file_linea_txt(s)));
        EXPECT_EQ(fs::exists(file_treno_txt(s)), r.linea);
    }
}

// ---------------------------------------------------------------------------
// The real program: output that cannot be written, and older outputs.


const char* const uscite[] = {"Brunovale_linea.dat",
                              "Brunovale_Quarzo.sim",
                              "Brunovale_Quarzo.dat",
                              "Brunovale_Quarzo_scheda_treno.txt",
                              "Brunovale_Quarzo_rallentamenti.txt",
                              "Brunovale_Quarzo_note.txt"};

class ProgrammaInCartella : public ::testing::Test {
protected:
    TempDir dir;
    fs::path exe;
    void SetUp() override {
        exe = dir / fs::path(COMPATTATORE_EXE).filename();
        fs::copy_file(COMPATTATORE_EXE, exe);
    }
};

// Older outputs, each longer than its new content (the plan file takes
// 6819964 bytes), are replaced whole: each output equals the one a run in an
// empty folder writes.
TEST_F(ProgrammaInCartella, UsciteVecchieEPiuLungheSonoSostituiteDelTutto) {
    TempDir pulita;
    fs::copy_file(exe, pulita / exe.filename());
    ASSERT_EQ(test::run_program(pulita / exe.filename()).status, 0);

    for (const char* nome : uscite) test::write_bytes(dir / nome, std::string(7000000, 'V'));
    test::write_bytes(dir / altro_file, altro_contenuto);
    const test::CommandResult esito = test::run_program(exe);
    ASSERT_EQ(esito.status, 0) << esito.output;
    for (const char* nome : uscite) {
        SCOPED_TRACE(nome);
        EXPECT_TRUE(test::read_bytes(dir / nome) == test::read_bytes(pulita / nome));
    }
    EXPECT_EQ(test::read_bytes(dir / altro_file), altro_contenuto);
    std::set<std::string> attesi{exe.filename().string(), ".compattatore.lock", altro_file};
    attesi.insert(std::begin(uscite), std::end(uscite));
    EXPECT_EQ(test::file_names(dir.path()), attesi);
}

// Output that cannot be written.  Tests run as root, where permission bits
// stop nothing; a file-size limit refuses the plan file (the first compiled
// file, 6.8 MB) the way a full or read-only disk would.  The run ends with
// the file's name and the reason, and the older outputs it did not get to
// replace survive whole, with no temporary file left.  (Windows has no such
// limit to set on a process.)
#ifndef _WIN32
TEST_F(ProgrammaInCartella, UscitaNonScrivibileLasciaIntattiIFileVecchi) {
    for (const char* nome : uscite) test::write_bytes(dir / nome, vecchio(nome));
    test::CommandOptions limitato;
    limitato.file_size_limit = 1024 * 1024;
    const test::CommandResult esito = test::run_program(exe, {}, limitato);
    EXPECT_EQ(esito.status, 2);
    EXPECT_EQ(esito.output,
              "Attendere\ncompattatore: " + test::argument(dir / "Brunovale_linea.dat") + ": file troppo grande\n");
    for (const char* nome : {"Brunovale_linea.dat", "Brunovale_Quarzo.sim", "Brunovale_Quarzo.dat"}) {
        SCOPED_TRACE(nome);
        EXPECT_TRUE(test::read_bytes(dir / nome) == vecchio(nome));
    }
    std::set<std::string> attesi{exe.filename().string(), ".compattatore.lock"};
    attesi.insert(std::begin(uscite), std::end(uscite));
    EXPECT_EQ(test::file_names(dir.path()), attesi);
}
#endif

// A folder that is a regular file: `sources` cannot make it, says so with
// its name and the reason, and the file standing in the folder's place is
// not touched.
TEST_F(ProgrammaInCartella, CartellaCheEUnFile) {
    test::write_bytes(dir / "cartella", altro_contenuto);
    const test::CommandResult esito = test::run_program(exe, {"sources", test::argument(dir / "cartella")});
    EXPECT_EQ(esito.status, 2);
    EXPECT_EQ(esito.output, "compattatore: " + test::argument(dir / "cartella") + ": " + test::reason_not_a_folder() + "\n");
    EXPECT_EQ(test::read_bytes(dir / "cartella"), altro_contenuto);
}

}  // namespace
}  // namespace compattatore
