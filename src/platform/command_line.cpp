#include "platform/command_line.h"

namespace compattatore {

namespace {

bool blank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<std::u16string> split_command_line(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    // The program's name.
    std::u16string name;
    if (i < line.size() && line[i] == u'"') {
        const std::size_t end = line.find(u'"', 1);
        name = line.substr(1, end == std::u16string_view::npos ? std::u16string_view::npos : end - 1);
        i = end == std::u16string_view::npos ? line.size() : end + 1;
    } else {
        while (i < line.size() && !blank(line[i])) name.push_back(line[i++]);
    }
    arguments.push_back(name);

    for (;;) {
        while (i < line.size() && blank(line[i])) ++i;
        if (i == line.size()) break;
        std::u16string a;
        bool quoted = false;
        while (i < line.size() && (quoted || !blank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
            if (i == line.size() || line[i] != u'"') {
                a.append(backslashes, u'\\');
                if (backslashes == 0) a.push_back(line[i++]);
                continue;
            }
            // A quote after backslashes.
            const bool closes = quoted && (i + 1 == line.size() || blank(line[i + 1]));
            if (backslashes % 2 == 1 && closes) {
                // "C:\lavoro\": the folder's own backslash, then the end.
                a.append(backslashes, u'\\');
                quoted = false;
                ++i;
                continue;
            }
            a.append(backslashes / 2, u'\\');
            if (backslashes % 2 == 1) {
                a.push_back(u'"');
            } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                a.push_back(u'"');  // "" inside quotes: one quote
                ++i;
            } else {
                quoted = !quoted;
            }
            ++i;
        }
        arguments.push_back(a);
    }
    return arguments;
}

}  // namespace compattatore
