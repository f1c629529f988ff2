#include "platform/console.h"

#include <ostream>
#include <windows.h>

namespace compattatore {

void clear_screen(std::ostream& err) {
    const HANDLE h = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(h, &mode)) ::SetConsoleMode(h, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    err << "\x1b[2J\x1b[H" << std::flush;
}

}  // namespace compattatore
