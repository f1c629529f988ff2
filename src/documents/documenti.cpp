#include "documents/documenti.h"

#include "sources/file_testo.h"
#include "tables/nomi_file.h"

namespace compattatore {

void dati_note(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_note(s), righe_note(), uscite); }

}  // namespace compattatore
