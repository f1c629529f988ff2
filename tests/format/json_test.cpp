#include "format/json.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(TestoJson, EscapeDiVirgoletteControlliEOgniByteNonAsciiComeLatin1) {
    const struct {
        std::string byte;
        const char* json;
    } casi[] = {
        {"", R"("")"},
        {"Brunovale", R"("Brunovale")"},
        {"a\"b\\c/d", R"("a\"b\\c/d")"},
        {"\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {std::string("\x00\x01\x1F", 3), R"("\u0000\u0001\u001f")"},
        {"\x7F\x80\x9F", R"("\u007f\u0080\u009f")"},
        {"Citt\xE0 \xC8 \xFF", R"("Citt\u00e0 \u00c8 \u00ff")"},
    };
    for (const auto& c : casi) EXPECT_EQ(testo_json(c.byte), c.json) << c.json;
}

TEST(RealeJson, IlTestoPiuCortoCheRileggeGliStessiBit) {
    EXPECT_EQ(reale_json(0.1), "0.1");
    EXPECT_EQ(reale_json(1.0), "1");
    EXPECT_EQ(reale_json(-0.0), "-0");
    EXPECT_EQ(reale_json(1e300), "1e+300");
    EXPECT_EQ(reale_json(std::numeric_limits<double>::denorm_min()), "5e-324");

    std::mt19937_64 caso(12345);
    for (int i = 0; i < 20000; ++i) {
        double v = std::bit_cast<double>(caso());
        if (!std::isfinite(v)) continue;
        const std::string t = reale_json(v);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(std::strtod(t.c_str(), nullptr)), std::bit_cast<std::uint64_t>(v)) << t;
    }
}

TEST(RealeJson, IValoriNonFinitiViaggianoComeBit) {
    EXPECT_EQ(reale_json(std::numeric_limits<double>::infinity()), R"("bits:7ff0000000000000")");
    EXPECT_EQ(reale_json(-std::numeric_limits<double>::infinity()), R"("bits:fff0000000000000")");
    EXPECT_EQ(reale_json(std::bit_cast<double>(std::uint64_t{0xFFF80000DEADBEEF})), R"("bits:fff80000deadbeef")");
}

TEST(ScrittoreJson, MembriSuRigheProprieSalvoContenitoreCompatto) {
    std::ostringstream out;
    ScrittoreJson j(out);
    j.apri_oggetto();
    j.campo("a", -1);
    j.chiave("b");
    j.apri_lista(true);
    j.intero(1);
    j.apri_oggetto();  // inside a compact list: compact too
    j.campo_testo("x", "y");
    j.chiudi_oggetto();
    j.chiudi_lista();
    j.chiave("c");
    j.apri_lista();
    j.nullo();
    j.booleano(true);
    j.reale(2.5);
    j.chiudi_lista();
    j.chiave("d");
    j.apri_oggetto();
    j.chiudi_oggetto();
    j.chiudi_oggetto();
    j.fine();
    EXPECT_EQ(out.str(), "{\n  \"a\": -1,\n  \"b\": [1,{\"x\":\"y\"}],\n  \"c\": [\n    null,\n    true,\n    2.5\n  ],\n"
                         "  \"d\": {}\n}\n");
}

TEST(ScrittoreJson, RifiutaUnDocumentoCheNonSarebbeValido) {
    std::ostringstream out;
    ScrittoreJson j(out);
    j.apri_oggetto();
    EXPECT_THROW(j.intero(1), std::logic_error);  // a value with no key
    EXPECT_THROW(j.chiudi_lista(), std::logic_error);
    j.chiave("k");
    EXPECT_THROW(j.chiave("k2"), std::logic_error);  // two keys in a row
    EXPECT_THROW(j.chiudi_oggetto(), std::logic_error);  // a key with no value
    j.intero(1);
    EXPECT_THROW(j.fine(), std::logic_error);  // still open
    j.chiudi_oggetto();
    j.fine();
}

}  // namespace
}  // namespace compattatore
