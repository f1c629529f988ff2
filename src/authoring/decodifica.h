// Reading the compiled files back into the scenario tables, for the authors'
// tools.  The files carry no header and no checksum, so the decoder checks
// what their layout allows (record sizes, the 87 entries, the tags of the
// plan) and names the byte offset where a file stops making sense.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tables/scenario.h"

namespace compattatore {

// A compiled file that does not follow its layout.
class FileMalformato : public std::runtime_error {
public:
    FileMalformato(std::size_t offset, const std::string& motivo);
    std::size_t offset() const { return offset_; }
    const std::string& motivo() const { return motivo_; }

private:
    std::size_t offset_;
    std::string motivo_;
};


// The grid file: whole 15-byte records, at least one.
std::vector<Cella> decodifica_griglia(std::string_view byte);

// The .sim file: exactly 87 entries and nothing after them.
Voci decodifica_voci(std::string_view byte);

// The plan file: tagged values, the two columns one after the other.  The
// number of elements must be even, so that both columns have the same rows.
TabellaLinea decodifica_tabella_linea(std::string_view byte);

enum class TipoFile { griglia, voci, piano };

std::string_view nome_tipo_file(TipoFile t);

// Which of the three files `byte` is: by the name first ("_linea.dat" the
// plan, ".sim" the entries, ".dat" the grid, letter case ignored); for any
// other name, by what the content can be: the entries when it holds exactly
// 87 records, the plan when it is a clean run of tagged values, the grid when
// its length is a whole number of cells.
TipoFile riconosci_file(const std::filesystem::path& nome, std::string_view byte);

}  // namespace compattatore
