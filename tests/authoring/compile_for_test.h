// The one way the decompilation tests compile description texts: as the
// authors' compile command does, through files in a folder of their own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "authoring/decompilazione.h"

namespace compattatore::prova {

struct CompiledFiles {
    std::int32_t code = 0;          // the code compile reports
    std::int32_t error_report = 0;  // 1250 or 1251 when the run ended with the error report
    std::optional<std::string> plan;  // <line>_linea.dat, when the plan was asked for
    std::string sim;                  // <line>_<train>.sim
    std::string grid;                 // <line>_<train>.dat

    bool valid() const { return code == 0 && error_report == 0; }
};

CompiledFiles compile_texts(const std::string& line, const std::string& train, const std::string& line_text,
                            const std::string& train_text, bool plan);

// The compiled files as the decompiler takes them.
Compilati decode(const std::string& line, const std::string& train, const CompiledFiles& f);

}  // namespace compattatore::prova
