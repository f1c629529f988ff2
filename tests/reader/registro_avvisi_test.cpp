// The warnings' registry and the authors' guide: the guide's table of the
// warnings is the registry, row by row.
#include "reader/registro_avvisi.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace compattatore::lettore {
namespace {

TEST(RegistroAvvisi, LaTabellaDellaGuidaELElencoDelRegistro) {
    const std::string guida = test::read_bytes(std::string(COMPATTATORE_SORGENTI) + "/docs/autori.md");

    std::string tabella = "| nome | che cosa vuol dire |\n|---|---|\n";
    std::set<std::string_view> nomi;
    for (const VoceAvviso& v : registro_avvisi()) {
        EXPECT_TRUE(nomi.insert(v.nome).second) << v.nome;
        EXPECT_EQ(nome_avviso(v.avviso), v.nome);
        EXPECT_EQ(avviso_di_nome(v.nome), &v);
        tabella += "| `" + std::string(v.nome) + "` | " + std::string(v.significato) + " |\n";
    }
    const std::size_t sezione = guida.find("## Gli avvisi\n");
    ASSERT_NE(sezione, std::string::npos);
    const std::size_t inizio = guida.find("| nome |", sezione);
    ASSERT_NE(inizio, std::string::npos);
    std::size_t fine = guida.find("\n\n", inizio);
    fine = fine == std::string::npos ? guida.size() : fine + 1;
    EXPECT_EQ(guida.substr(inizio, fine - inizio), tabella);
    EXPECT_EQ(avviso_di_nome("record-spezzato"), nullptr);
}

}  // namespace
}  // namespace compattatore::lettore
