#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/impaginazione.h"

using namespace compattatore::lettore;

namespace {

// The written line of a record from the texts of its values.
std::string scritto(IdRecord id, std::vector<std::string> valori) {
    const Impaginazione* imp = impaginazione(id);
    EXPECT_NE(imp, nullptr);
    return imp ? impagina(*imp, record_formato(id).parole[0], valori) : "";
}

}  // namespace

// Lines as the program writes them: values right-aligned in their widths, a
// wider value taking the room it needs, the closing blank of orologio.
TEST(Impaginazione, RigheComeLeScriveIlProgramma) {
    const struct {
        IdRecord id;
        std::vector<std::string> valori;
        const char* riga;
    } casi[] = {
        {IdRecord::stazione,
         {"0", "8", "500", "1", "0", "0", "4", "1", "0", "2", "1", "1", "1", "16", "14", "30", "Fontecava"},
         "stazione,       0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Fontecava"},
        {IdRecord::segnale,
         {"123456789", "2", "4", "1", "1", "0", "2", "2", "1", "1", "0"},
         "segnale,123456789,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
        {IdRecord::orologio, {"16", "20", "30"}, "orologio,    16              20            30 "},
        {IdRecord::indicatori_vmax,
         {"1000", "90", "95", "100", "0", "", "", "", "0"},
         "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0"},
    };
    for (const auto& c : casi) EXPECT_EQ(scritto(c.id, c.valori), c.riga) << c.riga;
}

// Every record the program writes has a layout with a column per field of
// the format's table; the records of the documents alone have none.
TEST(Impaginazione, UnaColonnaPerCampo) {
    for (const Record& r : formato_descrizione().records) {
        const Impaginazione* imp = impaginazione(r.id);
        if (r.solo_documenti) {
            EXPECT_EQ(imp, nullptr) << r.parole[0];
            continue;
        }
        ASSERT_NE(imp, nullptr) << r.parole[0];
        EXPECT_EQ(imp->colonne.size(), r.campi.size()) << r.parole[0];
    }
}
