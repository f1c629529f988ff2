// `compattatore dump`: a compiled file as a listing an author reads (text,
// one line per element in aligned columns) or as JSON for other tools.  The
// JSON holds every value of the file, so the file can be rebuilt from it.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string_view>
#include <vector>

#include "compiled/decodifica.h"
#include "compiled/sommario_piano.h"

namespace compattatore {

enum class FormatoDump { testo, json };

inline constexpr std::int32_t passo_piano_predefinito = 1000;

// Reads `fonte` as a file of kind `tipo` and writes its listing; a file
// that breaks its layout raises FileMalformato before anything is written.
// The grid and the plan are checked whole first, then read again as they
// are listed, so that memory does not grow with the file; the entries,
// small by their format, are read at once.  `passo` is the spacing in
// metres of the plan points listed.
void scrivi_dump(std::ostream& out, TipoFile tipo, FonteByte& fonte, FormatoDump formato,
                 std::int32_t passo = passo_piano_predefinito);
void scrivi_dump(std::ostream& out, TipoFile tipo, std::string_view byte, FormatoDump formato,
                 std::int32_t passo = passo_piano_predefinito);

// The cells of a grid, handed one by one to the function given.
using PerOgniCella = std::function<void(const std::function<void(std::size_t, const Cella&)>&)>;

// Text listings.
void elenca_griglia(std::ostream& out, std::size_t numero, const PerOgniCella& celle);
void elenca_griglia(std::ostream& out, const std::vector<Cella>& celle);
void elenca_voci(std::ostream& out, const Voci& voci, std::size_t byte);
void elenca_piano(std::ostream& out, const SorgentePiano& p, std::size_t byte, std::int32_t passo);
void elenca_piano(std::ostream& out, const TabellaLinea& t, std::size_t byte, std::int32_t passo);

// JSON documents.
void json_griglia(std::ostream& out, std::size_t numero, const PerOgniCella& celle);
void json_griglia(std::ostream& out, const std::vector<Cella>& celle);
void json_voci(std::ostream& out, const Voci& voci, std::size_t byte);
void json_piano(std::ostream& out, const SorgentePiano& p, std::size_t byte, std::int32_t passo);
void json_piano(std::ostream& out, const TabellaLinea& t, std::size_t byte, std::int32_t passo);

// The cells of a vector, for the listings.
PerOgniCella celle_di(const std::vector<Cella>& celle);

}  // namespace compattatore
