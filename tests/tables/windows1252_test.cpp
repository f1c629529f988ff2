#include "tables/windows1252.h"

#include <string>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(InWindows1252, OgniCarattereDelCodiceDiventaUnByte) {
    const struct {
        std::string utf8, byte;
    } casi[] = {
        {"", ""},
        {"linea 334 km, +11", "linea 334 km, +11"},
        {"città è lì però più", "citt\xE0 \xE8 l\xEC per\xF2 pi\xF9"},
        {"perché È", "perch\xE9 \xC8"},
        {"\u00A0\u00BF\u00C0\u00FF", "\xA0\xBF\xC0\xFF"},  // the ends of the Latin-1 range
        // The characters of 0x80..0x9F, first and last among them.
        {"\u20AC 5 \u201Cvirgolette\u201D \u2018s\u00EC\u2019 \u2013 \u2014 \u2026", "\x80 5 \x93virgolette\x94 \x91s\xEC\x92 \x96 \x97 \x85"},
        {"\u201A\u0178\u017E\u02DC", "\x82\x9F\x9E\x98"},
    };
    for (const auto& c : casi) EXPECT_EQ(in_windows1252(c.utf8), c.byte) << c.utf8;
}

// A character the code page cannot hold, or broken UTF-8, must not reach a
// document as some other letter; the error says where it stands.
TEST(InWindows1252, RifiutaCioCheIlCodiceNonContiene) {
    const struct {
        std::string testo;
        std::size_t offset;
        bool valido;
        char32_t carattere;
    } casi[] = {
        {"prezzo \u0101", 7, true, 0x0101},
        {"ab\u2192", 2, true, 0x2192},
        {"\u0081", 0, true, 0x0081},      // a C1 control: no byte of the code page
        {"x\U0001F682", 1, true, 0x1F682},
        {"tronc\xC3", 5, false, 0},
        {"a\xC3" "b", 1, false, 0},
        {"\xA0", 0, false, 0},            // a Latin-1 byte, not UTF-8
        {"\xC0\xA0", 0, false, 0},        // overlong
        {"\xED\xA0\x80", 0, false, 0},    // a surrogate
    };
    for (const auto& c : casi) {
        try {
            in_windows1252(c.testo);
            ADD_FAILURE() << "accepted: " << c.testo;
        } catch (const CarattereNonRappresentabile& e) {
            EXPECT_EQ(e.offset(), c.offset) << c.testo;
            EXPECT_EQ(e.utf8_valido(), c.valido) << c.testo;
            if (c.valido) {
                EXPECT_EQ(e.carattere(), c.carattere) << c.testo;
            }
        }
    }
}

}  // namespace
}  // namespace compattatore
