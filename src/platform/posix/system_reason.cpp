#include "platform/system_reason.h"

#include <cerrno>
#include <cstring>

namespace compattatore {

std::string system_reason(unsigned long code) { return std::strerror(static_cast<int>(code)); }

std::string system_reason(const std::error_code& code) { return code.message(); }

unsigned long last_system_error() { return static_cast<unsigned long>(errno); }

void clear_system_error() { errno = 0; }

}  // namespace compattatore
