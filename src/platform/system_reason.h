// The system's own words for a failure, as UTF-8 text: strerror() of an
// errno value on POSIX, the message of a GetLastError() code on Windows (in
// the language of the user's Windows).
#pragma once

#include <string>
#include <system_error>

namespace compattatore {

std::string system_reason(unsigned long code);

// The code of the system's last failure in this thread (errno,
// GetLastError()), and its clearing before a call that may set it.
unsigned long last_system_error();
void clear_system_error();

// The same for an error code of the standard library.
std::string system_reason(const std::error_code& code);

}  // namespace compattatore
