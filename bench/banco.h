// A scenario to compile again and again in a folder of its own: the
// built-in one, or a generated line of a given length.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tables/scenario.h"

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

    // A scenario named and placed for this bench, with no table yet.
    Scenario scenario() const;
    // (Re)writes the two description files, which every reading deletes.
    void scrivi_sorgenti() const;
    // One whole compilation into `s`: reader, finishing, stamping, files.
    // Throws when it records a code: the figures are only worth having for
    // a scenario that compiles cleanly.
    void compila(Scenario& s) const;
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
