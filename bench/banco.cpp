#include "banco.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "app/scenario_files.h"
#include "sources/linea_generata.h"
#include "platform/file_io.h"
#include "sources/descrizioni.h"
#include "tables/nomi_file.h"

namespace compattatore::banco {

namespace fs = std::filesystem;

fs::path nuova_cartella(const std::string& prefisso) {
    std::string modello = (fs::temp_directory_path() / (prefisso + "-XXXXXX")).string();
    if (::mkdtemp(modello.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + modello);
    return modello;
}

void scrivi_byte(const fs::path& file, const std::string& byte) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    if (!out) throw std::runtime_error("scrittura non riuscita: " + file.string());
}

Banco::Banco(std::int32_t lunghezza)
    : lunghezza_(lunghezza),
      cartella_(nuova_cartella("compattatore-banco")),
      nome_linea_(lunghezza == 0 ? "Brunovale" : "Generata"),
      nome_treno_(lunghezza == 0 ? "Quarzo" : "Prova") {
    if (lunghezza_ != 0) {
        DescrizioniGenerate d = genera_descrizioni(lunghezza_);
        linea_txt_ = std::move(d.linea);
        treno_txt_ = std::move(d.treno);
    }
}

Banco::~Banco() {
    std::error_code ec;
    fs::remove_all(cartella_, ec);
}

FileScenario Banco::file() const { return {cartella_, nome_linea_, nome_treno_}; }

void Banco::scrivi_sorgenti() const {
    const FileScenario s = file();
    if (lunghezza_ == 0) {
        OutputSet uscite;
        dati_linea(s, uscite);
        dati_treno(s, uscite);
        uscite.commit();
    } else {
        replace_file(file_linea_txt(s), linea_txt_);
        replace_file(file_treno_txt(s), treno_txt_);
    }
}

Compilazione Banco::compila() const {
    OutputSet uscite;
    Compilazione c = memorizza_percorso(file(), true, uscite);
    uscite.commit();
    if (!c.scenario.griglia_esiste() || c.esito.codice != Codice::nessuno)
        throw std::runtime_error("la compilazione ha registrato il codice " + std::to_string(numero(c.esito.codice)) +
                                 " (posizione " + std::to_string(c.esito.posizione_errore) + ")");
    return c;
}

std::vector<FileProdotto> Banco::compilati() const {
    const FileScenario s = file();
    std::vector<FileProdotto> prodotti;
    for (const fs::path& nome : {file_linea_dat(s), file_sim(s), file_griglia_dat(s)})
        prodotti.push_back({nome, read_file(nome)});
    return prodotti;
}

}  // namespace compattatore::banco
