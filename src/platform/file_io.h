// File-system access of the whole program.  Every output file is replaced
// whole and atomically: the bytes go to a temporary file in the same folder,
// which is then renamed over the old one, so a failure never leaves a
// truncated file behind.  Failures raise ErroreIO, reported once at the top.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compattatore {

class ErroreIO : public std::runtime_error {
public:
    ErroreIO(const std::filesystem::path& file, const std::string& motivo);
    const std::filesystem::path& file() const { return file_; }
    const std::string& motivo() const { return motivo_; }

private:
    std::filesystem::path file_;
    std::string motivo_;
};

// Writes `contenuto` as the whole new content of `file`.
void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto);

// Reads the whole file as bytes.
std::string leggi_file(const std::filesystem::path& file);

// Deletes the file if it exists; a file that cannot be deleted raises.
void elimina_file(const std::filesystem::path& file);

// The folder that holds the running executable.
std::filesystem::path cartella_eseguibile();

}  // namespace compattatore
