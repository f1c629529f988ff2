// Runs a program from a test and collects its exit status and output.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace compattatore::test {

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and standard error, in the order written
};

struct CommandOptions {
    // The working folder of the program; empty: the test's own.
    std::filesystem::path folder;
    // The largest file the program may write, in bytes, with the signal for
    // going past it ignored, so that the write fails instead (POSIX only;
    // 0: no limit).
    std::uint64_t file_size_limit = 0;
};

// Runs `program` with `arguments` (UTF-8 text, handed to it exactly as they
// are, with no shell in between) and waits for it to end.
CommandResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments = {},
                          const CommandOptions& options = {});

// A path as an argument for run_program.
std::string argument(const std::filesystem::path& path);

}  // namespace compattatore::test
