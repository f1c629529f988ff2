#include "support/processo.h"

#include <sys/wait.h>

#include <cstdio>

namespace compattatore::prova {

EsitoComando esegui(const std::string& comando) {
    EsitoComando esito;
    FILE* p = ::popen((comando + " 2>&1").c_str(), "r");
    if (!p) return esito;
    char blocco[4096];
    std::size_t n;
    while ((n = std::fread(blocco, 1, sizeof blocco, p)) > 0) esito.uscita.append(blocco, n);
    const int stato = ::pclose(p);
    esito.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    return esito;
}

}  // namespace compattatore::prova
