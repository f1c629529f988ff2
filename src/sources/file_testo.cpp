#include "sources/file_testo.h"

#include <array>
#include <stdexcept>


namespace compattatore {

std::string componi_testo(std::span<const std::string_view> righe) {
    if (righe.size() >= posti_testo) throw std::length_error("un testo ha al massimo 1000 righe");
    std::array<std::string_view, posti_testo> posti{};
    for (std::size_t i = 0; i < righe.size(); ++i) posti[i] = righe[i];
    posti[righe.size()] = marcatore_fine;

    std::string testo;
    for (std::string_view riga : posti) {
        if (riga == marcatore_fine) break;
        testo.append(riga);
        testo.append("\r\n");
    }
    return testo;
}

void scrivi_testo(const std::filesystem::path& file, std::span<const std::string_view> righe, OutputSet& uscite) {
    uscite.add(file, componi_testo(righe));
}

}  // namespace compattatore
