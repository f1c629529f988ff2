#include "platform/console_window.h"

namespace compattatore {

ConsoleState console_state() { return {}; }

void wait_for_key() {}

}  // namespace compattatore
