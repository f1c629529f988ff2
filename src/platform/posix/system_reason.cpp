#include "platform/system_reason.h"

#include <cstring>

namespace compattatore {

std::string system_reason(unsigned long code) { return std::strerror(static_cast<int>(code)); }

std::string system_reason(const std::error_code& code) { return code.message(); }

}  // namespace compattatore
