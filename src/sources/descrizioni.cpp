#include "sources/descrizioni.h"

#include "sources/text_file.h"
#include "tables/nomi_file.h"

namespace compattatore {

void dati_linea(const Scenario& s) { scrivi_testo(file_linea_txt(s), righe_linea()); }

void dati_treno(const Scenario& s) { scrivi_testo(file_treno_txt(s), righe_treno()); }

}  // namespace compattatore
