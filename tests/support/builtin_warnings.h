// The warnings `check` gives on the built-in scenario, as the authors' guide
// lists them: the line's "pendenza,  1250,   -4,5", which the simulator's
// files hold as it stands and which reads -4 and one number more.  A test
// that once expected a clean report on the built-in files expects these.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace compattatore::test {

struct BuiltinWarning {
    bool train;  // in the train text, not the line text
    int line, column;
    std::string_view name;
};

std::span<const BuiltinWarning> builtin_warnings();

// The report's text of those warnings, the line text being named `line_file`;
// without the closing count.
std::string builtin_warnings_text(const std::string& line_file);

// The closing count of `check` on the built-in scenario with `errors` errors
// added: "0 errori, 1 avviso\n".
std::string builtin_count(int errors);

}  // namespace compattatore::test
