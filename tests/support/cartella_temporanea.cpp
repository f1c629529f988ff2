#include "support/cartella_temporanea.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace compattatore::prova {

CartellaTemporanea::CartellaTemporanea() {
    std::string modello = (std::filesystem::temp_directory_path() / "compattatore-XXXXXX").string();
    if (!::mkdtemp(modello.data())) throw std::runtime_error("mkdtemp fallito");
    percorso_ = modello;
}

CartellaTemporanea::~CartellaTemporanea() {
    std::error_code ec;
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(percorso_, ec);
}

void scrivi_byte(const std::filesystem::path& file, const std::string& dati) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(dati.data(), static_cast<std::streamsize>(dati.size()));
    if (!out) throw std::runtime_error("scrittura fallita: " + file.string());
}

std::string leggi_byte(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("lettura fallita: " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace compattatore::prova
