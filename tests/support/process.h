// Runs a shell command from a test and collects its exit status and output.
#pragma once

#include <string>

namespace compattatore::test {

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and standard error, in that order
};

CommandResult run_command(const std::string& command);

}  // namespace compattatore::test
