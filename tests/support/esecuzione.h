// The program's command line run in this process, as a test sees it: the
// exit status and the texts written on standard output and standard error.
// For the tests of app/, which link the program's commands.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/riga_di_comando.h"

namespace compattatore::test {

struct Esecuzione {
    int stato = -1;
    std::string out, err;
};

// Runs the command line with `argomenti` after the program's name.
inline Esecuzione esegui(std::vector<std::string> argomenti) {
    argomenti.insert(argomenti.begin(), "compattatore");
    std::ostringstream out, err;
    const int stato = esegui_riga_di_comando(argomenti, out, err);
    return {stato, out.str(), err.str()};
}

}  // namespace compattatore::test
