// A compiled file that does not follow its layout, with the byte offset
// where it stops making sense.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace compattatore {

class FileMalformato : public std::runtime_error {
public:
    FileMalformato(std::size_t offset, const std::string& motivo);
    std::size_t offset() const { return offset_; }
    const std::string& motivo() const { return motivo_; }

private:
    std::size_t offset_;
    std::string motivo_;
};

}  // namespace compattatore
