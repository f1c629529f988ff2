#include "documents/documenti.h"

#include "sources/text_file.h"
#include "tables/nomi_file.h"

namespace compattatore {

void dati_scheda(const Scenario& s) { scrivi_testo(file_scheda(s), righe_scheda()); }

void dati_rallentamenti(const Scenario& s) { scrivi_testo(file_rallentamenti(s), righe_rallentamenti()); }

void dati_note(const Scenario& s) { scrivi_testo(file_note(s), righe_note()); }

}  // namespace compattatore
