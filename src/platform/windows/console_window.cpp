#include "platform/console_window.h"

#include <windows.h>

#include <array>

namespace compattatore {

namespace {

bool is_console(DWORD which) {
    const HANDLE h = ::GetStdHandle(which);
    DWORD mode = 0;
    return h != nullptr && h != INVALID_HANDLE_VALUE && ::GetFileType(h) == FILE_TYPE_CHAR &&
           ::GetConsoleMode(h, &mode);
}

}  // namespace

ConsoleState console_state() {
    ConsoleState state;
    // Two places are enough to tell one process from more.
    std::array<DWORD, 2> processes{};
    state.processes = ::GetConsoleProcessList(processes.data(), static_cast<DWORD>(processes.size()));
    state.messages_shown = is_console(STD_OUTPUT_HANDLE) && is_console(STD_ERROR_HANDLE);
    state.keys_read = is_console(STD_INPUT_HANDLE);
    return state;
}

void wait_for_key() {
    const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
    // Keys pressed while the program worked do not count.
    ::FlushConsoleInputBuffer(in);
    for (;;) {
        INPUT_RECORD record{};
        DWORD read = 0;
        if (!::ReadConsoleInputW(in, &record, 1, &read) || read == 0) return;
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
    }
}

}  // namespace compattatore
