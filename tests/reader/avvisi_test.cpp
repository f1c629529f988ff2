// The warnings: each kind from the smallest text that shows it, by name and
// place; and the inputs that must raise none.
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "banco_lettura.h"

namespace compattatore {
namespace {

using test::BancoLettura;
using test::testo;

// A warning by its name and place: 'L' the line text, 'T' the train text.
using Avviso = std::tuple<std::string, char, int, int>;

std::vector<Avviso> avvisi(const BancoLettura& b) {
    std::vector<Avviso> r;
    for (const Diagnostica& d : b.esito.diagnostiche) {
        if (d.gravita != Gravita::avviso) continue;
        r.emplace_back(d.nome, d.luogo.file == "Valdorso_linea.txt" ? 'L' : 'T', d.luogo.riga, d.luogo.colonna);
    }
    return r;
}

const std::string stazione = "stazione,  1000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  0,0,0, Alfa";

struct Caso {
    const char* nome;
    std::vector<std::string> linea;  // after "[generale]" and the length (20000 m)
    std::vector<std::string> treno;  // after "[generale]"; a station is added unless the case names none
    std::vector<Avviso> attesi;
    bool piano = false;
    bool con_stazione = true;
};

TEST(Avvisi, OgniTipoDalPiuPiccoloTesto) {
    const std::vector<Caso> casi = {
        {"nessun avviso",
         {"-- commento", "[pendenze]", "pendenza,  0,   0", "pendenza,  1250,   -4,", "montagna,  8750,  11150,  12"},
         {"numero treno,  K27", "categoria,  Rapido", "recupero,  1000,  0.5", "velocita,  0,  30", "aderenza,  0,  58",
          "orologio,    16              20            30 "},
         {}},
        {"parola sconosciuta e fuori posto",
         {"pendenza,  0,  0", "[record]", "xyzzy,  1,  2", "sfondo uno,  1", "segnale,  1050,  2,4,1,1,0,2,2,1,1,0"},
         {"pendenza,  0,  0", "stazone,  1000"},
         {{"record-fuori-posto", 'L', 3, 1},
          {"parola-chiave-sconosciuta", 'L', 5, 1},
          {"record-fuori-posto", 'L', 6, 1},
          {"record-fuori-posto", 'L', 7, 1},
          {"record-fuori-posto", 'T', 2, 1},
          {"parola-chiave-sconosciuta", 'T', 3, 1}}},
        {"chiavi scritte in maiuscolo", {"Sfondo uno,  1", "[record]"}, {}, {{"parola-chiave-sconosciuta", 'L', 3, 1}}},
        {"campi in piu e testi con virgole",
         {"[record]", "montagna,  8750,  11150,  12, in piu", "cartello_indicatore,  7950,  (Zona), (Cod )"},
         {"stazione,  1000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  0,0,0, Alfa, Beta"},
         {{"campo-in-piu", 'L', 4, 31}, {"virgola-nel-testo", 'L', 5, 30}, {"virgola-nel-testo", 'T', 2, 64}},
         false, false},
        // Numbers after a record's last field, each line once: a decimal
        // comma, a slipped extra, a negative one (read as a comment field).
        {"numeri in piu",
         {"[pendenze]", "pendenza,  0,   0", "pendenza,  1250,   -4,5", "pendenza,  6000,  8,5,9", "pendenza,  7000,  8 , 7"},
         {"velocita,  0,  30", "velocita,  19500,  120,  5", "velocita,  19600,  120,  -5",
          "segnale,  3050,  2,4,1,1,0,2,2,1,1,0, 7"},
         {{"campo-in-piu", 'L', 5, 23},
          {"campo-in-piu", 'L', 6, 21},
          {"campo-in-piu", 'L', 7, 23},
          {"campo-in-piu", 'T', 3, 26},
          {"campo-in-piu", 'T', 4, 26},
          {"campo-in-piu", 'T', 5, 39}}},
        {"dopo la fine", {"[record]"}, {"aderenza,  1000,  60", "[fine]", "sabbia,  100"},
         {{"profilo-non-da-zero", 'T', 2, 12}, {"record-dopo-fine", 'T', 4, 1}}},
        {"chiavi ripetute",
         {"sfondo uno,  1", "sfondo uno,  2", "[record]"}, {"sabbia,  100", "sabbia,  120"},
         {{"chiave-ripetuta", 'L', 4, 1}, {"chiave-ripetuta", 'T', 3, 1}}},
        {"ordine e sovrapposizioni",
         {"[record]", "curvad1,  1000,  500", "curvad2,  1200,  100", "curvas1,  900,  50", "montagna,  8000,  9000,  2",
          "montagna,  8500,  9500,  2", "pendenza,  5000,  1", "pendenza,  4000,  2"},
         {"velocita,  0,  30", "velocita,  2000,  40", "velocita,  1000,  50"},
         {{"curve-sovrapposte", 'L', 5, 11},
          {"righe-fuori-ordine", 'L', 6, 11},
          {"montagne-sovrapposte", 'L', 8, 12},
          {"righe-fuori-ordine", 'L', 10, 12},
          {"righe-fuori-ordine", 'T', 4, 12}},
         true},
        {"negativi",
         {"[record]", "pendenza,  -100,  0", "montagna,  9000,  8000,  2", "curvad1,  3000,  -50"},
         {"segnale,  -500,  2,4,1,1,0,2,2,1,1,0", "stazione,  3000, 22,  -400,  0,0,0,  1,0,0,  1,0,1,  0,  0,0,0, Beta"},
         {{"posizione-negativa", 'L', 4, 12},
          {"lunghezza-negativa", 'L', 5, 19},
          {"lunghezza-negativa", 'L', 6, 18},
          {"posizione-negativa", 'T', 2, 11},
          {"lunghezza-negativa", 'T', 3, 23}},
         true},
        {"valori e velocita fuori misura",
         {"[record]", "pendenza,  0,  -120", "montagna,  8750,  11150,  300",
          "indicatori_vmax,  1000,  92,  95,  100,  0,  ,  ,  ,  0"},
         {"aderenza,  0,  256", "velocita,  0,  32", "segnale,  3050,  9,4,1,1,0,2,2,1,1,0"},
         {{"valore-troncato", 'L', 4, 16},
          {"valore-troncato", 'L', 5, 27},
          {"velocita-arrotondata", 'L', 6, 26},
          {"valore-troncato", 'T', 2, 16},
          {"velocita-arrotondata", 'T', 3, 16},
          {"valore-troncato", 'T', 4, 18}}},
        {"orari, tempi e profili",
         {"[record]"},
         {"orologio,  16  61  0", "velocita,  500,  30", "segnale,  3050,  1,4,1,1,0,2,2,1,1,150",
          "stazione,  1000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  16,75,0, Alfa"},
         {{"orario-non-valido", 'T', 2, 12},
          {"profilo-non-da-zero", 'T', 3, 12},
          {"tempo-ignorato", 'T', 4, 36},
          {"orario-non-valido", 'T', 5, 57}},
         false, false},
        {"rallentamento oltre la griglia", {"[record]"}, {"rallentamento,  20000,  80,  10000,  0,  1,  80"},
         {{"oltre-fine-linea", 'T', 2, 30}, {"rallentamento-oltre-griglia", 'T', 2, 30}}},
        {"oltre la fine della linea, velocita e nomi",
         {"[record]", "montagna,  19000,  21000,  2", "cartello_indicatore,  20500,  (Fine)",
          "indicatori_vmax,  5000,  320,  320,  320,  0,  ,  ,  ,  0"},
         {"velocita,  0,  800",
          "stazione,  20050, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  0,0,0, Stazione dal nome troppo lungo"},
         {{"oltre-fine-linea", 'L', 4, 20},
          {"oltre-fine-linea", 'L', 5, 23},
          {"velocita-implausibile", 'L', 6, 26},
          {"velocita-implausibile", 'T', 2, 16},
          {"nome-troppo-lungo", 'T', 3, 65},
          {"oltre-fine-linea", 'T', 3, 12}},
         false, false},
        {"progressive azzerate",
         {"progressiva chilometrica uno,  1000,  0,  0", "progressiva chilometrica due,  1000,  50,  0", "[record]"}, {},
         {{"progressive-azzerate", 'L', 4, 32}}},
        // The run as a whole: a time no limit allows, a time going back, a
        // limit above every board of the line, a margin at no station.
        {"orari, limiti e recuperi della corsa",
         {"[record]", "indicatori_vmax,  0,  60,  70,  80,  0,  ,  ,  ,  0"},
         {"velocita,  0,  100", "stazione,  1000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  16,0,0, Alfa",
          "stazione,  6000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  16,1,0, Beta",
          "stazione,  12000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  15,0,0, Gamma",
          "stazione,  18000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  15,3,36, Delta", "recupero,  3000,  1",
          "recupero,  6000,  1"},
         {{"orario-impossibile", 'T', 4, 57},
          {"orario-all-indietro", 'T', 5, 58},
          {"limite-oltre-cartelli", 'T', 2, 16},
          {"recupero-senza-stazione", 'T', 7, 12}},
         false, false},
        // No limit over part of the way, or limits out of order: no least time.
        {"tempo minimo non calcolabile", {"[record]"},
         {"velocita,  2000,  100", "stazione,  1000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  16,0,0, Alfa",
          "stazione,  6000, 22,  400,  0,0,0,  1,0,0,  1,0,1,  0,  16,0,1, Beta"},
         {{"profilo-non-da-zero", 'T', 2, 12}},
         false, false},
        {"progressive nello stesso punto",
         {"progressiva chilometrica uno,  5000,  0,  0", "progressiva chilometrica due,  1000,  50,  0",
          "progressiva chilometrica tre,  1000,  100,  0", "[record]"},
         {},
         {{"progressive-stesso-inizio", 'L', 5, 32}}},
        {"testo in UTF-8", {"[record]", "cartello_indicatore,  7950,  (Citt\xC3\xA0)"}, {},
         {{"testo-utf8", 'L', 4, 30}}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        BancoLettura b;
        b.compila_linea = c.piano;
        std::vector<std::string> linea = {"[generale]", "lunghezza percorso,  20000"};
        linea.insert(linea.end(), c.linea.begin(), c.linea.end());
        linea.push_back("[fine]");
        b.linea_testo(testo(linea));
        std::vector<std::string> treno = c.treno;
        if (c.con_stazione) treno.push_back(stazione);
        b.treno_con(treno);
        b.leggi();
        EXPECT_EQ(avvisi(b), c.attesi);
    }
}

// A slip keeps the nearest keyword as a hint; a word close to none lists them.
TEST(Avvisi, LaParolaPiuVicina) {
    BancoLettura b;
    b.linea({"[generale]", "Progressiva chilometrica uno,  0,  0,  0", "lunghezza percorso,  3000", "[record]",
             "cruvad3,  100,  50", "xyzzy,  1", "[fine]"});
    b.leggi();
    std::vector<std::vector<std::string>> note;
    for (const Diagnostica& d : b.esito.diagnostiche)
        if (d.nome == "parola-chiave-sconosciuta") note.push_back(d.note);
    ASSERT_EQ(note.size(), 3u);
    EXPECT_EQ(note[0], (std::vector<std::string>{
                           "\"progressiva\", \"sfondo\", \"ripetizione\", \"segnali\", \"uno\", \"due\" e \"tre\" vanno "
                           "scritte in minuscolo"}));
    EXPECT_EQ(note[1], (std::vector<std::string>{"forse intendevi `curvad3`?"}));
    EXPECT_EQ(note[2], (std::vector<std::string>{"le parole chiave del file della linea sono: pendenza, "
                                                 "curvas1..curvad6, montagna, indicatori_vmax, cartello_indicatore"}));
}

}  // namespace
}  // namespace compattatore
