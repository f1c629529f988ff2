#include "reader/lettore_campi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace compattatore::lettore {
namespace {

// Performs the reads named by `letture` (s string, l 32-bit, i 16-bit,
// b unsigned 8-bit) and returns what each gave, as text.
std::vector<std::string> leggi(LettoreCampi& f, const std::string& letture) {
    std::vector<std::string> esiti;
    for (char tipo : letture) {
        switch (tipo) {
            case 's': esiti.push_back(f.leggi_stringa()); break;
            case 'l': esiti.push_back(std::to_string(f.leggi_32())); break;
            case 'i': esiti.push_back(std::to_string(f.leggi_16())); break;
            case 'b': esiti.push_back(std::to_string(f.leggi_u8())); break;
        }
    }
    return esiti;
}

struct CasoCampi {
    const char* nome;
    std::string dati;
    std::string letture;
    std::vector<std::string> attesi;
    bool fine_attesa;
};

TEST(LettoreCampi, LeggeOgniCampoSecondoLeRegole) {
    const std::vector<CasoCampi> casi = {
        {"numero chiuso da blank e virgola", "12  ,5\r\n", "ll", {"12", "5"}, true},
        {"numeri separati da soli blank", "orologio,    16              20            30 \r\nX\r\n", "siiis",
         {"orologio", "16", "20", "30", "X"}, true},
        {"blank finale e fine riga del numero", "16 \r\n7", "ll", {"16", "7"}, true},
        {"stringhe senza blank ai bordi", "  abc  ,\tdef \r\n", "ss", {"abc", "def"}, true},
        {"riga vuota come stringa", "\r\n[fine]\r\n", "ss", {"", "[fine]"}, true},
        {"campi numerici vuoti", ",  ,7", "lll", {"0", "0", "7"}, true},
        {"numero vuoto in fondo alla riga", "5,  \r\n6", "lll", {"5", "0", "6"}, true},
        {"valore negativo", "-284500,x", "ls", {"-284500", "x"}, true},
        {"segno piu", "+17", "l", {"17"}, true},
        {"decimali con la virgola", "pendenza,  1250,   -4,5\r\n", "slls", {"pendenza", "1250", "-4", "5"}, true},
        {"campo tra virgolette", "\"a, b \" ,c", "ss", {"a, b ", "c"}, true},
        {"solo LF", "a\nb\n", "ss", {"a", "b"}, true},
        {"trattini nel testo", "(Dev.)(U.  )", "s", {"(Dev.)(U.  )"}, true},
        {"limiti dei membri", "255,-32768,32767,-2147483648,2147483647", "biill",
         {"255", "-32768", "32767", "-2147483648", "2147483647"}, true},
        {"resta qualcosa dopo il delimitatore", "a,\r\n", "s", {"a"}, false},
        {"campo finale senza fine riga", "[fine]", "s", {"[fine]"}, true},
        // A line whose first non-blank byte is '#' is not there.
        {"commenti prima, tra e dopo i record", "# a, 1\r\nb,2\r\n  \t# c,3\r\nd\r\n#\r\n# fine", "sls",
         {"b", "2", "d"}, true},
        {"commento dentro un record spezzato", "a\r\n# x\r\n 5", "sl", {"a", "5"}, true},
        {"il cancelletto dopo un blank di campo", "a, # b\r\n", "ss", {"a", "# b"}, true},
        {"solo commenti", "# uno\n# due\n", "", {}, true},
    };
    for (const CasoCampi& c : casi) {
        SCOPED_TRACE(c.nome);
        LettoreCampi f(c.dati);
        EXPECT_EQ(leggi(f, c.letture), c.attesi);
        EXPECT_EQ(f.fine(), c.fine_attesa);
    }
}

TEST(LettoreCampi, LeLettureImpossibiliSonoGuasti) {
    struct Caso {
        const char* nome;
        std::string dati;
        std::string prima;  // reads that succeed
        char fallisce;      // the read that fails
    };
    const std::vector<Caso> casi = {
        {"lettura alla fine del file", "a\r\n", "s", 's'},
        {"numero alla fine del file", "7", "l", 'l'},
        {"testo dove serve un numero", "abc", "", 'l'},
        {"numero con decimali", "4.5", "", 'l'},
        {"solo il segno", "-", "", 'l'},
        {"byte oltre 255", "256", "", 'b'},
        {"byte negativo", "-1", "", 'b'},
        {"16 bit oltre il limite", "32768", "", 'i'},
        {"32 bit oltre il limite", "2147483648", "", 'l'},
        {"numero enorme", "99999999999999999999999", "", 'l'},
        {"virgolette non chiuse", "\"abc\r\ndef\"", "", 's'},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        LettoreCampi f(c.dati);
        leggi(f, c.prima);
        EXPECT_THROW(leggi(f, std::string(1, c.fallisce)), GuastoCampo);
    }
}

// A record stands on its line: the field it lacks is missing right after its
// last field, and the next line is left for the next record.
TEST(LettoreCampi, UnRecordNonContinuaNellaRigaSeguente) {
    struct Caso {
        const char* nome;
        std::string dati;
        std::string prima;
        int riga, colonna;  // where the missing field goes
    };
    const std::vector<Caso> casi = {
        {"riga finita", "rallentamento,  28000,    60,  600\r\nsegnale, 1", "slll", 1, 35},
        {"blank in fondo", "orologio,  16 20  \nsabbia", "sll", 1, 17},
        {"fine dei dati", "abbattimento,  327450", "sl", 1, 22},
        {"virgola e fine dei dati", "abbattimento,  327450,", "sl", 1, 22},
        {"solo la parola chiave", "lunghezza percorso\r\n5000", "s", 1, 19},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        LettoreCampi f(c.dati);
        f.inizia_record();
        leggi(f, c.prima);
        try {
            f.leggi_32();
            ADD_FAILURE() << "nessun guasto";
        } catch (const GuastoCampo& g) {
            EXPECT_EQ(g.causa, GuastoCampo::Causa::mancante);
            EXPECT_EQ(g.campo.riga, c.riga);
            EXPECT_EQ(g.campo.colonna, c.colonna);
        }
    }
    LettoreCampi f("segnale, 1050\r\nsegnale, 1100\r\n");
    f.inizia_record();
    EXPECT_EQ(leggi(f, "sl"), (std::vector<std::string>{"segnale", "1050"}));
    EXPECT_THROW(f.leggi_32(), GuastoCampo);
    f.inizia_record();
    EXPECT_EQ(leggi(f, "sl"), (std::vector<std::string>{"segnale", "1100"}));
    EXPECT_EQ(f.posizione_campo().riga, 2);
}

TEST(LettoreCampi, RiportaRigaETestoDelCampo) {
    LettoreCampi f("uno\r\n  due , tre\r\n\r\nquattro");
    EXPECT_EQ(f.leggi_stringa(), "uno");
    EXPECT_EQ(f.posizione_campo().riga, 1);
    EXPECT_EQ(f.testo_riga(f.posizione_campo()), "uno");
    EXPECT_EQ(f.leggi_stringa(), "due");
    EXPECT_EQ(f.leggi_stringa(), "tre");
    EXPECT_EQ(f.posizione_campo().riga, 2);
    EXPECT_EQ(f.testo_riga(f.posizione_campo()), "  due , tre");
    EXPECT_EQ(f.leggi_stringa(), "");
    EXPECT_EQ(f.posizione_campo().riga, 3);
    EXPECT_EQ(f.leggi_stringa(), "quattro");
    EXPECT_EQ(f.posizione_campo().riga, 4);
    EXPECT_EQ(f.testo_riga(f.posizione_campo()), "quattro");

    // Comment lines count as lines.
    LettoreCampi g("# uno\r\n# due\r\ntre\r\n  # quattro\r\ncinque");
    EXPECT_EQ(g.leggi_stringa(), "tre");
    EXPECT_EQ(g.posizione_campo().riga, 3);
    EXPECT_EQ(g.leggi_stringa(), "cinque");
    EXPECT_EQ(g.posizione_campo().riga, 5);
}

}  // namespace
}  // namespace compattatore::lettore
