// The authors' workflow, replayed from the description texts to the exact
// report: each mistake a new author made with the built-in files, the ones
// that went wrong before (lost work, wrong places, vague causes, silence) and
// the ones that were already right.
//
// Every case runs the command line in a fresh folder holding the built-in
// description files, edited, beside older compiled files: a compile that
// fails leaves those exactly as they were and writes nothing, one that
// succeeds replaces them; the description files are never touched.  The
// folder shows as DIR in the expected reports.
#include <functional>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "app/riga_di_comando.h"
#include "sources/descrizioni.h"
#include "support/builtin_warnings.h"
#include "support/bytes.h"
#include "support/esecuzione.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

// The one line of `righe` whose first fields are `campi`, blanks around a
// field ignored: a case edits the record it names, whichever line holds it.
std::string& record(std::vector<std::string>& righe, std::initializer_list<std::string_view> campi) {
    auto spoglia = [](std::string_view v) {
        const std::size_t a = v.find_first_not_of(" \t"), b = v.find_last_not_of(" \t");
        return a == std::string_view::npos ? std::string_view() : v.substr(a, b - a + 1);
    };
    std::string* trovata = nullptr;
    for (std::string& r : righe) {
        std::string_view resto = r;
        bool uguale = true;
        for (std::string_view c : campi) {
            const std::size_t virgola = resto.find(',');
            uguale = uguale && spoglia(resto.substr(0, virgola)) == c;
            resto = virgola == std::string_view::npos ? std::string_view() : resto.substr(virgola + 1);
        }
        if (!uguale) continue;
        if (trovata) throw std::logic_error("record ripetuto: " + r);
        trovata = &r;
    }
    if (!trovata) throw std::logic_error("record non trovato: " + std::string(*campi.begin()));
    return *trovata;
}

// The two description texts, line by line; a record is found by its first fields.
struct Sorgenti {
    std::vector<std::string> linea, treno;
    std::string& l(std::initializer_list<std::string_view> campi) { return record(linea, campi); }
    std::string& t(std::initializer_list<std::string_view> campi) { return record(treno, campi); }
    void dopo_l(std::initializer_list<std::string_view> campi, const std::string& r) { dopo(linea, campi, r); }
    void dopo_t(std::initializer_list<std::string_view> campi, const std::string& r) { dopo(treno, campi, r); }

private:
    static void dopo(std::vector<std::string>& righe, std::initializer_list<std::string_view> campi,
                     const std::string& r) {
        righe.insert(righe.begin() + (&record(righe, campi) - righe.data()) + 1, r);
    }
};

Sorgenti integrati() {
    Sorgenti s;
    for (std::string_view r : righe_linea()) s.linea.emplace_back(r);
    for (std::string_view r : righe_treno()) s.treno.emplace_back(r);
    return s;
}

std::string unisci(const std::vector<std::string>& righe, const std::string& fine_riga = "\r\n") {
    std::string t;
    for (const std::string& r : righe) t += r + fine_riga;
    return t;
}

// The lines of a text, without their line ends.
std::vector<std::string> righe(const std::string& testo) {
    std::vector<std::string> r;
    std::istringstream in(testo);
    for (std::string riga; std::getline(in, riga);) {
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        r.push_back(riga);
    }
    return r;
}

using test::Esecuzione;

// Runs the program's command line with `argomenti` after the program's name;
// "DIR" stands for `cartella` in the arguments and in the reports.
Esecuzione esegui(const fs::path& cartella, std::vector<std::string> argomenti) {
    const std::string dir = cartella.string();
    for (std::string& a : argomenti)
        if (a == "DIR") a = dir;
    Esecuzione e = test::esegui(std::move(argomenti));
    // The folder's own separator (a backslash on Windows) shows as "/".
    const std::string dir_e_separatore = dir + static_cast<char>(fs::path::preferred_separator);
    auto rimpiazza = [&](std::string t) {
        for (const auto& [da, a] : {std::pair{dir_e_separatore, std::string("DIR/")}, std::pair{dir, std::string("DIR")}})
            for (std::size_t i = t.find(da); i != std::string::npos; i = t.find(da, i + a.size())) t.replace(i, da.size(), a);
        return t;
    };
    return {e.stato, rimpiazza(e.out), rimpiazza(e.err)};
}

// What a compile writes: the compiled files and the driver's documents.
const char* const compilati[] = {"Brunovale_linea.dat", "Brunovale_Quarzo.sim", "Brunovale_Quarzo.dat",
                                 "Brunovale_Quarzo_scheda_treno.txt", "Brunovale_Quarzo_rallentamenti.txt"};
std::string vecchio(const char* nome) { return std::string("VECCHIO ") + nome; }

struct Caso {
    const char* nome;
    std::function<void(Sorgenti&)> modifica;
    std::vector<std::string> argomenti;
    int stato;
    std::string err;
};

// A slip in the built-in files, and the report.
void controlla(const Caso& c) {
    SCOPED_TRACE(c.nome);
    test::TempDir dir;
    Sorgenti s = integrati();
    c.modifica(s);
    const std::string linea = unisci(s.linea), treno = unisci(s.treno);
    test::write_bytes(dir / "Brunovale_linea.txt", linea);
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", treno);
    for (const char* n : compilati) test::write_bytes(dir / n, vecchio(n));

    const Esecuzione e = esegui(dir.path(), c.argomenti);
    EXPECT_EQ(e.stato, c.stato);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, c.err);

    // The author's files are kept; the compiled ones change only after a success.
    EXPECT_TRUE(test::read_bytes(dir / "Brunovale_linea.txt") == linea);
    EXPECT_TRUE(test::read_bytes(dir / "Brunovale_Quarzo-.txt") == treno);
    for (const char* n : compilati)
        EXPECT_EQ(test::read_bytes(dir / n) == vecchio(n), c.stato != 0 || c.argomenti.at(0) == "check") << n;
    // Both leave the folder's lock file, and check nothing else.
    std::set<std::string> attesi = {".compattatore.lock", "Brunovale_linea.txt", "Brunovale_Quarzo-.txt"};
    attesi.insert(std::begin(compilati), std::end(compilati));
    EXPECT_EQ(test::file_names(dir.path()), attesi);
}

// The warning the built-in files draw, as the guide lists it: a report on
// them holds it wherever the reading meets its line.  A literal, to stand
// among the literals of the cases; the first case checks it against the list.
#define AVVISO_INTEGRATO                                                                                           \
    "DIR/Brunovale_linea.txt:186:23: avviso: numero 5 in più dopo i campi del record \"pendenza\": è ignorato "    \
    "[campo-in-piu]\n"                                                                                             \
    "    pendenza,  1250,   -4,5\n"                                                                                \
    "                          ^\n"                                                                                \
    "    la virgola separa i campi, non i decimali: \"-4,5\" è letto -4 seguito da un campo in più\n"              \
    "    i valori sono numeri interi, senza decimali: scrivi -4 o -5\n"

const std::vector<std::string> compile = {"compile", "DIR"};
const std::vector<std::string> check = {"check", "DIR"};

// The cases the issue lists, as an author meets them: the places and causes
// that were wrong, and the report that was already right.
TEST(Autori, GliErroriNelPostoGiusto) {
    ASSERT_EQ(AVVISO_INTEGRATO, test::builtin_warnings_text("DIR/Brunovale_linea.txt"));
    const std::vector<Caso> casi = {
        {"nessun errore", [](Sorgenti&) {}, compile, 0, AVVISO_INTEGRATO
         "codice 0: nessun errore, 1 avviso\n"},
        // Was reported at line 47, the next speed record.
        {"velocita 1300 alla riga 46", [](Sorgenti& s) { s.t({"velocita", "1000"}) = "velocita,    1000,   1300"; }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:46:22: errore: codice 25: limite di velocità oltre il campo della cella\n"
         "    velocita,    1000,   1300\n"
         "                         ^~~~\n"
         "    il limite di velocità va da 0 a 1277 km/h: il suo quinto, arrotondato, sta in un byte\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // Stopped at the first error: a failed compile lists every problem, as check does.
        {"compile fallito con due errori",
         [](Sorgenti& s) {
             s.t({"velocita", "1000"}) = "velocita,    1000,   1300";
             std::string& acquaserena = s.t({"stazione", "68700"});
             acquaserena.replace(acquaserena.find("68700"), 5, "68730");
         },
         compile, 1,
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:46:22: errore: codice 25: limite di velocità oltre il campo della cella\n"
         "    velocita,    1000,   1300\n"
         "                         ^~~~\n"
         "    il limite di velocità va da 0 a 1277 km/h: il suo quinto, arrotondato, sta in un byte\n"
         "DIR/Brunovale_Quarzo-.txt:101:13: errore: codice 8: posizione della stazione non multipla di 50 (posizione 68730 m)\n"
         "    stazione,   68730,  4,  500,  1, 0, 0,  4,0,0,  3,1,0,    0,   0, 0, 0, Acquaserena\n"
         "                ^~~~~\n"
         "    campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50\n"
         "    la posizione va su un multiplo di 50 m\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // A station out of order: the note named no station.
        {"stazione fuori ordine",
         [](Sorgenti& s) {
             std::string& fontegrana = s.t({"stazione", "12100"});
             fontegrana.replace(fontegrana.find("12100"), 5, " 7800");
         },
         compile, 1,
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:92:14: errore: codice 22: stazione a meno di 350 m dalla fine della precedente (posizione 7800 m)\n"
         "    stazione,    7800,  2,  300,  0, 0, 0,  0,1,0,  1,0,0,    0,   0, 0, 0, Fontegrana\n"
         "                 ^~~~\n"
         "    campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50\n"
         "    la stazione comincia a 7650 m, la precedente, Pieve Tornasco, finisce a 7800 m\n"
         "DIR/Brunovale_Quarzo-.txt:145:13: errore: codice 16: segnale su una cella occupata (posizione 7850 m)\n"
         "    segnale,    7850,   2, 2, 1,  1, 0,    1,  1,0,0, 0\n"
         "                ^~~~\n"
         "    campo 1 di 11: posizione, in m, da 0 a 1000000\n"
         "    la cella 158 contiene già la fermata di una stazione (DIR/Brunovale_Quarzo-.txt:92)\n"
         "compilazione non riuscita (codice 22): i file compilati non sono stati toccati\n"},
        // Was blamed on the train's restriction at line 136, at 123150 m.
        {"pendenza oltre la griglia", [](Sorgenti& s) { s.dopo_l({"pendenza", "317750"}, "pendenza,  345000,   3"); }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:436:12: errore: codice 15: posizione oltre la fine della griglia (posizione 345000 m)\n"
         "    pendenza,  345000,   3\n"
         "               ^~~~~~\n"
         "    campo 1 di 2: posizione, in m, da 0 a 1000000\n"
         "    l'ultima posizione accettata è 340900 m: la lunghezza del percorso più 7000 m, meno 100\n"
         "    la lettura del treno si è fermata per questo codice al record di DIR/Brunovale_Quarzo-.txt:136\n"
         "compilazione non riuscita (codice 15): i file compilati non sono stati toccati\n"},
        {"cartello a 2147483647 m", [](Sorgenti& s) { s.dopo_l({"cartello_indicatore", "330750"}, "cartello_indicatore,  2147483647,   (Fine)"); },
         compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:537:23: errore: codice 15: posizione oltre la fine della griglia (posizione 2147483647 m)\n"
         "    cartello_indicatore,  2147483647,   (Fine)\n"
         "                          ^~~~~~~~~~\n"
         "    campo 1 di 2: posizione, in m, da 0 a 1000000\n"
         "    l'ultima posizione accettata è 340900 m: la lunghezza del percorso più 7000 m, meno 100\n"
         "    la lettura del treno si è fermata per questo codice al record di DIR/Brunovale_Quarzo-.txt:136\n"
         "compilazione non riuscita (codice 15): i file compilati non sono stati toccati\n"},
        // Codes 2, 24, 102 and 25 before the length carried no place; 101 and a
        // missing train file no path.
        {"progressiva fuori passo",
         [](Sorgenti& s) { s.l({"progressiva chilometrica uno"}) = "progressiva chilometrica uno,    31125,    3050,    0"; }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:3:34: errore: codice 2: progressiva chilometrica con posizione o valore non multiplo di 50\n"
         "    progressiva chilometrica uno,    31125,    3050,    0\n"
         "                                     ^~~~~\n"
         "    la posizione e lo scostamento di una progressiva vanno su multipli di 50 m\n"
         "compilazione non riuscita (codice 2): i file compilati non sono stati toccati\n"},
        {"fermata nei primi 100 m",
         [](Sorgenti& s) {
             s.t({"stazione", "0"}) = "stazione,       0, 22,  200,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Brunovale Centrale";
         },
         compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:89:17: errore: codice 24: fermata della stazione entro i primi 100 m del percorso\n"
         "    stazione,       0, 22,  200,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Brunovale Centrale\n"
         "                    ^\n"
         "    campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50\n"
         "    la stazione finisce a 100 m: deve finire oltre i 100 m\n"
         "compilazione non riuscita (codice 24): i file compilati non sono stati toccati\n"},
        {"senza [generale] nella linea", [](Sorgenti& s) { s.l({"[generale]"}) = "[generico]"; }, compile, 1, 
         "DIR/Brunovale_linea.txt: errore: codice 102: manca \"[generale]\" nel file della linea\n"
         "    il file comincia con una riga \"[generale]\", seguita dalle chiavi generali\n"
         "compilazione non riuscita (codice 102): i file compilati non sono stati toccati\n"},
        {"senza lunghezza del percorso", [](Sorgenti& s) { s.l({"lunghezza percorso"}) = "-- lunghezza tolta"; }, compile, 1, 
         "DIR/Brunovale_linea.txt:1:1: errore: codice 25: manca \"lunghezza percorso\" nella sezione [generale]\n"
         "    [generale]\n"
         "    ^~~~~~~~~~\n"
         "    la lunghezza del percorso dimensiona la griglia e il tracciato\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        {"record prima della lunghezza", [](Sorgenti& s) { s.l({"lunghezza percorso"}) = "-- lunghezza tolta"; },
         {"compile", "DIR", "--no-plan"}, 1, 
         "DIR/Brunovale_linea.txt:185:1: errore: codice 25: record prima della lunghezza del percorso\n"
         "    pendenza,  0,   0\n"
         "    ^~~~~~~~\n"
         "    la griglia nasce da \"lunghezza percorso\" nella sezione [generale]: senza di essa nessun record ha un posto\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // The missing line and train files both list the scenarios the folder holds.
        {"file della linea mancante", [](Sorgenti&) {}, {"compile", "DIR", "--linea", "Valdorso", "--treno", "Quarzo"}, 1,
         "DIR/Valdorso_linea.txt: errore: codice 101: file della linea non trovato\n"
         "    la cartella contiene: --linea Brunovale --treno Quarzo\n"
         "compilazione non riuscita (codice 101): i file compilati non sono stati toccati\n"},
        {"file del treno mancante", [](Sorgenti&) {}, {"compile", "DIR", "--linea", "Brunovale", "--treno", "Merlo"}, 1,
         AVVISO_INTEGRATO
         "DIR/Brunovale_Merlo-.txt: errore: codice 25: file del treno non trovato\n"
         "    il file del treno si chiama come la linea e il treno: LINEA_TRENO-.txt\n"
         "    la cartella contiene: --linea Brunovale --treno Quarzo\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // The caret stood under the keyword.
        {"numero del treno troppo lungo", [](Sorgenti& s) { s.dopo_t({"[generale]"}, "numero treno,    K2701234"); },
         compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:2:18: errore: codice 25: numero del treno oltre 6 caratteri\n"
         "    numero treno,    K2701234\n"
         "                     ^~~~~~~~\n"
         "    campo 1 di 1: numero, al più 6 caratteri\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // Code 25 says which cause it is.
        {"numero troppo grande", [](Sorgenti& s) { s.t({"sabbia"}) = "sabbia,    99999"; }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:4:12: errore: codice 25: numero troppo grande per il suo campo\n"
         "    sabbia,    99999\n"
         "               ^~~~~\n"
         "    campo 1 di 1: sabbia, da -32768 a 32767\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        {"testo dove va un numero",
         [](Sorgenti& s) { s.t({"segnale", "1050"}) = "segnale,\t1050x,   2, 4, 1,  1, 0,    2,  2,1,1, 0"; }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:139:10: errore: codice 25: \"1050x\" non è un numero\n"
         "    segnale,\\t1050x,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
         "              ^~~~~\n"
         "    campo 1 di 11: posizione, in m, da 0 a 1000000\n"
         "    qui va un numero intero, senza decimali (un campo vuoto vale 0)\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // A record short of fields was blamed on the next line, which it swallowed.
        {"rallentamento senza tre campi", [](Sorgenti& s) { s.t({"rallentamento", "123150"}) = "rallentamento,  28000,    60,  600"; }, compile,
         1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:136:35: errore: codice 25: mancano 3 campi del record \"rallentamento\": valore agli estremi, preavvisi, seconda velocità\n"
         "    rallentamento,  28000,    60,  600\n"
         "                                      ^\n"
         "    un record sta tutto su una riga: \"rallentamento\" ha 6 campi, questa riga ne ha 3\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        {"due segnali senza il tempo",
         [](Sorgenti& s) {
             s.t({"segnale", "1050"}) = "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1";
             s.t({"segnale", "2050"}) = "segnale,    1250,   0, 4, 0,  0, 0,    2,  2,0,0";
         },
         check, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:139:49: errore: codice 25: manca il campo \"tempo\" del record \"segnale\"\n"
         "    segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1\n"
         "                                                    ^\n"
         "    un record sta tutto su una riga: \"segnale\" ha 11 campi, questa riga ne ha 10\n"
         "DIR/Brunovale_Quarzo-.txt:140:49: errore: codice 25: manca il campo \"tempo\" del record \"segnale\"\n"
         "    segnale,    1250,   0, 4, 0,  0, 0,    2,  2,0,0\n"
         "                                                    ^\n"
         "    un record sta tutto su una riga: \"segnale\" ha 11 campi, questa riga ne ha 10\n"
         "2 errori, 1 avviso\n"},
        // An empty train, or one that lost its first line, replaced the last good build.
        {"treno vuoto", [](Sorgenti& s) { s.treno.clear(); }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt: errore: manca \"[generale]\" nel file del treno: nessun record è letto\n"
         "    i record del treno seguono una riga \"[generale]\"\n"
         "compilazione non riuscita (1 errore): i file compilati non sono stati toccati\n"},
        {"treno senza la prima riga", [](Sorgenti& s) { s.treno.erase(s.treno.begin()); }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt: errore: manca \"[generale]\" nel file del treno: nessun record è letto\n"
         "    i record del treno seguono una riga \"[generale]\"\n"
         "compilazione non riuscita (1 errore): i file compilati non sono stati toccati\n"},
        {"treno senza stazioni",
         [](Sorgenti& s) {
             std::erase_if(s.treno, [](const std::string& r) { return r.rfind("stazione,", 0) == 0; });
         },
         compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt: errore: il treno non ha nessuna stazione\n"
         "    le stazioni sono i record \"stazione\"; il primo è la partenza del treno\n"
         "compilazione non riuscita (1 errore): i file compilati non sono stati toccati\n"},
        {"file finito dentro un record",
         [](Sorgenti& s) {
             s.treno.resize(395);
             s.treno.back() = "abbattimento,  327450";
         },
         compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:395:22: errore: codice 25: manca il campo \"codice\" del record \"abbattimento\"\n"
         "    abbattimento,  327450\n"
         "                         ^\n"
         "    un record sta tutto su una riga: \"abbattimento\" ha 2 campi, questa riga ne ha 1\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        {"testo troppo lungo",
         [](Sorgenti& s) { s.l({"cartello_indicatore", "7950"}) = "cartello_indicatore,  7950,   " + std::string(70000, 'Z'); }, compile, 1,
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:518:31: errore: codice 25: testo troppo lungo\n"
         "    cartello_indicatore,  7950,   ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ...\n"
         "                                  ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
         "    campo 2 di 2: testo, al più 65535 caratteri\n"
         "    un testo ha al più 65535 byte; questo ne ha 70000\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // A control byte in the record is shown escaped.
        {"byte di controllo", [](Sorgenti& s) { s.t({"segnale", "1050"}) += "\x07"; }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:139:51: errore: codice 25: \"0\\x07\" non è un numero\n"
         "    segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\\x07\n"
         "                                                      ^~~~~\n"
         "    campo 11 di 11: tempo, da 0 a 255\n"
         "    qui va un numero intero, senza decimali (un campo vuoto vale 0)\n"
         "compilazione non riuscita (codice 25): i file compilati non sono stati toccati\n"},
        // A code of the finishing pass names the cell and the restriction it
        // concerns, not the record the reader met last.
        {"codice della finitura",
         [](Sorgenti& s) {
             for (const char* p : {"122900", "122850", "122800"})
                 s.dopo_t({"[segnali]"}, std::string("segnale,  ") + p + ",   2, 4, 0,  0, 0,    0,  0,0,0, 0");
         },
         compile, 1,
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:136:17: errore: codice 12: gruppo di codici prima di un inizio di rallentamento senza cella libera (posizione 123200 m)\n"
         "    rallentamento,  123150,    80,  800, 0,  1,  80\n"
         "                    ^~~~~~\n"
         "    i codici vanno in una cella libera fra 5 e 7, fra 11 e 13 e fra 18 e 20 celle prima dell'inizio del rallentamento, nella cella 2464\n"
         "compilazione non riuscita (codice 12): i file compilati non sono stati toccati\n"},
        // Already right: a signal on an occupied cell, now with what holds it.
        {"segnale su una cella occupata",
         [](Sorgenti& s) { s.t({"segnale", "2050"}) = "segnale,    1050,   2, 3, 0,  0, 0,    0,  0,0,0, 0"; }, compile, 1, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:140:13: errore: codice 16: segnale su una cella occupata (posizione 1050 m)\n"
         "    segnale,    1050,   2, 3, 0,  0, 0,    0,  0,0,0, 0\n"
         "                ^~~~\n"
         "    campo 1 di 11: posizione, in m, da 0 a 1000000\n"
         "    la cella 22 contiene già un segnale (DIR/Brunovale_Quarzo-.txt:139)\n"
         "compilazione non riuscita (codice 16): i file compilati non sono stati toccati\n"},
    };
    for (const Caso& c : casi) controlla(c);
}

// The mistakes that compiled with code 0 and no word: now each is a warning,
// which compile prints too, and which fails it only when asked.
TEST(Autori, OgniSilenzioEUnAvviso) {
    const std::vector<Caso> casi = {
        // Were silent: a time going back, a time no train could keep, a limit
        // above every board, a margin at no station, two references at one point.
        {"orari, limiti, recuperi e progressive",
         [](Sorgenti& s) {
             s.l({"progressiva chilometrica due"}) = "progressiva chilometrica due,    31100,    -284500,    0";
             std::string& pratoleone = s.t({"stazione", "49300"});
             pratoleone.replace(pratoleone.find("16,46,30"), 8, "16,10,00");
             std::string& pianfosco = s.t({"stazione", "101300"});
             pianfosco.replace(pianfosco.find("17,13,30"), 8, "16,20,00");
             s.t({"velocita", "60500"}) = "velocita,   60500,   200";
             s.dopo_t({"[stazioni]"}, "recupero,  1000,  1");
         },
         check, 0,
         "DIR/Brunovale_linea.txt:4:34: avviso: progressiva chilometrica che comincia a 31100 m come quella della riga 3 [progressive-stesso-inizio]\n"
         "    progressiva chilometrica due,    31100,    -284500,    0\n"
         "                                     ^~~~~\n"
         "    ogni progressiva vale dal suo inizio a quello della seguente: con lo stesso inizio una delle due non vale per nessun tratto\n"
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:99:63: avviso: orario 16.10 prima di quello della stazione precedente con orario, Brunovale Centrale alle 16.14.30 [orario-all-indietro]\n"
         "    stazione,   49300, 12,  600,  1, 1, 0,  4,1,0,  4,1,1,   60,  16,10,00, Pratoleone\n"
         "                                                                  ^~\n"
         "    gli orari vanno in ordine di marcia; dopo la mezzanotte le ore continuano da 24 a 47\n"
         "DIR/Brunovale_Quarzo-.txt:107:63: avviso: da Pratoleone alle 16.10 a Pianfosco alle 16.20 l'orario dà 00.10 per 52000 m: ai limiti di velocità del treno ne servono almeno 00.20.20 [orario-impossibile]\n"
         "    stazione,  101300, 12,  600,  1, 1, 0,  4,1,0,  5,1,1,   99,  16,20,00, Pianfosco\n"
         "                                                                  ^~\n"
         "    00.20.20 è il tempo di corsa a ogni limite del treno (record \"velocita\"), senza avviamento, frenatura né fermate\n"
         "DIR/Brunovale_Quarzo-.txt:55:22: avviso: limite del treno di 200 km/h, sopra ogni cartello della linea: il più alto dà 170 km/h [limite-oltre-cartelli]\n"
         "    velocita,   60500,   200\n"
         "                         ^~~\n"
         "    il cartello più alto è a 134000 m (DIR/Brunovale_linea.txt:480); un limite sopra ogni rango non vale in nessun punto\n"
         "DIR/Brunovale_Quarzo-.txt:89:12: avviso: recupero a 1000 m, dove non sta nessuna stazione [recupero-senza-stazione]\n"
         "    recupero,  1000,  1\n"
         "               ^~~~\n"
         "    il recupero va alla posizione di una stazione, e la scheda orario lo mostra sulla sua riga: questo non compare\n"
         "0 errori, 6 avvisi\n"},
        // Were read as 8 and 110 without a word.
        {"numeri in piu dopo un record",
         [](Sorgenti& s) {
             s.l({"pendenza", "8700"}) = "pendenza,  8700,   8,7";
             s.t({"velocita", "8600"}) = "velocita,    8600,   110,  5";
         },
         check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:192:22: avviso: numero 7 in più dopo i campi del record \"pendenza\": è ignorato [campo-in-piu]\n"
         "    pendenza,  8700,   8,7\n"
         "                         ^\n"
         "    la virgola separa i campi, non i decimali: \"8,7\" è letto 8 seguito da un campo in più\n"
         "    i valori sono numeri interi, senza decimali: scrivi 8 o 9\n"
         "DIR/Brunovale_Quarzo-.txt:48:28: avviso: numero 5 in più dopo i campi del record \"velocita\": è ignorato [campo-in-piu]\n"
         "    velocita,    8600,   110,  5\n"
         "                               ^\n"
         "    \"velocita\" ha 2 campi: quelli dopo sono ignorati\n"
         "0 errori, 3 avvisi\n"},
        {"parole chiave sbagliate",
         [](Sorgenti& s) {
             s.l({"pendenza", "1250"}) = "pendneza,  1250,   -4,5";
             s.t({"stazione", "3900"}).replace(0, 8, "stazone");
             s.t({"segnale", "1050"}).replace(0, 7, "segnlae");
         },
         check, 0, 
         "DIR/Brunovale_linea.txt:186:1: avviso: parola chiave sconosciuta \"pendneza\": la riga è ignorata [parola-chiave-sconosciuta]\n"
         "    pendneza,  1250,   -4,5\n"
         "    ^~~~~~~~\n"
         "    forse intendevi `pendenza`?\n"
         "DIR/Brunovale_Quarzo-.txt:90:1: avviso: parola chiave sconosciuta \"stazone\": la riga è ignorata [parola-chiave-sconosciuta]\n"
         "    stazone,    3900, 22,  400,  0, 0, 1,  1,0,0,  1,0,1,    0,   0, 0, 0, Selvarossa\n"
         "    ^~~~~~~\n"
         "    forse intendevi `stazione`?\n"
         "DIR/Brunovale_Quarzo-.txt:139:1: avviso: parola chiave sconosciuta \"segnlae\": la riga è ignorata [parola-chiave-sconosciuta]\n"
         "    segnlae,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
         "    ^~~~~~~\n"
         "    forse intendevi `segnale`?\n"
         "0 errori, 3 avvisi\n"},
        {"righe fuori ordine", [](Sorgenti& s) { std::swap(s.l({"pendenza", "2050"}), s.l({"pendenza", "3500"})); }, check, 0, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:188:12: avviso: riga \"pendenza\" a 2050 m dopo una a 3500 m [righe-fuori-ordine]\n"
         "    pendenza,  2050,   -2\n"
         "               ^~~~\n"
         "    campo 1 di 2: posizione, in m, da 0 a 1000000\n"
         "    queste righe vanno in ordine crescente di posizione: in disordine cambiano il tratto a cui ciascuna si applica\n"
         "0 errori, 2 avvisi\n"},
        {"posizione e lunghezza negative",
         [](Sorgenti& s) {
             s.t({"rallentamento", "123150"}) = "rallentamento,  123150,    80,  -800, 0,  1,  80";
             s.t({"segnale", "1050"}) = "segnale,   -1000,   2, 4, 1,  1, 0,    2,  2,1,1, 0";
         },
         check, 0, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:136:33: avviso: rallentamento di lunghezza negativa (-800 m) [lunghezza-negativa]\n"
         "    rallentamento,  123150,    80,  -800, 0,  1,  80\n"
         "                                    ^~~~\n"
         "    campo 3 di 6: lunghezza, in m, da 0 a 1000000\n"
         "DIR/Brunovale_Quarzo-.txt:139:12: avviso: posizione negativa (-1000 m) [posizione-negativa]\n"
         "    segnale,   -1000,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
         "               ^~~~~\n"
         "    campo 1 di 11: posizione, in m, da 0 a 1000000\n"
         "    il percorso comincia a 0 m\n"
         "0 errori, 3 avvisi\n"},
        {"valori oltre il campo",
         [](Sorgenti& s) {
             s.l({"pendenza", "5450"}) = "pendenza,  5000,   200";
             s.t({"aderenza", "11450"}) = "aderenza,   11450,    300";
         },
         check, 0, 
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:190:20: avviso: pendenza 200 fuori dal campo: nel file compilato diventa -56 [valore-troncato]\n"
         "    pendenza,  5000,   200\n"
         "                       ^~~\n"
         "    campo 2 di 2: pendenza, in ‰, da -100 a 155\n"
         "DIR/Brunovale_Quarzo-.txt:11:23: avviso: aderenza 300 fuori dal campo: nel file compilato diventa 44 [valore-troncato]\n"
         "    aderenza,   11450,    300\n"
         "                          ^~~\n"
         "    campo 2 di 2: aderenza, da 0 a 255\n"
         "0 errori, 3 avvisi\n"},
        // A file saved in Windows-1252 that holds a name in UTF-8 too.
        {"nome in UTF-8 in un file Windows-1252",
         [](Sorgenti& s) {
             s.t({"stazione", "3900"}).replace(s.t({"stazione", "3900"}).find("Selvarossa"), 10, "Citt\xC3\xA0 Alta");
             s.t({"stazione", "7600"}).replace(s.t({"stazione", "7600"}).find("Pieve"), 5, "Pi\xE8ve");
         },
         check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:90:73: avviso: il nome della stazione è scritto in UTF-8: il simulatore ne mostra ogni byte come una lettera [testo-utf8]\n"
         "    stazione,    3900, 22,  400,  0, 0, 1,  1,0,0,  1,0,1,    0,   0, 0, 0, Città Alta\n"
         "                                                                            ^~~~~~~~~~\n"
         "    campo 17 di 17: nome, al più 65535 caratteri\n"
         "    salva il file nella codifica Windows-1252 (Europa occidentale), una lettera per byte\n"
         "0 errori, 2 avvisi\n"},
        {"virgola nel testo", [](Sorgenti& s) { s.l({"cartello_indicatore", "7950"}) = "cartello_indicatore,  7950,   (Zona), (Cod )"; }, check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:518:31: avviso: il testo del cartello finisce alla virgola: il resto della riga è ignorato [virgola-nel-testo]\n"
         "    cartello_indicatore,  7950,   (Zona), (Cod )\n"
         "                                  ^~~~~~\n"
         "    campo 2 di 2: testo, al più 65535 caratteri\n"
         "    un testo non può contenere virgole; il testo letto è \"(Zona)\"\n"
         "0 errori, 2 avvisi\n"},
        {"fermata su un cartello", [](Sorgenti& s) { s.dopo_l({"[indicazioni]"}, "cartello_indicatore,  4050,   (Prova)"); }, check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_Quarzo-.txt:90:14: avviso: la fermata della stazione prende la cella 82, che conteneva un cartello indicatore (DIR/Brunovale_linea.txt:518) [fermata-su-elemento]\n"
         "    stazione,    3900, 22,  400,  0, 0, 1,  1,0,0,  1,0,1,    0,   0, 0, 0, Selvarossa\n"
         "                 ^~~~\n"
         "    campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50\n"
         "    quell'elemento sparisce dal file compilato\n"
         "0 errori, 2 avvisi\n"},
        {"strisce prima di un aumento",
         [](Sorgenti& s) { s.l({"indicatori_vmax", "117600"}) = "indicatori_vmax,  117600,  140,  145,  150,  1,  140,  145,  150,  1"; }, check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:478:19: avviso: cartelli con strisce che non annunciano una riduzione: a sinistra 140/145/150 km/h dove vale già 140/145/150 km/h, a destra 140/145/150 km/h dove vale già 140/145/150 km/h [annuncio-prima-di-aumento]\n"
         "    indicatori_vmax,  117600,  140,  145,  150,  1,  140,  145,  150,  1\n"
         "                      ^~~~~~\n"
         "    campo 1 di 9: posizione, in m, da 0 a 1000000\n"
         "    le strisce (2, 1, 0) annunciano una riduzione di velocità; un aumento si segna con un solo cartello senza strisce\n"
         "0 errori, 2 avvisi\n"},
        // A slipped digit, a sign past the end of the line, a name the card cuts.
        {"velocita, fine della linea e nome lungo",
         [](Sorgenti& s) {
             s.dopo_l({"cartello_indicatore", "330750"}, "cartello_indicatore,  336000,   (Fine)");
             s.t({"velocita", "1000"}) = "velocita,    1000,   800";
             std::string& selvarossa = s.t({"stazione", "3900"});
             selvarossa.replace(selvarossa.find("Selvarossa"), 10, "Selvarossa di Sopra e di Sotto");
         },
         check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:537:23: avviso: cartello_indicatore a 336000 m, oltre la fine della linea a 334000 m [oltre-fine-linea]\n"
         "    cartello_indicatore,  336000,   (Fine)\n"
         "                          ^~~~~~\n"
         "    campo 1 di 2: posizione, in m, da 0 a 1000000\n"
         "    la griglia va 7000 m oltre la lunghezza del percorso, ma la linea finisce a 334000 m\n"
         "DIR/Brunovale_Quarzo-.txt:46:22: avviso: velocità di 800 km/h, oltre i 300 km/h della linea più veloce [velocita-implausibile]\n"
         "    velocita,    1000,   800\n"
         "                         ^~~\n"
         "    campo 2 di 2: limite, in km/h, da 0 a 1275, multiplo di 5\n"
         "    una cifra di troppo? i limiti si scrivono in km/h\n"
         "DIR/Brunovale_Quarzo-.txt:90:73: avviso: nome di 30 caratteri: la scheda orario ne mostra 28 [nome-troppo-lungo]\n"
         "    ... 0, 1,  1,0,0,  1,0,1,    0,   0, 0, 0, Selvarossa di Sopra e di Sotto\n"
         "                                               ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
         "    campo 17 di 17: nome, al più 65535 caratteri\n"
         "    sulla scheda il nome diventa \"Selvarossa di Sopra e di So.\"\n"
         "0 errori, 4 avvisi\n"},
        // Was told as "tipo di montagna 290".
        {"tipo di montagna come scritto",
         [](Sorgenti& s) { s.l({"montagna", "8750"}) = "montagna,   8750,  11150,  300"; }, check, 0,
         AVVISO_INTEGRATO
         "DIR/Brunovale_linea.txt:437:28: avviso: tipo di montagna 300 meno 10, cioè 290 fuori dal campo: nel file compilato diventa 34 [valore-troncato]\n"
         "    montagna,   8750,  11150,  300\n"
         "                               ^~~\n"
         "    campo 3 di 3: tipo, da 0 a 265\n"
         "    il campo va da 0 a 255\n"
         "0 errori, 2 avvisi\n"},
        // compile prints the warnings and compiles; with --avvisi-come-errori it does not.
        {"compile con un avviso", [](Sorgenti& s) { s.l({"pendenza", "1250"}) = "pendneza,  1250,   -4,5"; }, compile, 0, 
         "DIR/Brunovale_linea.txt:186:1: avviso: parola chiave sconosciuta \"pendneza\": la riga è ignorata [parola-chiave-sconosciuta]\n"
         "    pendneza,  1250,   -4,5\n"
         "    ^~~~~~~~\n"
         "    forse intendevi `pendenza`?\n"
         "codice 0: nessun errore, 1 avviso\n"},
        {"avvisi come errori", [](Sorgenti& s) { s.l({"pendenza", "1250"}) = "pendneza,  1250,   -4,5"; },
         {"compile", "DIR", "--avvisi-come-errori"}, 1, 
         "DIR/Brunovale_linea.txt:186:1: avviso: parola chiave sconosciuta \"pendneza\": la riga è ignorata [parola-chiave-sconosciuta]\n"
         "    pendneza,  1250,   -4,5\n"
         "    ^~~~~~~~\n"
         "    forse intendevi `pendenza`?\n"
         "compilazione non riuscita (1 avviso trattato come errore): i file compilati non sono stati toccati\n"},
    };
    for (const Caso& c : casi) controlla(c);
}

// The files are read in the encoding the author's editor saved them in:
// the compiled bytes are those of the same letters in Windows-1252.
TEST(Autori, TestiNellaCodificaDellAutore) {
    const auto compila = [](const std::string& linea, const std::string& treno) {
        test::TempDir dir;
        test::write_bytes(dir / "Brunovale_linea.txt", linea);
        test::write_bytes(dir / "Brunovale_Quarzo-.txt", treno);
        const Esecuzione e = esegui(dir.path(), compile);
        EXPECT_EQ(e.stato, 0) << e.err;
        std::string tutti;
        for (const char* n : compilati) tutti += test::read_bytes(dir / n) + "|";
        return tutti;
    };
    const auto utf16 = [](const std::string& ascii, bool le) {
        std::string r = le ? "\xFF\xFE" : "\xFE\xFF";
        for (const char c : ascii) r += le ? std::string{c, '\0'} : std::string{'\0', c};
        return r;
    };
    Sorgenti s = integrati();
    const std::string linea = unisci(s.linea);
    const std::string originali = compila(linea, unisci(s.treno));
    EXPECT_TRUE(compila(utf16(linea, true), utf16(unisci(s.treno), true)) == originali);
    EXPECT_TRUE(compila(linea, utf16(unisci(s.treno), false)) == originali);
    EXPECT_TRUE(compila("\xEF\xBB\xBF" + linea, "\xEF\xBB\xBF" + unisci(s.treno)) == originali);

    // A name with an accented letter: in UTF-8, with or without the mark, or
    // with a combining accent, the same byte as in Windows-1252.
    const std::string selvarossa = s.t({"stazione", "3900"});
    const auto chiama = [&](const char* nome) { s.t({"stazione", "3900"}) = selvarossa.substr(0, selvarossa.find("Selvarossa")) + nome; };
    chiama("Citt\xE0 Alta");
    const std::string windows1252 = compila(linea, unisci(s.treno));
    EXPECT_NE(windows1252.find(std::string("\x0A\0Citt\xE0 Alta", 12)), std::string::npos);
    for (const char* citta : {"Citt\xC3\xA0 Alta", "Citta\xCC\x80 Alta"}) {
        chiama(citta);
        EXPECT_TRUE(compila(linea, unisci(s.treno)) == windows1252) << citta;
        EXPECT_TRUE(compila(linea, "\xEF\xBB\xBF" + unisci(s.treno)) == windows1252) << citta;
    }

    // A character the code page lacks is an error at its line and column.
    const std::vector<Caso> casi = {
        {"freccia nel nome",
         [](Sorgenti& x) { x.t({"stazione", "3900"}).replace(x.t({"stazione", "3900"}).find("Selvarossa"), 10, "Selva \xE2\x86\x92 Rossa"); }, compile, 1,
         
         "DIR/Brunovale_Quarzo-.txt:90:79: errore: carattere U+2192 non rappresentabile in Windows-1252\n"
         "    stazione,    3900, 22,  400,  0, 0, 1,  1,0,0,  1,0,1,    0,   0, 0, 0, Selva → Rossa\n"
         "                                                                                  ^\n"
         "    il simulatore mostra i testi in Windows-1252 (Europa occidentale): le lettere accentate, l'euro e le virgolette curve ci sono, frecce e altri simboli no\n"
         AVVISO_INTEGRATO
         "compilazione non riuscita (1 errore): i file compilati non sono stati toccati\n"},
    };
    for (const Caso& c : casi) controlla(c);
}

// Notes saved in Windows-1252 or UTF-16 are the same notes as in UTF-8.
TEST(Autori, NoteNellaCodificaDellAutore) {
    test::TempDir dir;
    Sorgenti s = integrati();
    test::write_bytes(dir / "Brunovale_linea.txt", unisci(s.linea));
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", unisci(s.treno));
    // "Città € 5" in UTF-16, little-endian: the euro sign is U+20AC.
    std::string utf16 = "\xFF\xFE";
    for (const char16_t c : std::u16string(u"Citt\u00E0 \u20AC 5\n"))
        utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    for (const std::string& note : {std::string("Citt\xE0 \x80 5\n"), utf16, std::string("Citt\xC3\xA0 \xE2\x82\xAC 5\n")}) {
        test::write_bytes(dir / "Brunovale_Quarzo_note-.txt", note);
        const Esecuzione e = esegui(dir.path(), compile);
        EXPECT_EQ(e.stato, 0) << e.err;
        EXPECT_EQ(test::read_bytes(dir / "Brunovale_Quarzo_note.txt"), "   Citt\xE0 \x80 5\r\n");
    }
}


// With no --linea and --treno, every command that reads a folder takes the
// one scenario it holds; with none or several, it lists those found.
// plot makes the folder of its page, as sources and decompile make theirs;
// a compiled file that is not there is told in the program's language.
TEST(Autori, PlotFaLaSuaCartellaEIlFileMancanteEDettoInItaliano) {
    test::TempDir dir;
    Esecuzione e = esegui(dir.path(), {"sources", "DIR"});
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.out, "scritti DIR/Brunovale_linea.txt e DIR/Brunovale_Quarzo-.txt\n");
    const fs::path pagina = dir / "disegni" / "nuovi" / "brunovale.svg";
    e = esegui(dir.path(), {"plot", "DIR", "-o", pagina.string()});
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_TRUE(fs::is_regular_file(pagina));
    e = esegui(dir.path(), {"dump", (dir / "Brunovale_Quarzo.sim").string()});
    EXPECT_EQ(e.stato, 2);
#ifndef _WIN32
    EXPECT_EQ(e.err, "compattatore: DIR/Brunovale_Quarzo.sim: file o cartella inesistente\n");
#endif
}

TEST(Autori, NomiTrovatiNonRiscritti) {
    test::TempDir dir;
    const Sorgenti s = integrati();
    test::write_bytes(dir / "Valdarda_linea.txt", unisci(s.linea));
    test::write_bytes(dir / "Valdarda_Aquila-.txt", unisci(s.treno));
    test::write_bytes(dir / "Valdarda_Aquila_note-.txt", "Note.\n");
    for (const std::vector<std::string>& a :
         {std::vector<std::string>{"check", "DIR"}, {"compile", "DIR"}, {"check", "DIR", "--linea", "Valdarda"},
          {"check", "DIR", "--treno", "Aquila"}}) {
        const Esecuzione e = esegui(dir.path(), a);
        EXPECT_EQ(e.stato, 0) << e.err;
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "Valdarda_Aquila.sim"));
    Esecuzione e = esegui(dir.path(), {"plot", "DIR", "-o", (dir / "v.svg").string()});
    EXPECT_EQ(e.stato, 0) << e.err;
    e = esegui(dir.path(), {"decompile", "DIR", "-o", (dir / "copia").string()});
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "copia" / "Valdarda_Aquila-.txt"));

    test::write_bytes(dir / "Valdarda_Merlo-.txt", unisci(s.treno));
    test::write_bytes(dir / "Brunovale_linea.txt", unisci(s.linea));
    e = esegui(dir.path(), {"check", "DIR"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.err,
              "compattatore: DIR contiene 2 scenari: scegline uno con --linea e --treno\n"
              "    --linea Valdarda --treno Aquila\n"
              "    --linea Valdarda --treno Merlo\n");
    e = esegui(dir.path(), {"compile", "DIR", "--treno", "Merlo"});
    EXPECT_EQ(e.stato, 0) << e.err;
    e = esegui(dir.path(), {"check", "DIR", "--linea", "Brunovale"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.err,
              "compattatore: DIR: nessuno scenario con la linea Brunovale (i file LINEA_linea.txt e LINEA_TRENO-.txt); "
              "la cartella contiene:\n"
              "    --linea Valdarda --treno Aquila\n"
              "    --linea Valdarda --treno Merlo\n");
}

// The author's good build survives a compile that fails: one slip in a
// station row, and the compiled files stay those of the last good compile.
TEST(Autori, UnaCompilazioneFallitaLasciaLUltimaBuona) {
    test::TempDir dir;
    Sorgenti s = integrati();
    test::write_bytes(dir / "Brunovale_linea.txt", unisci(s.linea));
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", unisci(s.treno));
    test::write_bytes(dir / "Brunovale_Quarzo_note-.txt", "Prime note.\n");
    ASSERT_EQ(esegui(dir.path(), compile).stato, 0);
    std::vector<std::string> buoni;
    for (const char* n : compilati) buoni.push_back(test::read_bytes(dir / n));
    const std::string note = test::read_bytes(dir / "Brunovale_Quarzo_note.txt");
    EXPECT_EQ(note, "   Prime note.\r\n");
    test::write_bytes(dir / "Brunovale_Quarzo_note-.txt", "Note nuove.\n");

    s.t({"stazione", "68700"}) = "stazione,   54330, 22,  400,  0, 0, 0,  1,0,0,  1,0,1,    0,   0, 0, 0, Borgo Errato";
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", unisci(s.treno));
    const Esecuzione e = esegui(dir.path(), compile);
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.err,
              AVVISO_INTEGRATO
              "DIR/Brunovale_Quarzo-.txt:101:13: errore: codice 8: posizione della stazione non multipla di 50 "
              "(posizione 54330 m)\n"
              "    stazione,   54330, 22,  400,  0, 0, 0,  1,0,0,  1,0,1,    0,   0, 0, 0, Borgo Errato\n"
              "                ^~~~~\n"
              "    campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50\n"
              "    la posizione va su un multiplo di 50 m\n"
              "compilazione non riuscita (codice 8): i file compilati non sono stati toccati\n");
    for (std::size_t i = 0; i < buoni.size(); ++i)
        EXPECT_TRUE(test::read_bytes(dir / compilati[i]) == buoni[i]) << compilati[i];
    EXPECT_EQ(test::read_bytes(dir / "Brunovale_Quarzo_note.txt"), note);
}

// `sources` makes the folder, names the files after --linea and --treno, and
// does not overwrite a description an author has edited unless told to.
TEST(Autori, SourcesNonSovrascriveSenzaForce) {
    test::TempDir dir;
    const fs::path cartella = dir / "nuovo" / "scenario";
    Esecuzione e = esegui(cartella, {"sources", "DIR", "--linea", "Valdorso", "--treno", "Merlo"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(test::file_names(cartella),
              (std::set<std::string>{".compattatore.lock", "Valdorso_linea.txt", "Valdorso_Merlo-.txt"}));
    EXPECT_TRUE(test::read_bytes(cartella / "Valdorso_linea.txt") == unisci(integrati().linea));

    const std::string modificata = "[generale]\r\nlunghezza percorso,  5000\r\n[fine]\r\n";
    test::write_bytes(cartella / "Valdorso_linea.txt", modificata);
    e = esegui(cartella, {"sources", "DIR", "--linea", "Valdorso", "--treno", "Merlo"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.err,
              "compattatore: DIR/Valdorso_linea.txt: esiste già; --force per sostituirlo\n"
              "compattatore: DIR/Valdorso_Merlo-.txt: esiste già; --force per sostituirlo\n"
              "nessun file scritto\n");
    EXPECT_TRUE(test::read_bytes(cartella / "Valdorso_linea.txt") == modificata);

    e = esegui(cartella, {"sources", "DIR", "--linea", "Valdorso", "--treno", "Merlo", "--force"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_TRUE(test::read_bytes(cartella / "Valdorso_linea.txt") == unisci(integrati().linea));
    // The names it took compile as they are.
    e = esegui(cartella, {"compile", "DIR", "--linea", "Valdorso", "--treno", "Merlo"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, test::builtin_warnings_text("DIR/Valdorso_linea.txt") + "codice 0: nessun errore, 1 avviso\n");
}

// The command line speaks Italian, its own parser's words included, and says
// which command or option was meant.
TEST(Autori, RigaDiComando) {
    test::TempDir dir;
    Esecuzione e = esegui(dir.path(), {"--help"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, "");
    for (const char* inglese : {"Usage", "OPTIONS", "SUBCOMMAND", "Positionals", "Options", "Subcommands",
                                "REQUIRED", "TEXT", "Print this help", "Run with"})
        EXPECT_EQ(e.out.find(inglese), std::string::npos) << inglese;
    for (const char* voce : {"Uso: compattatore [OPZIONI] [COMANDO]", "  check ", "  64  riga di comando errata",
                             "compattatore reference [PAROLA]"})
        EXPECT_NE(e.out.find(voce), std::string::npos) << voce;
    e = esegui(dir.path(), {"check", "--help"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_NE(e.out.find("Uso: compattatore check [OPZIONI] DIR\n"), std::string::npos) << e.out;
    EXPECT_NE(e.out.find("  --avvisi-come-errori"), std::string::npos);
    // The help of the commands that read descriptions points to the format's reference.
    EXPECT_NE(e.out.find("compattatore reference [PAROLA]"), std::string::npos) << e.out;

    e = esegui(dir.path(), {"--version"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.out, std::string("compattatore ") + versione() + "\n");

    struct Sbaglio {
        std::vector<std::string> argomenti;
        std::string err;
    };
    const std::vector<Sbaglio> sbagli = {
        {{"compiel", "DIR"}, "compattatore: comando sconosciuto \"compiel\": forse intendevi `compile`?\n"},
        {{"chek", "DIR"}, "compattatore: comando sconosciuto \"chek\": forse intendevi `check`?\n"},
        {{"compile", "DIR", "--jsno"}, "compattatore: opzione sconosciuta \"--jsno\": forse intendevi `--json`?\n"},
        {{"compile"}, "compattatore: manca l'argomento DIR\n"},
        {{"compile", "DIR", "--treno"}, "compattatore: manca il valore dell'opzione --treno\n"},
        {{"dump", "DIR", "--passo", "mezzo"}, "compattatore: --passo: \"mezzo\" non è un numero intero positivo\n"},
        {{"dump", "DIR", "--format", "xml"}, "compattatore: --format: \"xml\" non è ammesso: scegli fra text, json\n"},
        {{"dump", "DIR", "altro"}, "compattatore: argomento in più: \"altro\"\n"},
    };
    for (const Sbaglio& s : sbagli) {
        SCOPED_TRACE(s.argomenti.front());
        e = esegui(dir.path(), s.argomenti);
        EXPECT_EQ(e.stato, 64);
        EXPECT_EQ(e.out, "");
        EXPECT_EQ(e.err, s.err + "(compattatore --help per l'aiuto)\n");
    }
}

// Comments: lines whose first non-blank character is '#', anywhere in both
// texts (before "[generale]", between the records, after "[fine]"), holding
// commas, keywords and brackets, change no byte of any output and raise no
// diagnostic.
TEST(Autori, ICommentiNonCambianoNulla) {
    test::TempDir semplice, commentata;
    const Sorgenti s = integrati();
    Sorgenti c;
    const auto commenta = [](const std::vector<std::string>& righe, std::vector<std::string>& out) {
        out.push_back("# [generale], pendenza, 0, 5: un commento prima di tutto");
        for (std::size_t i = 0; i < righe.size(); ++i) {
            const char* forme[] = {"# riga {}, con, virgole", "   # {} stazione, segnale,", "\t#{}", "#"};
            std::string commento = forme[i % 4];
            const std::size_t graffe = commento.find("{}");
            if (graffe != std::string::npos) commento.replace(graffe, 2, std::to_string(i + 1));
            out.push_back(commento);
            out.push_back(righe[i]);
        }
        out.push_back("# [fine] ripetuto, dopo la fine");
    };
    commenta(s.linea, c.linea);
    commenta(s.treno, c.treno);
    test::write_bytes(semplice / "Brunovale_linea.txt", unisci(s.linea));
    test::write_bytes(semplice / "Brunovale_Quarzo-.txt", unisci(s.treno));
    test::write_bytes(commentata / "Brunovale_linea.txt", unisci(c.linea));
    test::write_bytes(commentata / "Brunovale_Quarzo-.txt", unisci(c.treno));

    // The built-in files' own warning stays, at its line in the commented text.
    std::string avviso = test::builtin_warnings_text("DIR/Brunovale_linea.txt");
    avviso.replace(avviso.find(":186:"), 5, ":373:");
    const Esecuzione controllo = esegui(commentata.path(), check);
    EXPECT_EQ(controllo.stato, 0);
    EXPECT_EQ(controllo.err, avviso + test::builtin_count(0));
    EXPECT_EQ(esegui(semplice.path(), compile).stato, 0);
    const Esecuzione e = esegui(commentata.path(), compile);
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, avviso + "codice 0: nessun errore, 1 avviso\n");
    for (const char* n : compilati) EXPECT_TRUE(test::read_bytes(semplice / n) == test::read_bytes(commentata / n)) << n;
}

// The starter of `sources --nuovo`: every record follows a comment naming
// its fields; it compiles with no diagnostic; the card and the order, read
// as the driver reads them, show its stations, times and restriction.
TEST(Autori, LoScenarioNuovoSiCompilaEIDocumentiLoDescrivono) {
    test::TempDir dir;
    const Esecuzione scritto = esegui(dir.path(), {"sources", "DIR", "--nuovo", "--linea", "Prova", "--treno", "T1"});
    ASSERT_EQ(scritto.stato, 0) << scritto.err;
    const std::vector<std::string> linea = righe(test::read_bytes(dir / "Prova_linea.txt"));
    const std::vector<std::string> treno = righe(test::read_bytes(dir / "Prova_T1-.txt"));
    for (const std::vector<std::string>* testo : {&linea, &treno}) {
        int record = 0;
        for (std::size_t i = 0; i < testo->size(); ++i) {
            const std::string& r = (*testo)[i];
            if (r.empty() || r[0] == '#' || r[0] == '[') continue;
            ++record;
            const std::string chiave = r.substr(0, r.find(','));
            ASSERT_GT(i, 0u);
            EXPECT_EQ((*testo)[i - 1].rfind("# " + chiave + ": ", 0), 0u) << r;
        }
        EXPECT_GT(record, 5);
    }

    const Esecuzione controllo = esegui(dir.path(), {"check", "DIR", "--linea", "Prova", "--treno", "T1"});
    EXPECT_EQ(controllo.stato, 0);
    EXPECT_EQ(controllo.err, "nessun problema\n");
    const Esecuzione compilato = esegui(dir.path(), {"compile", "DIR", "--linea", "Prova", "--treno", "T1"});
    EXPECT_EQ(compilato.stato, 0);
    EXPECT_EQ(compilato.err, "codice 0: nessun errore\n");

    // What the description says, read from its text: the kilometre offset,
    // the stations (position, name, time) and the restriction.
    const auto campi = [](const std::string& r) {
        std::vector<std::string> c;
        std::istringstream in(r);
        for (std::string f; std::getline(in, f, ',');) {
            const std::size_t a = f.find_first_not_of(' ');
            c.push_back(a == std::string::npos ? "" : f.substr(a, f.find_last_not_of(' ') - a + 1));
        }
        return c;
    };
    long scostamento = 0;
    for (const std::string& r : linea)
        if (r.rfind("progressiva", 0) == 0) scostamento = std::stol(campi(r).at(2));
    const auto km = [&](long p) {
        const std::string metri = std::to_string((p + scostamento) % 1000);
        return std::to_string((p + scostamento) / 1000) + "." + std::string(3 - metri.size(), '0') + metri;
    };
    const std::string scheda = test::read_bytes(dir / "Prova_T1_scheda_treno.txt");
    const std::vector<std::string> righe_scheda = righe(scheda);
    int stazioni = 0;
    for (const std::string& r : treno) {
        if (r.rfind("stazione,", 0) != 0) continue;
        const std::vector<std::string> c = campi(r);
        ++stazioni;
        const std::string nome = c.at(17);
        const auto due_cifre = [](const std::string& n) { return n.size() < 2 ? "0" + n : n; };
        const std::string orario = due_cifre(c.at(14)) + "." + due_cifre(c.at(15));
        bool trovata = false;
        for (const std::string& s : righe_scheda) {
            if (s.find("|" + nome + " ") == std::string::npos) continue;
            trovata = true;
            EXPECT_NE(s.find(" " + km(std::stol(c.at(1))) + " "), std::string::npos) << s;
            EXPECT_NE(s.find(orario), std::string::npos) << s;
        }
        EXPECT_TRUE(trovata) << nome;
    }
    EXPECT_EQ(stazioni, 2);

    const std::string ordine = test::read_bytes(dir / "Prova_T1_rallentamenti.txt");
    for (const std::string& r : treno) {
        if (r.rfind("rallentamento,", 0) != 0) continue;
        const std::vector<std::string> c = campi(r);
        bool trovato = false;
        for (const std::string& s : righe(ordine)) {
            if (s.find(" " + c.at(2) + " Km/h") == std::string::npos) continue;
            trovato = true;
            EXPECT_NE(s.find("Km " + km(std::stol(c.at(1)))), std::string::npos) << s;
            EXPECT_NE(s.find(" " + c.at(3) + " "), std::string::npos) << s;
            EXPECT_NE(s.find("Valmora e Pratolungo"), std::string::npos) << s;
        }
        EXPECT_TRUE(trovato);
    }
}

}  // namespace
}  // namespace compattatore
