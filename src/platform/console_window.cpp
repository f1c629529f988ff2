#include "platform/console_window.h"

namespace compattatore {

bool console_closes_with_program(const ConsoleState& state) {
    return state.processes == 1 && state.messages_shown && state.keys_read;
}

}  // namespace compattatore
