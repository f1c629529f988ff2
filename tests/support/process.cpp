#include "support/process.h"

#include <sys/wait.h>

#include <cstdio>

namespace compattatore::test {

CommandResult run_command(const std::string& command) {
    CommandResult result;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return result;
    char block[4096];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, p)) > 0) result.output.append(block, n);
    const int status = ::pclose(p);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace compattatore::test
