#include "compiled/file_malformato.h"

namespace compattatore {

FileMalformato::FileMalformato(std::size_t offset, const std::string& motivo)
    : std::runtime_error("offset " + std::to_string(offset) + ": " + motivo), offset_(offset), motivo_(motivo) {}

}  // namespace compattatore
