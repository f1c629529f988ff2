// The fields of the texts the decompilation writes.
#include "decompile/decompilazione_testo.h"

#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

// A sign's text or a station's name is written so that the reader reads it
// back exactly, or reported when no field can hold it.
TEST(CampoTesto, VirgolettaCioCheIlLettoreTaglierebbeODividerebbe) {
    using decompilazione::campo_testo;
    const std::pair<std::string, std::optional<std::string>> casi[] = {
        {"(Zona)(Cod )", "(Zona)(Cod )"},
        {"Citt\xE0 \"Alta\"", "Citt\xE0 \"Alta\""},
        {"a, b", "\"a, b\""},
        {"  rientrato", "\"  rientrato\""},
        {"coda\t", "\"coda\t\""},
        {"", "\"\""},
        {"\"citato", std::nullopt},
        {"a, \"b\"", std::nullopt},
        {"due\nrighe", std::nullopt},
        {"due\r\nrighe", std::nullopt},
    };
    for (const auto& [testo, campo] : casi) EXPECT_EQ(campo_testo(testo), campo) << testo;
}

}  // namespace
}  // namespace compattatore
