// The Windows command line split as Windows users type it.
#include "platform/command_line.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace compattatore {
namespace {

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> r;
    for (const std::u16string& a : split_command_line(utf8_to_utf16(line))) r.push_back(utf16_to_utf8(a));
    return r;
}

TEST(CommandLine, SplitAsWindowsUsersTypeIt) {
    const struct {
        std::string line;
        std::vector<std::string> arguments;
    } cases[] = {
        {"compattatore.exe", {"compattatore.exe"}},
        {"\"C:\\Scenari Però\\compattatore.exe\" check lavoro",
         {"C:\\Scenari Però\\compattatore.exe", "check", "lavoro"}},
        {"c.exe  compile\t\"C:\\Scenari Però\\Città nuova\"  ", {"c.exe", "compile", "C:\\Scenari Però\\Città nuova"}},
        // A folder completed with its backslash, at the end and before more arguments.
        {"c.exe check \".\\lavoro città\\\"", {"c.exe", "check", ".\\lavoro città\\"}},
        {"c.exe compile \"C:\\lavoro\\\" --json", {"c.exe", "compile", "C:\\lavoro\\", "--json"}},
        {"c.exe compile \"C:\\lavoro\\\\\" --json", {"c.exe", "compile", "C:\\lavoro\\", "--json"}},
        // The usual rules elsewhere.
        {"c.exe C:\\a\\b \\\\server\\x", {"c.exe", "C:\\a\\b", "\\\\server\\x"}},
        {"c.exe a\\\"b \"c\\\"d\"", {"c.exe", "a\"b", "c\"d"}},
        {"c.exe \"a\"\"b\" \"\"", {"c.exe", "a\"b", ""}},
        {"c.exe pre\"fisso unito\"dopo", {"c.exe", "prefisso unitodopo"}},
        {"c.exe /?", {"c.exe", "/?"}},
    };
    for (const auto& c : cases) EXPECT_EQ(split(c.line), c.arguments) << c.line;
}

}  // namespace
}  // namespace compattatore
