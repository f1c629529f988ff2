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
std::string reason_not_a_folder() { return system_reason(ERROR_PATH_NOT_FOUND); }
#else
std::string reason_missing_folder() { return system_reason(ENOENT); }
std::string reason_not_a_folder() { return system_reason(ENOTDIR); }
#endif

}  // namespace compattatore::test
