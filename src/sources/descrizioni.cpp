#include "sources/descrizioni.h"

#include "sources/file_testo.h"
#include "tables/nomi_file.h"

namespace compattatore {

void dati_linea(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_linea_txt(s), righe_linea(), uscite); }

void dati_treno(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_treno_txt(s), righe_treno(), uscite); }

}  // namespace compattatore
