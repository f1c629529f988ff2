// Compiling two description texts as the authors' compile does, without
// writing any compiled file: the check of a decompilation.
#pragma once

#include <string>

#include "authoring/decompilazione.h"

namespace compattatore {

// The texts of the line `linea` and the train `treno` through the reader,
// the finishing pass and the header stamp; the plan only when `piano`.
Ricompilazione compila_testi(const std::string& linea, const std::string& treno, const std::string& testo_linea,
                             const std::string& testo_treno, bool piano);

}  // namespace compattatore
