// The author's texts in the encodings editors save: each to the bytes the
// reader reads, and the characters Windows-1252 lacks at their places.
#include "documents/testo_autore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace compattatore {
namespace {

TEST(TestoAutore, OgniCodificaDaGliStessiByte) {
    struct Caso {
        const char* nome;
        std::string byte;
        CodificaAutore codifica;
        std::string windows1252;
    };
    const std::vector<Caso> casi = {
        {"ASCII", "a,\r\nb\r\n", CodificaAutore::utf8, "a,\r\nb\r\n"},
        {"Windows-1252 resta com'è", "Citt\xE0 \x80 \x81\r\n", CodificaAutore::windows1252, "Citt\xE0 \x80 \x81\r\n"},
        {"UTF-8", "Citt\xC3\xA0 \xE2\x82\xAC\r\n", CodificaAutore::utf8, "Citt\xE0 \x80\r\n"},
        {"UTF-8 con il segno", "\xEF\xBB\xBF" "Citt\xC3\xA0\n", CodificaAutore::utf8, "Citt\xE0\n"},
        {"accento a parte", "Citta\xCC\x80", CodificaAutore::utf8, "Citt\xE0"},
        {"UTF-16 little-endian", std::string("\xFF\xFE" "C\0\xE0\0\r\0\n\0", 10), CodificaAutore::utf16, "C\xE0\r\n"},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0C\0\xE0\x20\xAC", 8), CodificaAutore::utf16, "C\xE0\x80"},
        {"non UTF-8 con il segno", "\xEF\xBB\xBF" "Citt\xE0", CodificaAutore::windows1252, "\xEF\xBB\xBF" "Citt\xE0"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(codifica_autore(c.byte), c.codifica);
        const DescrizioneAutore d = descrizione_in_windows1252(c.byte);
        EXPECT_EQ(d.testo, c.windows1252);
        EXPECT_TRUE(d.fuori.empty());
    }
    // The notes are read in UTF-8 whatever the file was saved in.
    EXPECT_EQ(testo_autore_utf8("Citt\xE0 \x80"), "Citt\xC3\xA0 \xE2\x82\xAC");
    EXPECT_EQ(testo_autore_utf8(std::string("\xFF\xFE" "C\0\xE0\0", 6)), "C\xC3\xA0");
}

TEST(TestoAutore, UnCarattereCheWindows1252NonHaEUnErroreAlSuoPosto) {
    const DescrizioneAutore d = descrizione_in_windows1252("uno\r\ndue \xE2\x86\x92 tre \xE2\x9C\x93\r\n\xC3\xA8\r\n");
    EXPECT_EQ(d.testo, "uno\r\ndue ? tre ?\r\n\xE8\r\n");
    ASSERT_EQ(d.fuori.size(), 2u);
    EXPECT_EQ(d.fuori[0].riga, 2);
    EXPECT_EQ(d.fuori[0].colonna, 5);
    EXPECT_EQ(d.fuori[0].larghezza, 3);
    EXPECT_EQ(d.fuori[0].punto, U'\u2192');
    EXPECT_EQ(d.fuori[0].riga_utf8, "due \xE2\x86\x92 tre \xE2\x9C\x93");
    EXPECT_EQ(d.fuori[1].colonna, 13);
    EXPECT_EQ(d.fuori[1].punto, U'\u2713');
}

}  // namespace
}  // namespace compattatore
