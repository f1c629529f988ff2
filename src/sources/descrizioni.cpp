#include "sources/descrizioni.h"

#include <string_view>
#include <vector>

#include "sources/file_testo.h"
#include "sources/scenario_nuovo.h"
#include "tables/nomi_file.h"

namespace compattatore {

void dati_linea(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_linea_txt(s), righe_linea(), uscite); }

void dati_treno(const FileScenario& s, OutputSet& uscite) { scrivi_testo(file_treno_txt(s), righe_treno(), uscite); }

namespace {

void scrivi_righe(const std::filesystem::path& file, const std::vector<std::string>& righe, OutputSet& uscite) {
    const std::vector<std::string_view> viste(righe.begin(), righe.end());
    scrivi_testo(file, viste, uscite);
}

}  // namespace

void dati_linea_nuova(const FileScenario& s, OutputSet& uscite) {
    scrivi_righe(file_linea_txt(s), righe_linea_nuova(), uscite);
}

void dati_treno_nuovo(const FileScenario& s, OutputSet& uscite) {
    scrivi_righe(file_treno_txt(s), righe_treno_nuovo(), uscite);
}

}  // namespace compattatore
