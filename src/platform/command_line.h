// The command line of a Windows program, split into its arguments as
// Windows programs split it, with one difference for the way Windows users
// type folders: cmd and PowerShell complete a folder as "C:\Scenari\lavoro\",
// and by the usual rules its last backslash would make the closing quote a
// quote inside the argument, which then runs on into the next ones.  Here a
// backslash before a quote that closes the argument (the quote ends the
// line or comes before a blank) stays a backslash, and the quote closes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

// The program's name first, as Windows reads it: up to the first blank, or
// between quotes, with no escapes.
std::vector<std::u16string> split_command_line(std::u16string_view line);

}  // namespace compattatore
