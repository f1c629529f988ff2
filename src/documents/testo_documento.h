// A document's bytes: its lines, each ended by CR LF.
#pragma once

#include <string>
#include <vector>

namespace compattatore {

std::string testo_crlf(const std::vector<std::string>& righe);

}  // namespace compattatore
