#include "support/reference_digests.h"

#include <fstream>

namespace compattatore::test {

std::map<std::string, std::string> reference_digests(const std::filesystem::path& list) {
    std::ifstream in(list);
    std::map<std::string, std::string> digests;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::size_t gap = line.find("  ");
        digests[line.substr(gap + 2)] = line.substr(0, gap);
    }
    return digests;
}

}  // namespace compattatore::test
