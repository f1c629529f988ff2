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

// The streams already write the bytes they are given.
void prepare_standard_streams() {}

std::vector<std::string> command_line_arguments(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace compattatore
