// The description format's table: every keyword is read as its own record,
// the fuzz dictionary knows it, and every field is described.
#include "reader/formato_descrizione.h"

#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

#include "reader/parole_chiave.h"

namespace compattatore::lettore {
namespace {

TEST(FormatoDescrizione, OgniParolaChiaveELettaComeIlSuoRecordENelDizionario) {
    const std::string dizionario = test::read_bytes(std::string(COMPATTATORE_SORGENTI) + "/fuzz/parole.dict");
    ASSERT_FALSE(dizionario.empty());
    std::set<std::string_view> viste;
    for (const Record& r : formato_descrizione().records) {
        ASSERT_FALSE(r.parole.empty());
        for (const std::string_view p : r.parole) {
            EXPECT_TRUE(viste.insert(p).second) << p << " è di due record";
            // The first record of its context that the keyword matches is its own.
            const Record* letto = riconosci(p, r.contesto);
            ASSERT_NE(letto, nullptr) << p;
            EXPECT_EQ(letto->id, r.id) << p;
            EXPECT_EQ(record_della_parola(p), &r) << p;
            EXPECT_NE(dizionario.find("\"" + std::string(p) + ",\""), std::string::npos)
                << p << " manca in fuzz/parole.dict";
        }
        // The example is a record of its own keyword, with one value per field.
        const std::string_view esempio = r.esempio;
        const std::string_view chiave = esempio.substr(0, esempio.find(','));
        EXPECT_EQ(riconosci(chiave, r.contesto), &r) << esempio;
        std::size_t virgole = 0;
        for (const char c : esempio) virgole += c == ',';
        // The clock's three numbers stand after one comma, divided by blanks.
        if (r.id != IdRecord::orologio) {
            EXPECT_EQ(virgole, r.campi.size()) << esempio;
        }
        for (const Campo& c : r.campi) {
            EXPECT_FALSE(c.nome.empty());
            EXPECT_FALSE(c.significato.empty()) << r.parole[0] << " " << c.nome;
            EXPECT_LE(c.minimo, c.massimo) << r.parole[0] << " " << c.nome;
        }
    }
    for (const Sezione& s : formato_descrizione().sezioni)
        EXPECT_NE(dizionario.find("\"" + std::string(s.intestazione) + "\""), std::string::npos)
            << s.intestazione << " manca in fuzz/parole.dict";
}

// The matching rules as the texts have always been read: by the words a
// field contains, case ignored except for the general keys' own words.
TEST(FormatoDescrizione, RiconosceComeHaSempreLetto) {
    struct Caso {
        std::string_view campo;
        Contesto contesto;
        const char* record;  // keyword of the record expected, or nullptr
    };
    const Caso casi[] = {
        {"Lunghezza Percorso", Contesto::generale, "lunghezza percorso"},
        {"Progressiva chilometrica uno", Contesto::generale, nullptr},
        {"progressiva chilometrica UNO", Contesto::generale, nullptr},
        {"sfondo  tre", Contesto::generale, "sfondo tre"},
        {"ripetizione dei segnali", Contesto::generale, "ripetizione segnali 9 codici"},
        {"curva", Contesto::linea, "curvas1"},
        {"CURVAD3", Contesto::linea, "curvas1"},
        {"indicatori_v", Contesto::linea, "indicatori_vmax"},
        {"indicatore cartello", Contesto::linea, "cartello_indicatore"},
        {"[pendenze]", Contesto::linea, nullptr},
        {"velocità", Contesto::treno, "velocita"},
        {"massa frenata", Contesto::treno, "percentuale massa frenata"},
        {"Numero Treno", Contesto::treno, "numero treno"},
        {"segnale", Contesto::linea, nullptr},
    };
    for (const Caso& c : casi) {
        const Record* r = riconosci(c.campo, c.contesto);
        if (!c.record) {
            EXPECT_EQ(r, nullptr) << c.campo;
        } else {
            ASSERT_NE(r, nullptr) << c.campo;
            EXPECT_EQ(r, record_della_parola(c.record)) << c.campo;
        }
    }
}

}  // namespace
}  // namespace compattatore::lettore
