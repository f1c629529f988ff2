// The text and JSON forms of the diagnostics, exactly.
#include "app/diagnostica.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

Luogo luogo(std::string testo, int colonna, int larghezza) {
    Luogo u;
    u.file = "L_linea.txt";
    u.riga = 7;
    u.colonna = colonna;
    u.larghezza = larghezza;
    u.testo = std::move(testo);
    return u;
}

TEST(Diagnostica, RigaECursoreSottoIlCampo) {
    struct Caso {
        const char* nome;
        Luogo u;
        std::string riga, cursore;
    };
    const std::string lunga = "x" + std::string(300, '.') + "VALORE" + std::string(300, ',');
    Luogo cr = luogo(std::string("[generale]\r") + std::string(18000, 'a') + "\rpendenza", 1, 10);
    cr.continua = false;
    Luogo tagliata = luogo(std::string(240, 'b'), 100, 3);
    tagliata.inizio_testo = 501;  // the stored part starts at column 501 of a longer line
    tagliata.continua = true;
    tagliata.colonna = 560;
    const std::vector<Caso> casi = {
        {"riga corta", luogo("segnale,    1050,   2", 13, 4), "segnale,    1050,   2", "            ^~~~"},
        {"solo il cursore", luogo("abc", 2, 0), "abc", " ^"},
        {"campo vuoto alla fine", luogo("velocita, 1000,", 16, 0), "velocita, 1000,", "               ^"},
        {"byte di controllo", luogo("a\tb\x01" "c", 5, 1), "a\\tb\\x01c", "        ^"},
        {"UTF-8 e byte isolati", luogo("Citt\xC3\xA0, Citt\xE0", 9, 5), "Citt\xC3\xA0, Citt\\xE0",
         "       ^~~~~~~~"},
        // Characters that act on a terminal: C1 controls, direction overrides.
        {"controlli C1 e di direzione", luogo("a\xC2\x80" "b\xC2\x81" "c\xE2\x80\xAE" "d", 4, 1),
         "a\\u0080b\\u0081c\\u202Ed", "       ^"},
        {"campo lontano in una riga lunga", luogo(lunga, 302, 6),
         "..." + std::string(40, '.') + "VALORE" + std::string(48, ',') + "...",
         std::string(43, ' ') + "^~~~~~"},
        {"campo in testa a una riga lunga", luogo(lunga, 1, 1), "x" + std::string(96, '.') + "...", "^"},
        {"file con soli CR", cr, "[generale]\\r" + std::string(85, 'a') + "...", "^~~~~~~~~~"},
        {"parte di una riga piu lunga", tagliata, "..." + std::string(40, 'b') + std::string(54, 'b') + "...",
         std::string(43, ' ') + "^~~"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        const RigaConCursore r = riga_con_cursore(c.u);
        EXPECT_EQ(r.riga, c.riga);
        EXPECT_EQ(r.cursore, c.cursore);
        EXPECT_LE(r.riga.size(), 100u + 2u);
    }
}

TEST(Diagnostica, TestoDiUnErroreEDiUnAvviso) {
    Diagnostica e;
    e.numero = 16;
    e.messaggio = "segnale su una cella occupata";
    e.posizione = 1050;
    e.luogo = luogo("segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0", 13, 4);
    e.note = {"la cella 22 contiene già un segnale (L_T-.txt:214)"};
    EXPECT_EQ(testo_diagnostica(e),
              "L_linea.txt:7:13: errore: codice 16: segnale su una cella occupata (posizione 1050 m)\n"
              "    segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
              "                ^~~~\n"
              "    la cella 22 contiene già un segnale (L_T-.txt:214)\n");

    Diagnostica a;
    a.gravita = Gravita::avviso;
    a.nome = "parola-chiave-sconosciuta";
    a.messaggio = "parola chiave sconosciuta \"pendneza\": la riga è ignorata";
    a.luogo = luogo("pendneza,  1250,   -4", 1, 8);
    a.note = {"forse intendevi `pendenza`?"};
    EXPECT_EQ(testo_diagnostica(a),
              "L_linea.txt:7:1: avviso: parola chiave sconosciuta \"pendneza\": la riga è ignorata "
              "[parola-chiave-sconosciuta]\n"
              "    pendneza,  1250,   -4\n"
              "    ^~~~~~~~\n"
              "    forse intendevi `pendenza`?\n");

    // A file as a whole, and no place at all.
    Diagnostica f;
    f.numero = 101;
    f.messaggio = "file della linea non trovato";
    f.luogo = luogo_file("lavoro/L_linea.txt");
    EXPECT_EQ(testo_diagnostica(f), "lavoro/L_linea.txt: errore: codice 101: file della linea non trovato\n");
    f.luogo = {};
    f.numero = 1250;
    f.messaggio = "Errore n. 1250: ...";
    EXPECT_EQ(testo_diagnostica(f), "errore: Errore n. 1250: ...\n");
}

// Past the limit the report drops warnings first, keeps the first errors
// and the last, the outcome's, and says how many of each it left out.
TEST(Diagnostica, OltreIlLimiteGliErroriPrimaDegliAvvisi) {
    struct Caso {
        const char* voci;  // a: a warning, e: an error, in the order met
        std::size_t limite;
        std::string atteso;  // the first lines of what is shown, then the count
    };
    const std::vector<Caso> casi = {
        {"aaa", 1, "a0\n... non mostrati: 2 avvisi\n"},
        {"aaa", 2, "a0\na1\n... non mostrati: 1 avviso\n"},
        {"aaa", 3, "a0\na1\na2\n"},
        {"aaae", 2, "a0\ne3\n... non mostrati: 2 avvisi\n"},
        {"aaae", 1, "e3\n... non mostrati: 3 avvisi\n"},
        {"eaeae", 2, "e0\ne4\n... non mostrati: 1 errore e 2 avvisi\n"},
        {"eeeea", 3, "e0\ne1\ne3\n... non mostrati: 1 errore e 1 avviso\n"},
        {"aeaae", 4, "a0\ne1\na2\ne4\n... non mostrati: 1 avviso\n"},
        {"ee", 0, "... non mostrati: 2 errori\n"},
    };
    for (const Caso& c : casi) {
        EsitoCompilazione e;
        for (int i = 0; c.voci[i] != '\0'; ++i) {
            Diagnostica d;
            d.gravita = c.voci[i] == 'a' ? Gravita::avviso : Gravita::errore;
            d.messaggio = std::string(1, c.voci[i]) + std::to_string(i);
            e.aggiungi(d);
        }
        // Only the messages: one per line.
        std::string mostrato;
        const std::string testo = testo_diagnostiche(e, c.limite);
        for (std::size_t i = 0; i < testo.size();) {
            const std::size_t fine = testo.find('\n', i);
            std::string riga = testo.substr(i, fine - i);
            if (const std::size_t due_punti = riga.find(": "); riga.rfind("...", 0) != 0 && due_punti != std::string::npos)
                riga = riga.substr(due_punti + 2, 2);
            mostrato += riga + "\n";
            i = fine + 1;
        }
        EXPECT_EQ(mostrato, c.atteso) << c.voci << " " << c.limite;
    }
}

TEST(Diagnostica, FormaJson) {
    EsitoCompilazione e;
    Diagnostica a;
    a.gravita = Gravita::avviso;
    a.nome = "testo-utf8";
    a.messaggio = "il nome è in UTF-8";
    a.luogo = luogo("stazione, Citt\xE0 \"Alta\"", 11, 12);
    e.aggiungi(a);
    Diagnostica d;
    d.numero = 16;
    d.messaggio = "segnale su una cella occupata";
    d.posizione = 1050;
    d.luogo = luogo("segnale,    1050", 13, 4);
    d.note = {"nota"};
    e.aggiungi(d);
    const bool scritti = false;
    EXPECT_EQ(esito_json(e, ultimo_errore(e), 16, &scritti),
              "{\"codice\":16,\"spiegazione\":\"segnale su una cella occupata\",\"posizione\":1050,"
              "\"file\":\"L_linea.txt\",\"riga\":7,\"colonna\":13,\"testo\":\"segnale,    1050\","
              "\"scritti\":false,\"errori\":1,\"avvisi\":1,\"tralasciati\":0,\"diagnostiche\":["
              "{\"gravita\":\"avviso\",\"codice\":null,\"nome\":\"testo-utf8\",\"spiegazione\":"
              "\"il nome \\u00e8 in UTF-8\",\"posizione\":null,\"file\":\"L_linea.txt\",\"riga\":7,\"colonna\":11,"
              "\"testo\":\"stazione, Citt\\u00e0 \\\"Alta\\\"\",\"note\":[]},"
              "{\"gravita\":\"errore\",\"codice\":16,\"nome\":null,\"spiegazione\":\"segnale su una cella occupata\","
              "\"posizione\":1050,\"file\":\"L_linea.txt\",\"riga\":7,\"colonna\":13,\"testo\":\"segnale,    1050\","
              "\"note\":[\"nota\"]}]}");
    // No error: code 0 and nulls.
    EXPECT_EQ(esito_json(EsitoCompilazione{}, nullptr, 0, nullptr),
              "{\"codice\":0,\"spiegazione\":\"nessun errore\",\"posizione\":null,\"file\":null,\"riga\":null,"
              "\"colonna\":null,\"testo\":null,\"errori\":0,\"avvisi\":0,\"tralasciati\":0,\"diagnostiche\":[]}");
}

TEST(Diagnostica, OgniCodiceRegistratoHaLaSuaSpiegazione) {
    for (int codice : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101,
                       102, 103})
        EXPECT_FALSE(spiegazione_codice(static_cast<Codice>(codice)).empty()) << codice;
    EXPECT_TRUE(spiegazione_codice(static_cast<Codice>(14)).empty());
}

}  // namespace
}  // namespace compattatore
