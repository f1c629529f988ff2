// Runs a shell command from a test and collects its exit status and output.
#pragma once

#include <string>

namespace compattatore::prova {

struct EsitoComando {
    int stato = -1;
    std::string uscita;  // standard output and standard error, in that order
};

EsitoComando esegui(const std::string& comando);

}  // namespace compattatore::prova
