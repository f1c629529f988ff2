// A scenario to compile again and again in a folder of its own: the
// built-in one, or a generated line of a given length.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "reader/memorizza_dati.h"
#include "tables/nomi_file.h"

namespace compattatore::banco {

// A file as the product leaves it: its full name and its bytes.
struct FileProdotto {
    std::filesystem::path nome;
    std::string byte;
};

class Banco {
public:
    // lunghezza 0: the built-in scenario; otherwise a generated line of that
    // many metres.
    explicit Banco(std::int32_t lunghezza = 0);
    ~Banco();
    Banco(const Banco&) = delete;
    Banco& operator=(const Banco&) = delete;

    const std::filesystem::path& cartella() const { return cartella_; }
    const std::string& nome_linea() const { return nome_linea_; }
    const std::string& nome_treno() const { return nome_treno_; }

    // Where this bench's files are.
    FileScenario file() const;
    // (Re)writes the two description files, which every reading deletes.
    void scrivi_sorgenti() const;
    // One whole compilation: the files read, reader, finishing, stamping,
    // files written.  Throws when it records a code: the figures are only
    // worth having for a scenario that compiles cleanly.
    Compilazione compila() const;
    // The three compiled files as the last compilation wrote them.
    std::vector<FileProdotto> compilati() const;

private:
    std::int32_t lunghezza_;
    std::filesystem::path cartella_;
    std::string nome_linea_;
    std::string nome_treno_;
    std::string linea_txt_;
    std::string treno_txt_;
};

// A fresh folder under the system's temporary folder.
std::filesystem::path nuova_cartella(const std::string& prefisso);

// Writes bytes to a file plainly (set-up only).
void scrivi_byte(const std::filesystem::path& file, const std::string& byte);

}  // namespace compattatore::banco
