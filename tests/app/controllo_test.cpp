// `check`: every error and warning of both description files in one run,
// writing nothing; its first error is the one compile reports first.
#include "app/comandi.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "app/diagnostica.h"
#include "sources/descrizioni.h"
#include "support/builtin_warnings.h"
#include "support/bytes.h"
#include "support/esecuzione.h"
#include "support/json.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> righe(std::span<const std::string_view> r) { return {r.begin(), r.end()}; }

std::string unisci(const std::vector<std::string>& righe) {
    std::string t;
    for (const std::string& r : righe) t += r + "\r\n";
    return t;
}

using test::Esecuzione;

template <class Comando>
Esecuzione esegui(Comando comando, const fs::path& cartella, bool json = false) {
    OpzioniSorgenti o;
    o.cartella = cartella;
    o.json = json;
    std::ostringstream out, err;
    const int stato = comando(o, out, err);
    return {stato, out.str(), err.str()};
}

// One error seeded in each of eleven records of the built-in files, in both
// files and of eleven codes.
struct Seme {
    bool treno;
    int riga;
    std::string testo;
    int codice;
    int colonna;
};

const std::vector<Seme> semi = {
    {false, 9, "ripetizione segnali 9 codici,    8025,    330700", 3, 34},
    {false, 11, "curvas,  1350,  150", 103, 1},
    {false, 240, "pendenza,  900000,   -4", 15, 12},
    {false, 438, "montagna,   11650,  11750x,  12", 25, 21},
    {false, 455, "indicatori_vmax,  5200,  100,  105,  110,  2,  ,  ,  ,  0", 21, 19},
    {false, 520, "cartello_indicatore,  8600,   (C.C. )(Km 31.100)", 6, 23},
    {true, 46, "velocita,    1000,   1300", 25, 22},
    {true, 92, "stazione,   12125,  2,  300,  0, 0, 0,  0,1,0,  1,0,0,    0,   0, 0, 0, Fontegrana", 8, 13},
    {true, 136, "rallentamento,  400,    80,  800, 0,  1,  80", 18, 17},
    {true, 140, "segnale,    1050,   2, 4, 0,  0, 0,    0,  0,0,0, 0", 16, 13},
    {true, 320, "abbattimento,    7050,   270", 7, 18},
};

TEST(Controllo, DieciErroriInDieciRecordSonoDieciErrori) {
    test::TempDir dir;
    std::vector<std::string> linea = righe(righe_linea()), treno = righe(righe_treno());
    for (const Seme& s : semi) (s.treno ? treno : linea).at(static_cast<std::size_t>(s.riga - 1)) = s.testo;
    test::write_bytes(dir / "Brunovale_linea.txt", unisci(linea));
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", unisci(treno));

    const Esecuzione u = esegui(controlla_sorgenti, dir.path(), true);
    EXPECT_EQ(u.stato, 1);
    // Each error at its own line and field, in the order of the files.
    const Compilazione c = compila_descrizioni(
        {"Brunovale", "Quarzo", unisci(linea), unisci(treno), true, "L", "T"}, true);
    std::vector<std::tuple<std::string, int, int, int>> trovati, attesi;
    // The built-in files' own warnings stay, in their places among the errors.
    for (const Diagnostica& d : c.esito.diagnostiche) {
        EXPECT_EQ(d.gravita == Gravita::errore, d.nome.empty()) << testo_diagnostica(d);
        trovati.emplace_back(d.luogo.file, d.luogo.riga, d.luogo.colonna, d.numero);
    }
    for (const Seme& s : semi) attesi.emplace_back(s.treno ? "T" : "L", s.riga, s.colonna, s.codice);
    for (const test::BuiltinWarning& w : test::builtin_warnings())
        attesi.emplace_back(w.train ? "T" : "L", w.line, w.column, 0);
    std::stable_sort(attesi.begin(), attesi.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    EXPECT_EQ(trovati, attesi);

    // The text report ends with the count; nothing is written but the
    // folder's lock file.
    const Esecuzione t = esegui(controlla_sorgenti, dir.path());
    EXPECT_EQ(t.out, "");
    EXPECT_EQ(t.err.substr(t.err.rfind('\n', t.err.size() - 2) + 1), test::builtin_count(11));
    EXPECT_EQ(test::file_names(dir.path()),
              (std::set<std::string>{".compattatore.lock", "Brunovale_linea.txt", "Brunovale_Quarzo-.txt"}));

    // compile stops at the first, the same one at the same place.
    const Compilazione k = compila_descrizioni({"Brunovale", "Quarzo", unisci(linea), unisci(treno), true, "L", "T"});
    ASSERT_NE(primo_errore(k.esito), nullptr);
    EXPECT_EQ(*primo_errore(k.esito), c.esito.diagnostiche.front());
    EXPECT_EQ(numero(k.esito.codice), 3);
}

// The built-in files have no error, and only the warnings the guide lists for them.
TEST(Controllo, IFileIntegratiHannoSoloGliAvvisiDellaGuida) {
    test::TempDir dir;
    std::ostringstream err;
    ASSERT_EQ(scrivi_sorgenti(dir.path(), err), 0);
    const Esecuzione u = esegui(controlla_sorgenti, dir.path());
    EXPECT_EQ(u.stato, 0);
    EXPECT_EQ(u.err, test::builtin_warnings_text((dir / "Brunovale_linea.txt").string()) + test::builtin_count(0));
    const Esecuzione j = esegui(controlla_sorgenti, dir.path(), true);
    const nlohmann::json esito = test::parse_json(j.out);
    EXPECT_EQ(esito["codice"], 0);
    EXPECT_EQ(esito["errori"], 0);
    ASSERT_EQ(esito["diagnostiche"].size(), test::builtin_warnings().size());
    for (std::size_t i = 0; i < test::builtin_warnings().size(); ++i) {
        const test::BuiltinWarning& w = test::builtin_warnings()[i];
        const nlohmann::json& d = esito["diagnostiche"][i];
        EXPECT_EQ(d["nome"], w.name);
        EXPECT_EQ(d["riga"], w.line);
        EXPECT_EQ(d["colonna"], w.column);
        EXPECT_EQ(d["file"], (dir / (w.train ? "Brunovale_Quarzo-.txt" : "Brunovale_linea.txt")).string());
    }
    EXPECT_EQ(test::file_names(dir.path()),
              (std::set<std::string>{".compattatore.lock", "Brunovale_linea.txt", "Brunovale_Quarzo-.txt"}));
}

// Past the first fifty the report only counts; the list in JSON is whole.
TEST(Controllo, OltreCinquantaProblemiSoloIlConto) {
    test::TempDir dir;
    std::vector<std::string> treno = righe(righe_treno());
    // Sixty signals on the cell of the signal at 1050 m.
    for (int i = 0; i < 60; ++i) treno.insert(treno.begin() + 139, "segnale,    1050,   2, 4, 0,  0, 0,    0,  0,0,0, 0");
    test::write_bytes(dir / "Brunovale_linea.txt", unisci(righe(righe_linea())));
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", unisci(treno));
    const Esecuzione u = esegui(controlla_sorgenti, dir.path());
    EXPECT_EQ(u.stato, 1);
    // The built-in files' warning gives its place to an error.
    EXPECT_NE(u.err.find("... non mostrati: 10 errori e 1 avviso\n" + test::builtin_count(60)), std::string::npos);
    std::size_t mostrati = 0;
    for (std::size_t i = u.err.find(": errore: "); i != std::string::npos; i = u.err.find(": errore: ", i + 1)) ++mostrati;
    EXPECT_EQ(mostrati, 50u);
    const Esecuzione j = esegui(controlla_sorgenti, dir.path(), true);
    const nlohmann::json esito = test::parse_json(j.out);
    EXPECT_EQ(esito["errori"], 60);
    EXPECT_EQ(esito["avvisi"], test::builtin_warnings().size());
    EXPECT_EQ(esito["tralasciati"], 0);
}

// Past the list, errors and warnings are counted all the same, and the
// errors take the places of the warnings: the first error stays the outcome.
TEST(Controllo, OltreLElencoTuttoContatoEGliErroriPrima) {
    test::TempDir dir;
    std::vector<std::string> linea = righe(righe_linea());
    linea.insert(linea.begin() + 11, 1500, "pendneza,  1250,   -4");
    std::vector<std::string> treno = righe(righe_treno());
    treno.insert(treno.end() - 1, 1200, "stazione,  1,  8,  500");
    test::write_bytes(dir / "Brunovale_linea.txt", unisci(linea));
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", unisci(treno));
    const Esecuzione j = esegui(controlla_sorgenti, dir.path(), true);
    EXPECT_EQ(j.stato, 1);
    const nlohmann::json esito = test::parse_json(j.out);
    EXPECT_EQ(esito["codice"], 8);
    EXPECT_EQ(esito["riga"], static_cast<int>(treno.size()) - 1200);
    EXPECT_EQ(esito["errori"], 1200);
    const int avvisi = 1500 + static_cast<int>(test::builtin_warnings().size());
    EXPECT_EQ(esito["avvisi"], avvisi);
    EXPECT_EQ(esito["tralasciati"], 1200 + avvisi - static_cast<int>(massimo_diagnostiche));
    ASSERT_EQ(esito["diagnostiche"].size(), massimo_diagnostiche);
    for (const nlohmann::json& d : esito["diagnostiche"]) EXPECT_EQ(d["gravita"], "errore");
    const Esecuzione t = esegui(controlla_sorgenti, dir.path());
    const std::string n = std::to_string(avvisi);
    EXPECT_NE(t.err.find("\n... non mostrati: 1150 errori e " + n + " avvisi\n1200 errori, " + n + " avvisi\n"),
              std::string::npos);
}

// A damaged line text and a train text holding about a thousand records of
// the line: a thousand warnings, then code 15 for a station beyond the grid.
// The error is the outcome; no bound on the list may cut it from the report.
TEST(Controllo, LErroreRestaDopoMilleAvvisi) {
    // The file keeps the two texts as one: a byte whose low bit asks for the
    // plan, the line text, a separator line, the train text.
    const std::string dati =
        test::read_bytes(fs::path(COMPATTATORE_SORGENTI) / "tests/app/dati/errore_dopo_mille_avvisi");
    const std::string separatore = "\n%%treno%%\n";
    const std::size_t taglio = dati.find(separatore);
    ASSERT_NE(taglio, std::string::npos);
    test::TempDir dir;
    test::write_bytes(dir / "Brunovale_linea.txt", dati.substr(1, taglio - 1));
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", dati.substr(taglio + separatore.size()));
    OpzioniSorgenti o;
    o.cartella = dir.path();
    o.piano = (dati[0] & 1) != 0;

    for (const bool json : {false, true}) {
        o.json = json;
        std::ostringstream out, err;
        EXPECT_EQ(compila_sorgenti(o, out, err), 1);
        if (!json) {
            EXPECT_NE(err.str().find(": errore: codice 15: "), std::string::npos) << err.str();
            EXPECT_NE(err.str().find("... non mostrati: "), std::string::npos);
            EXPECT_NE(err.str().find("compilazione non riuscita (codice 15)"), std::string::npos);
            continue;
        }
        const nlohmann::json j = test::parse_json(out.str());
        EXPECT_EQ(j["codice"], 15);
        EXPECT_EQ(j["spiegazione"], std::string(spiegazione_codice(Codice::oltre_la_griglia)));
        EXPECT_EQ(j["errori"], 1);
        EXPECT_GE(j["avvisi"].get<int>(), 1000);
        const nlohmann::json& elenco = j["diagnostiche"];
        EXPECT_EQ(elenco.size(), massimo_diagnostiche);
        EXPECT_EQ(elenco.back()["codice"], 15);
        EXPECT_EQ(elenco.back()["riga"], j["riga"]);
        EXPECT_EQ(j["tralasciati"].get<std::size_t>() + elenco.size(),
                  j["errori"].get<std::size_t>() + j["avvisi"].get<std::size_t>());
    }
    std::ostringstream out, err;
    o.json = true;
    EXPECT_EQ(controlla_sorgenti(o, out, err), 1);
    EXPECT_EQ(test::parse_json(out.str())["codice"], 15);
}

// A line whose last record lies beyond the grid (code 15) and a train with
// no station: the train's error has no code and comes after the outcome's,
// which stays the outcome and is reported as such.
TEST(Controllo, LErroreDellEsitoPrecedeUnErroreSenzaCodice) {
    test::TempDir dir;
    test::write_bytes(dir / "Brunovale_linea.txt",
                      "[generale]\nlunghezza percorso, 1000\n[tracciato]\npendenza, 90000, 3\n[fine]\n");
    test::write_bytes(dir / "Brunovale_Quarzo-.txt", "[generale]\nvelocita massima, 0, 100\n");

    const Esecuzione t = esegui(compila_sorgenti, dir.path());
    EXPECT_EQ(t.stato, 1);
    const std::size_t codice_15 = t.err.find("Brunovale_linea.txt:4:11: errore: codice 15: ");
    const std::size_t senza_codice = t.err.find("Brunovale_Quarzo-.txt: errore: il treno non ha nessuna stazione\n");
    EXPECT_LT(codice_15, senza_codice) << t.err;
    EXPECT_NE(senza_codice, std::string::npos) << t.err;
    EXPECT_NE(t.err.find("compilazione non riuscita (codice 15)"), std::string::npos);

    const nlohmann::json esito = test::parse_json(esegui(compila_sorgenti, dir.path(), true).out);
    EXPECT_EQ(esito["codice"], 15);
    EXPECT_EQ(esito["riga"], 4);
    EXPECT_EQ(esito["errori"], 2);
    const nlohmann::json& elenco = esito["diagnostiche"];
    ASSERT_EQ(elenco.size(), 2u);
    EXPECT_EQ(elenco[0]["codice"], 15);
    EXPECT_EQ(elenco[1]["codice"], 0);
}

}  // namespace
}  // namespace compattatore
