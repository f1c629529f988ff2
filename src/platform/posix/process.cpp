#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/file_io.h"
#include "platform/standard_streams.h"

namespace compattatore {

namespace fs = std::filesystem;

fs::path executable_folder() {
    std::error_code ec;
    fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw IoError("/proc/self/exe", ec.message());
    return eseguibile.parent_path();
}

// The streams already write the bytes they are given.  A standard stream
// that the program was started without gets a stand-in that takes no
// bytes: the next file opened would otherwise take its number and receive
// the messages (the lock file, an output), and a write to it fails, as a
// write to a closed stream should.
void prepare_standard_streams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int stand_in = ::open("/dev/null", O_RDONLY);
        if (stand_in >= 0 && stand_in != fd) {
            ::dup2(stand_in, fd);
            ::close(stand_in);
        }
    }
}

std::vector<std::string> command_line_arguments(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace compattatore
