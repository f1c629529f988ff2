#include "platform/console.h"

#include <ostream>

namespace compattatore {

void clear_screen(std::ostream& err) { err << "\x1b[2J\x1b[H" << std::flush; }

}  // namespace compattatore
