#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace compattatore {
namespace {

struct Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

// Well-formed text converts both ways; anything else is read byte by byte
// as Windows-1252, which is what an author's own file holds.
TEST(Utf8ToUtf16, WellFormedTextAndWindows1252Bytes) {
    const Case cases[] = {
        {"ascii", "Attendere\r\n", u"Attendere\r\n"},
        {"two-byte letters",
         "Citt\xC3\xA0 \xC3\x9C"
         "bung",
         u"Citt\u00E0 \u00DCbung"},
        {"three bytes", "\xE2\x82\xAC 5 \xE2\x80\xB0", u"\u20AC 5 \u2030"},
        {"four bytes: a surrogate pair", "\xF0\x9F\x9A\x86", u"\U0001F686"},
        {"a Windows-1252 letter", "Citt\xE0", u"Citt\u00E0"},
        {"Windows-1252 0x80 to 0x9F", "\x80\x85\x8A\x9F", u"\u20AC\u2026\u0160\u0178"},
        {"undefined Windows-1252 bytes keep their value", "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {"overlong form", "\xC0\xAF", u"\u00C0\u00AF"},
        {"encoded surrogate", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},
        {"lead byte then ascii",
         "\xC3"
         "a",
         u"\u00C3a"},
        {"sequence cut at the end", "ok\xE2\x82", u"ok\u00E2\u201A"},
        {"empty", "", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8_to_utf16(c.utf8), c.utf16);
    }
}

TEST(Utf16ToUtf8, EveryRangeAndALoneSurrogate) {
    const Case cases[] = {
        {"ascii", "a\r\n", u"a\r\n"},
        {"two bytes", "\xC3\xA0\xC3\x9C", u"\u00E0\u00DC"},
        {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
        {"surrogate pair", "\xF0\x9F\x9A\x86", u"\U0001F686"},
        {"lone high surrogate",
         "\xEF\xBF\xBD"
         "a",
         std::u16string{char16_t(0xD83D), u'a'}},
        {"lone low surrogate", "a\xEF\xBF\xBD", std::u16string{u'a', char16_t(0xDE86)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf16_to_utf8(c.utf16), c.utf8);
    }
}

// Only a sequence that the next bytes could still complete is held back.
TEST(CompleteUtf8Prefix, HoldsBackOnlyAnUnfinishedSequence) {
    const struct {
        std::string text;
        std::size_t prefix;
    } cases[] = {
        {"", 0},
        {"abc", 3},
        {"ab\xC3", 2},
        {"ab\xC3\xA0", 4},
        {"a\xE2\x82", 1},
        {"a\xE2\x82\xAC", 4},
        {"a\xF0\x9F\x9A", 1},
        {"\xF0\x9F\x9A\x86", 4},
        {"a\xC3"
         "b",
         3},               // not a sequence: nothing to wait for
        {"a\xE0\x80", 3},  // overlong: never completes
        {"a\xFF", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(complete_utf8_prefix(c.text), c.prefix);
    }
}

}  // namespace
}  // namespace compattatore
