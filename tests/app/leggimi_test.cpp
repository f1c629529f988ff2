// LEGGIMI.txt, the notes shipped with the Windows program, read as Notepad
// reads them: Windows-1252 with CR LF line ends, and covering what a Windows
// author needs, from the first start to the exit statuses.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace compattatore {
namespace {

// The text as UTF-8, read byte by byte as Windows-1252 (the notes use only
// the Latin-1 letters of it); false when a byte is one Notepad would show
// otherwise, or when the bytes look like UTF-8 instead.
bool da_windows1252(const std::string& byte, std::string& testo) {
    testo.clear();
    for (std::size_t i = 0; i < byte.size(); ++i) {
        const auto b = static_cast<unsigned char>(byte[i]);
        if (b >= 0x80 && b < 0xA0) return false;
        if (b == 0xC3 && i + 1 < byte.size() && static_cast<unsigned char>(byte[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(byte[i + 1]) < 0xC0)
            return false;  // "Ã" and a continuation byte: UTF-8
        if (b < 0x80) {
            testo.push_back(static_cast<char>(b));
        } else {
            testo.push_back(static_cast<char>(0xC0 | (b >> 6)));
            testo.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return true;
}

TEST(Leggimi, InWindows1252ConCrLfECompleto) {
    const std::string byte = test::read_bytes(COMPATTATORE_LEGGIMI);
    std::string testo;
    ASSERT_TRUE(da_windows1252(byte, testo));
    EXPECT_NE(byte.find("citt\xE0"), std::string::npos);
    // Every line ends with CR LF, and no line is wider than Notepad's window.
    std::size_t inizio = 0, righe = 0;
    for (std::size_t lf = byte.find('\n'); lf != std::string::npos; lf = byte.find('\n', inizio)) {
        ASSERT_GT(lf, inizio) << "riga " << righe + 1;
        EXPECT_EQ(byte[lf - 1], '\r') << "riga " << righe + 1;
        EXPECT_LE(lf - 1 - inizio, 76u) << "riga " << righe + 1;
        EXPECT_EQ(byte.substr(inizio, lf - 1 - inizio).find('\r'), std::string::npos) << "riga " << righe + 1;
        inizio = lf + 1;
        ++righe;
    }
    EXPECT_EQ(inizio, byte.size());
    EXPECT_GT(righe, 100u);

    const std::vector<std::pair<const char*, const char*>> punti = {
        {"il primo avvio di un programma non firmato", "\"Esegui comunque\""},
        {"il doppio clic e la finestra che aspetta", "Premere un\r\ntasto per chiudere questa finestra."},
        {"l'aiuto alla maniera di Windows", "compattatore.exe /?"},
        {"per cominciare", "compattatore.exe sources C:\\Scenari\\lavoro --nuovo"},
        {"check, il controllo di tutti i giorni", "compattatore.exe check C:\\Scenari\\lavoro"},
        {"compile", "compattatore.exe compile C:\\Scenari\\lavoro"},
        {"decompile", "compattatore.exe decompile C:\\Scenari\\lavoro"},
        {"plot", "compattatore.exe plot C:\\Scenari\\lavoro -o scenario.svg"},
        {"--force", "--force: sources e decompile"},
        {"il file delle note", "Brunovale_Quarzo_note-.txt"},
        {"le codifiche dei file dell'autore", "I tre file dell'autore (la linea, il treno e le note)"},
        {"UTF-8", "UTF-8             (nel Blocco note: \"UTF-8\" o \"UTF-8 con BOM\")"},
        {"l'\"Unicode\" del Blocco note", "UTF-16 con BOM    (il \"Unicode\" del Blocco note"},
        {"Windows-1252", "Windows-1252      (nel Blocco note: \"ANSI\")"},
        {"la scheda", "Brunovale_Quarzo_scheda_treno.txt"},
        {"la prescrizione", "Brunovale_Quarzo_rallentamenti.txt"},
        {"lo stato 3", "    3   memoria insufficiente"},
        {"lo stato 64", "    64  riga di comando errata"},
        {"il file di blocco nascosto", "Il file nascosto .compattatore.lock"},
        {"un file aperto in un altro programma", "è aperto in un altro programma: chiuderlo e\r\nripetere"},
        {"un file in sola lettura", "\"Sola lettura\") non viene mai sostituito"},
        {"la barra rovesciata finale", "\".\\lavoro città\\\""},
        {"i nomi di linea e treno", "I nomi di linea e di treno (--linea, --treno) sono nomi, non percorsi"},
    };
    for (const auto& [punto, frase] : punti) EXPECT_NE(testo.find(frase), std::string::npos) << punto;
}

}  // namespace
}  // namespace compattatore
