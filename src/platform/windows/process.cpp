#include <windows.h>

#include <iostream>
#include <string>

#include "platform/command_line.h"
#include "platform/file_io.h"
#include "platform/standard_streams.h"
#include "platform/system_reason.h"
#include "platform/windows/handle_target.h"
#include "platform/windows/wide.h"

namespace compattatore {

namespace fs = std::filesystem;

fs::path executable_folder() {
    // The name may be longer than any first guess: grow until it fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) throw IoError("GetModuleFileNameW", system_reason(::GetLastError()));
        if (n < name.size()) {
            name.resize(n);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

bool HandleTarget::is_console() const {
    DWORD mode = 0;
    return ::GetFileType(handle_) == FILE_TYPE_CHAR && ::GetConsoleMode(handle_, &mode);
}

bool HandleTarget::write_bytes(std::string_view bytes) {
    // A process started with no such stream at all (detached, or from a
    // program that gave it none) has nobody to tell: its messages go nowhere.
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return true;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(handle_, bytes.data(), static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20)),
                         &written, nullptr) ||
            written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool HandleTarget::write_console(std::u16string_view text) {
    // Older consoles refuse long writes: a few thousand characters at a time.
    while (!text.empty()) {
        const std::size_t piece = std::min<std::size_t>(text.size(), 8192);
        const std::wstring wide(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(piece));
        DWORD written = 0;
        if (!::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) || written == 0)
            return false;
        text.remove_prefix(std::min<std::size_t>(written, piece));
    }
    return true;
}

void prepare_standard_streams() {
    // Made once and never destroyed: the streams are flushed at exit, after
    // every static object of the program may be gone.
    static auto* out_target = new HandleTarget(::GetStdHandle(STD_OUTPUT_HANDLE));
    static auto* err_target = new HandleTarget(::GetStdHandle(STD_ERROR_HANDLE));
    static auto* out = new MessageStreamBuf(*out_target);
    static auto* err = new MessageStreamBuf(*err_target);
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    std::clog.rdbuf(err);
}

std::vector<std::string> command_line_arguments(int, char**) {
    const std::wstring_view line = ::GetCommandLineW();
    std::vector<std::string> arguments;
    for (const std::u16string& a : split_command_line(std::u16string(line.begin(), line.end())))
        arguments.push_back(utf16_to_utf8(a));
    return arguments;
}

}  // namespace compattatore
