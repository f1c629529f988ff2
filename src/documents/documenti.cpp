#include "documents/documenti.h"

#include "sources/file_testo.h"
#include "tables/nomi_file.h"

namespace compattatore {

void dati_scheda(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_scheda(s), righe_scheda(), uscite); }

void dati_rallentamenti(const FileScenario& s, OutputSet& uscite) {
    scrivi_testo(file_rallentamenti(s), righe_rallentamenti(), uscite);
}

void dati_note(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_note(s), righe_note(), uscite); }

}  // namespace compattatore
