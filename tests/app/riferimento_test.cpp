// `compattatore reference`: the format's reference on the terminal, the
// same text as docs/formato.md, whole or one record's.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/riga_di_comando.h"
#include "support/esecuzione.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

using test::Esecuzione;
using test::esegui;

TEST(Reference, StampaIlRiferimentoDelRepositoryOUnSuoRecord) {
    const std::string file = test::read_bytes(std::string(COMPATTATORE_SORGENTI) + "/docs/formato.md");

    const Esecuzione tutto = esegui({"reference"});
    EXPECT_EQ(tutto.stato, 0);
    EXPECT_TRUE(tutto.out == file);
    EXPECT_EQ(tutto.err, "");

    const Esecuzione segnale = esegui({"reference", "Segnale"});
    EXPECT_EQ(segnale.stato, 0);
    EXPECT_EQ(segnale.out.rfind("#### `segnale`\n", 0), 0u);
    EXPECT_NE(file.find(segnale.out), std::string::npos);
    EXPECT_NE(segnale.out.find("| 11 | tempo | intero a 32 bit |"), std::string::npos);

    const Esecuzione sconosciuta = esegui({"reference", "rallentamneto"});
    EXPECT_EQ(sconosciuta.stato, 64);
    EXPECT_EQ(sconosciuta.out, "");
    EXPECT_EQ(sconosciuta.err,
              "compattatore: \"rallentamneto\" non è una parola chiave delle descrizioni; forse \"rallentamento\"?\n"
              "(compattatore reference senza parola elenca tutti i record)\n");
}

}  // namespace
}  // namespace compattatore
