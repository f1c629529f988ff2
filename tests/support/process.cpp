#include "support/process.h"

#include <stdexcept>
#include <utility>

#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/text_encoding.h"
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace compattatore::test {

std::string argument(const std::filesystem::path& path) { return path_text(path); }

#ifdef _WIN32

namespace {

// One argument on a Windows command line, quoted so that the program's
// CommandLineToArgvW (or C runtime) reads it back exactly.
std::wstring quoted(const std::wstring& a) {
    if (!a.empty() && a.find_first_of(L" \t\n\v\"") == std::wstring::npos) return a;
    std::wstring r = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : a) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        r.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        r.push_back(c);
    }
    r.append(2 * backslashes, L'\\');
    r.push_back(L'"');
    return r;
}

std::wstring wide(const std::string& text) {
    const std::u16string u = utf8_to_utf16(text);
    return {u.begin(), u.end()};
}

struct Handle {
    HANDLE h = nullptr;
    ~Handle() {
        if (h) ::CloseHandle(h);
    }
};

}  // namespace

CommandResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const CommandOptions& options) {
    std::wstring line = quoted(program.native());
    for (const std::string& a : arguments) line += L" " + quoted(wide(a));

    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle read_end, write_end;
    if (!::CreatePipe(&read_end.h, &write_end.h, &inheritable, 0)) throw std::runtime_error("CreatePipe failed");
    ::SetHandleInformation(read_end.h, HANDLE_FLAG_INHERIT, 0);
    Handle null_input;
    null_input.h = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0,
                            nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = null_input.h;
    startup.hStdOutput = write_end.h;
    startup.hStdError = write_end.h;
    PROCESS_INFORMATION info{};
    const std::wstring folder = options.folder.native();
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return {};
    Handle child, thread;
    child.h = info.hProcess;
    thread.h = info.hThread;
    // Only the child writes into the pipe now: its end comes with the child's.
    ::CloseHandle(std::exchange(write_end.h, nullptr));

    CommandResult result;
    char block[4096];
    DWORD got = 0;
    while (::ReadFile(read_end.h, block, sizeof block, &got, nullptr) && got > 0)
        result.output.append(block, got);
    ::WaitForSingleObject(child.h, INFINITE);
    DWORD status = 0;
    if (::GetExitCodeProcess(child.h, &status)) result.status = static_cast<int>(status);
    return result;
}

#else

CommandResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const CommandOptions& options) {
    // Everything the child needs is made before fork(): after it, only calls
    // that are safe there.
    std::vector<std::string> texts{program.native()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& t : texts) argv.push_back(t.data());
    argv.push_back(nullptr);
    const std::string folder = options.folder.native();
    const rlimit limit{static_cast<rlim_t>(options.file_size_limit), static_cast<rlim_t>(options.file_size_limit)};

    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::dup2(pipe_ends[1], STDOUT_FILENO);
        ::dup2(pipe_ends[1], STDERR_FILENO);
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
        if (options.file_size_limit > 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipe_ends[1]);

    CommandResult result;
    char block[4096];
    for (;;) {
        const ssize_t n = ::read(pipe_ends[0], block, sizeof block);
        if (n > 0) {
            result.output.append(block, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(pipe_ends[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

#endif

}  // namespace compattatore::test
