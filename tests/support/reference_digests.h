// The reference SHA-256 of every output (tests/app/impronte_riferimento.txt).
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace compattatore::test {

// "digest  group/name" lines, by "group/name"; '#' starts a comment.
std::map<std::string, std::string> reference_digests(const std::filesystem::path& list);

}  // namespace compattatore::test
