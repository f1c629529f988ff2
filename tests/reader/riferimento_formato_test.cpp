// The authors' reference: docs/formato.md is what the format's table
// writes, and it covers every record and field of it.
#include "reader/riferimento_formato.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

#include "reader/formato_descrizione.h"

namespace compattatore::lettore {
namespace {

// After a change of the table: build/compattatore reference > docs/formato.md
TEST(RiferimentoFormato, IlFileNelRepositoryEQuelloCheLaTabellaScrive) {
    const std::string scritto = test::read_bytes(std::string(COMPATTATORE_SORGENTI) + "/docs/formato.md");
    EXPECT_TRUE(scritto == riferimento_formato())
        << "docs/formato.md non è aggiornato: build/compattatore reference > docs/formato.md";
}

TEST(RiferimentoFormato, OgniRecordEOgniCampoViSonoDescritti) {
    const std::string tutto = riferimento_formato();
    for (const Record& r : formato_descrizione().records) {
        for (const std::string_view p : r.parole) {
            const std::optional<std::string> scheda = riferimento_record(p);
            ASSERT_TRUE(scheda) << p;
            EXPECT_NE(tutto.find(*scheda), std::string::npos) << p;
            EXPECT_NE(scheda->find(r.esempio), std::string::npos) << p;
            for (std::size_t i = 0; i < r.campi.size(); ++i)
                EXPECT_NE(scheda->find("| " + std::to_string(i + 1) + " | " + std::string(r.campi[i].nome) + " | "),
                          std::string::npos)
                    << p << " campo " << i + 1;
        }
    }
    for (const Sezione& s : formato_descrizione().sezioni)
        EXPECT_NE(tutto.find("`" + std::string(s.intestazione) + "`"), std::string::npos) << s.intestazione;
    EXPECT_EQ(riferimento_record("SEGNALE"), riferimento_record("segnale"));
    EXPECT_FALSE(riferimento_record("segnal"));
}

}  // namespace
}  // namespace compattatore::lettore
