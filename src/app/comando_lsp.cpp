// `lsp`: the language server on the standard input and output, for the
// authors' editors.  It writes no file and takes no lock: it reads the
// description files the editor does not hold, as the editor does.
#include "app/comandi.h"
#include "lsp/loop.h"
#include "platform/raw_stdio.h"

namespace compattatore {

StatoUscita comando_lsp() {
    return lsp::serve(read_standard_input, write_standard_output, lsp::disco_reale()) == 0 ? stato::riuscito
                                                                                           : stato::non_riuscito;
}

}  // namespace compattatore
