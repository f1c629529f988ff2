// The terminal a report is shown on.
#pragma once

#include <iosfwd>

namespace compattatore {

// Clears the screen of the terminal `err` writes to, and puts the cursor
// at its top: the ANSI sequence, which Windows consoles are told to obey.
void clear_screen(std::ostream& err);

}  // namespace compattatore
