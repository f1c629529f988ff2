// The simulator's notes from the author's own UTF-8 text: paragraphs
// indented, long ones continued on the next line, Windows-1252 bytes, CR LF;
// what cannot become the notes is reported at its line and column.
#include "documents/note_autore.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

using Righe = std::vector<std::string>;

TEST(NoteAutore, ParagrafiRigheVuoteECodice) {
    const struct {
        std::string testo;
        Righe righe;
    } casi[] = {
        {"", {}},
        {"Un paragrafo.", {"   Un paragrafo."}},
        {"Uno.\nDue.\n", {"   Uno.", "   Due."}},
        {"\xEF\xBB\xBFUno.\r\n\r\n   \r\n  Due.  \r\n", {"   Uno.", "", "", "   Due."}},
        {"città \u20AC 5, \u201Cvirgolette\u201D \u2013 Ettore.", {"   citt\xE0 \x80 5, \x93virgolette\x94 \x96 Ettore."}},
        // Accents as some editors save them: the letter, then the combining accent.
        {"perche\u0301 citta\u0300 N\u0303e S\u030Ci c\u0327", {"   perch\xE9 citt\xE0 \xD1" "e \x8Ai \xE7"}},
    };
    for (const auto& c : casi) EXPECT_EQ(righe_note_autore(c.testo), c.righe) << c.testo;
    EXPECT_EQ(note_autore("Uno.\n\nDue."), "   Uno.\r\n\r\n   Due.\r\n");
    // A thousand lines of the author's, however many lines they make.
    EXPECT_EQ(righe_note_autore(std::string(999, '\n') + std::string(2000, 'p')).size(), 1002u);
}

// A paragraph longer than a line goes on at once on the next, cut at the
// last blank that keeps the line within 766 characters; a word longer than
// a line is cut with a hyphen.
TEST(NoteAutore, ParagrafiLunghi) {
    std::string parole;
    for (int i = 0; i < 300; ++i) parole += "parola" + std::to_string(i % 10) + " ";
    const Righe r = righe_note_autore(parole);
    ASSERT_GE(r.size(), 3u);
    std::string di_nuovo;
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_LE(r[i].size(), lunghezza_riga_note) << i;
        EXPECT_NE(r[i].back(), ' ') << i;
        if (i > 0) {
            EXPECT_NE(r[i][0], ' ') << "a continuation begins with the text, line " << i;
            di_nuovo += " ";
        }
        di_nuovo += r[i];
        // Each line but the last is as full as the words allow.
        if (i + 1 < r.size()) {
            EXPECT_GT(r[i].size() + 1 + r[i + 1].find(' '), lunghezza_riga_note) << i;
        }
    }
    EXPECT_EQ(di_nuovo, "   " + parole.substr(0, parole.size() - 1));

    const std::string parola(2000, 'x');
    const Righe p = righe_note_autore("inizio " + parola);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0], "   inizio");
    EXPECT_EQ(p[1], std::string(765, 'x') + "-");
    EXPECT_EQ(p[2], std::string(765, 'x') + "-");
    EXPECT_EQ(p[3], std::string(470, 'x'));
    EXPECT_EQ(righe_note_autore(std::string(763, 'y')), Righe{"   " + std::string(763, 'y')});
}

TEST(NoteAutore, ErroriAllaRigaEAllaColonna) {
    const struct {
        std::string testo;
        int riga, colonna;
        std::string messaggio;
    } casi[] = {
        {"Prima riga.\nPiù \u2192 avanti", 2, 5, "carattere U+2192 non rappresentabile in Windows-1252"},
        {"\u00E8\u00E8\U0001F682", 1, 3, "carattere U+1F682 non rappresentabile in Windows-1252"},
        {"Uno.\r\nCitt\xE0 in Latin-1", 2, 5, "testo non in UTF-8"},
        {"a\x01", 1, 2, "carattere di controllo nelle note"},
        {"Uno.\na\tb", 2, 2, "tabulazione nelle note: al suo posto degli spazi"},
        {"ab\u0080", 1, 3, "carattere di controllo nelle note"},
        {"\u00E8\u0081", 1, 2, "carattere di controllo nelle note"},
        // An accent with no letter it joins in the code page.
        {"x\u0301", 1, 2, "carattere U+0301 non rappresentabile in Windows-1252"},
        {"\u00E8\u0301", 1, 2, "carattere U+0301 non rappresentabile in Windows-1252"},
        // The limit counts the author's lines, not the lines a long paragraph makes.
        {std::string(1000, '\n') + std::string(2000, 'p'), 1001, 1, "le note superano le 1000 righe"},
        {"Uno\rDue", 1, 4, "carattere di controllo nelle note"},
        {std::string(1001, '\n') + "x", 1001, 1, "le note superano le 1000 righe"},
    };
    for (const auto& c : casi) {
        try {
            righe_note_autore(c.testo);
            ADD_FAILURE() << "accepted: " << c.testo.substr(0, 40);
        } catch (const ErroreNote& e) {
            EXPECT_EQ(e.riga(), c.riga) << c.messaggio;
            EXPECT_EQ(e.colonna(), c.colonna) << c.messaggio;
            EXPECT_EQ(std::string(e.what()), c.messaggio);
        }
    }
}

}  // namespace
}  // namespace compattatore
