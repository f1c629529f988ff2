// Reading the compiled files back into the scenario tables, for the authors'
// tools.  The files carry no header and no checksum, so the decoder checks
// what their layout allows (record sizes, the 87 entries, the tags of the
// plan) and names the byte offset where a file stops making sense.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compiled/file_malformato.h"
#include "compiled/fonte_byte.h"
#include "tables/scenario.h"

namespace compattatore {

enum class TipoFile { griglia, voci, piano };

// The largest file of each kind the compiler can write, from the longest
// line (1,000,000 m, and the grid 7,000 m beyond): 20,141 cells of 15
// bytes; 87 entries each with a text of at most 65,535 bytes; 1,007,001
// rows of two elements of at most 10 bytes each.
std::uint64_t massimo_byte_file(TipoFile t);
// Refuses a size that no file of kind `t` can have, before it is read.
void controlla_dimensione(TipoFile t, std::uint64_t byte);

// The grid file: whole 15-byte records, at least one.  per_ogni_cella()
// checks the whole file before the first cell is handed over (with
// `tipi_noti`, also that every cell is of a type the compiler writes, as
// `dump` wants; decompile and plot take a damaged cell as it is), and reads
// it again to hand them over in order.
std::vector<Cella> decodifica_griglia(std::string_view byte);
void per_ogni_cella(FonteByte& fonte, bool tipi_noti, const std::function<void(std::size_t, const Cella&)>& cella);

// The .sim file: exactly 87 entries and nothing after them.
Voci decodifica_voci(std::string_view byte);

// The plan file: tagged values, the two columns one after the other.  The
// number of elements must be even, so that both columns have the same rows.
TabellaLinea decodifica_tabella_linea(std::string_view byte);

// A plan file checked whole, read back without holding it: how many rows and
// elements of each kind it has, and where each column starts.
struct PianoInFile {
    FonteByte* fonte = nullptr;
    std::int32_t righe = 0;
    std::int64_t vuoti = 0, interi = 0, reali = 0;
    std::array<std::uint64_t, 2> inizio{};  // offset of the first element of x and of y
};
PianoInFile esamina_piano(FonteByte& fonte);

// The elements of one column of a plan file, row by row from the first.
class ColonnaPiano {
public:
    ColonnaPiano(const PianoInFile& p, int coordinata);
    ValoreTabella prossimo();

private:
    Cursore cursore_;
};

std::string_view nome_tipo_file(TipoFile t);

// Which of the three files `byte` is: by the name first ("_linea.dat" the
// plan, ".sim" the entries, ".dat" the grid, letter case ignored); for any
// other name, by what the content can be: the entries when it holds exactly
// 87 records, the plan when it is a clean run of tagged values, the grid when
// its length is a whole number of cells.
TipoFile riconosci_file(const std::filesystem::path& nome, std::string_view byte);

}  // namespace compattatore
