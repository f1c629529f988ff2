// The one way the decompilation tests compile description texts: in memory,
// as the authors' compile does, the three compiled files as their bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compiled/scenario_compilato.h"
#include "decompile/decompilazione.h"

namespace compattatore::test {

struct FileCompilati {
    std::int32_t codice = 0;            // the code compile reports
    std::int32_t errore_segnalato = 0;  // 1250 or 1251 when the run ended with the error report
    std::optional<std::string> piano;   // <linea>_linea.dat, when the plan was asked for
    std::string sim;                    // <linea>_<treno>.sim
    std::string griglia;                // <linea>_<treno>.dat

    bool validi() const { return codice == 0 && errore_segnalato == 0; }
};

FileCompilati compila_testi(const std::string& linea, const std::string& treno, const std::string& testo_linea,
                            const std::string& testo_treno, bool piano);

// The compiled files as the decompiler takes them.
ScenarioCompilato decodifica(const std::string& linea, const std::string& treno, const FileCompilati& f);

}  // namespace compattatore::test
