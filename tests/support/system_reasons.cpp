#include "support/system_reasons.h"

#include "platform/system_reason.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace compattatore::test {

#ifdef _WIN32
std::string reason_missing_folder() { return system_reason(ERROR_PATH_NOT_FOUND); }
// The folder is made by the standard library, which says so in its own words.
std::string reason_not_a_folder() { return system_reason(std::make_error_code(std::errc::not_a_directory)); }
#else
std::string reason_missing_folder() { return system_reason(ENOENT); }
std::string reason_not_a_folder() { return system_reason(ENOTDIR); }
#endif

}  // namespace compattatore::test
