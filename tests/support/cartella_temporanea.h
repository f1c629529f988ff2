// A fresh temporary folder per test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace compattatore::prova {

class CartellaTemporanea {
public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::filesystem::path operator/(const std::string& nome) const { return percorso_ / nome; }

private:
    std::filesystem::path percorso_;
};

// Writes bytes to a file (test set-up; no atomic replacement needed).
void scrivi_byte(const std::filesystem::path& file, const std::string& dati);
// Reads a file whole.
std::string leggi_byte(const std::filesystem::path& file);

}  // namespace compattatore::prova
