// What the server answers, each a function of the checked scenario and the
// request's parameters.  `percorso` is the document asked about.
#pragma once

#include <string>

#include "lsp/scenari.h"
#include "lsp/testo_editor.h"

namespace compattatore::lsp {

// The diagnostics of `percorso` in the scenario `a`: an array for
// textDocument/publishDiagnostics.  `tutte` also takes those that name no
// file (given to the train file, or to the line file without a train).
json diagnostiche_di(const Analisi& a, const std::string& percorso);

json hover(const Analisi& a, const std::string& percorso, int riga, std::size_t carattere);
json completamento(const Analisi& a, const std::string& percorso, int riga, std::size_t carattere);
json simboli(const Analisi& a, const std::string& percorso);
json definizione(const Analisi& a, const std::string& percorso, int riga, std::size_t carattere);
json formattazione(const Analisi& a, const std::string& percorso);
json suggerimenti(const Analisi& a, const std::string& percorso, int da, int a_riga);
json azioni(const Analisi& a, const std::string& percorso, const json& contesto);

// The lines of `percorso` in `a` (the line text's or the train text's), and
// its text; nullptr when `a` does not hold it.
const std::vector<Riga>* righe_del(const Analisi& a, const std::string& percorso);
const std::string* testo_del(const Analisi& a, const std::string& percorso);

}  // namespace compattatore::lsp
