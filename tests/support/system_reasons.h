// The system's words for the failures the tests cause on purpose, as the
// program reports them.
#pragma once

#include <string>

namespace compattatore::test {

// Writing into a folder that does not exist.
std::string reason_missing_folder();
// Writing into a "folder" that is a regular file.
std::string reason_not_a_folder();

}  // namespace compattatore::test
