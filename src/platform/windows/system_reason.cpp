#include "platform/system_reason.h"

#include <windows.h>

#include "platform/windows/wide.h"

namespace compattatore {

std::string system_reason(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    ::LocalFree(text);
    // The text ends with a line end, which a message line does not want.
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    if (message.empty()) return "errore di sistema " + std::to_string(code);
    return narrow(message);
}

unsigned long last_system_error() { return ::GetLastError(); }

void clear_system_error() { ::SetLastError(0); }

// The library's own text for a Windows code is in the ANSI code page, not
// UTF-8: such codes take the path above.
std::string system_reason(const std::error_code& code) {
    if (code.category() == std::system_category()) return system_reason(static_cast<unsigned long>(code.value()));
    return code.message();
}

}  // namespace compattatore
