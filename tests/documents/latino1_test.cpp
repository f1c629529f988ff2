#include "documents/latino1.h"

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(InLatino1, OgniCarattereLatin1DiventaUnByte) {
    const struct {
        std::string utf8, latino;
    } casi[] = {
        {"", ""},
        {"linea 334 km, +11", "linea 334 km, +11"},
        {"città è lì però più", "citt\xE0 \xE8 l\xEC per\xF2 pi\xF9"},
        {"perché È", "perch\xE9 \xC8"},
        {"\u00A0\u00BF\u00C0\u00FF", "\xA0\xBF\xC0\xFF"},  // the ends of both two-byte ranges
    };
    for (const auto& c : casi) EXPECT_EQ(in_latino1(c.utf8), c.latino) << c.utf8;
}

// A letter the code page cannot hold, or broken UTF-8, must not reach a
// document as some other letter.
TEST(InLatino1, RefusesWhatLatin1CannotHold) {
    for (const std::string testo : {"prezzo \u20AC", "\u0101", "tronc\xC3", "a\xC3" "b", "\xA0", "\xE0 la"})
        EXPECT_THROW(in_latino1(testo), std::invalid_argument) << testo;
}

}  // namespace
}  // namespace compattatore
