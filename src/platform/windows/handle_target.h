// A standard stream of a Windows process as an OutputTarget: a console, or
// anything else (a file, a pipe).
#pragma once

#include <windows.h>

#include "platform/standard_streams.h"

namespace compattatore {

class HandleTarget : public OutputTarget {
public:
    explicit HandleTarget(HANDLE handle) : handle_(handle) {}
    bool is_console() const override;
    bool write_bytes(std::string_view bytes) override;
    bool write_console(std::u16string_view text) override;

private:
    HANDLE handle_;
};

}  // namespace compattatore
