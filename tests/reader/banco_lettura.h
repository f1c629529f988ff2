// A test bench for the reader: a fresh folder, the two description files
// written from lists of lines (CR LF), and a scenario that reads them.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "reader/memorizza_dati.h"
#include "support/cartella_temporanea.h"
#include "tables/nomi_file.h"
#include "tables/scenario.h"

namespace compattatore::prova {

inline std::string testo(std::initializer_list<std::string_view> righe) {
    std::string t;
    for (std::string_view r : righe) {
        t.append(r);
        t.append("\r\n");
    }
    return t;
}

inline std::string testo(const std::vector<std::string>& righe) {
    std::string t;
    for (const std::string& r : righe) t += r + "\r\n";
    return t;
}

// A position no reader code sets by itself: shows that posizione_errore was
// left alone.
inline constexpr std::int32_t posizione_intatta = -424242;

class BancoLettura {
public:
    BancoLettura() {
        s.nome_linea = "Valdorso";
        s.nome_treno = "Merlo";
        s.cartella = cartella.percorso();
        s.compila_linea = 0;
        s.posizione_errore = posizione_intatta;
        treno_testo(testo({"[generale]", "[fine]"}));
    }

    void linea_testo(const std::string& t) { scrivi_byte(file_linea_txt(s), t); }
    void treno_testo(const std::string& t) { scrivi_byte(file_treno_txt(s), t); }
    void linea(std::initializer_list<std::string_view> righe) { linea_testo(testo(righe)); }
    void treno(std::initializer_list<std::string_view> righe) { treno_testo(testo(righe)); }

    // A line file with a general section giving only the length, then the records.
    void linea_lunga(std::int32_t lunghezza, const std::vector<std::string>& record) {
        std::vector<std::string> righe = {"[generale]", "lunghezza percorso,    " + std::to_string(lunghezza),
                                          "[record]"};
        righe.insert(righe.end(), record.begin(), record.end());
        righe.push_back("[fine]");
        linea_testo(testo(righe));
    }
    // A train file with the records after "[generale]".
    void treno_con(const std::vector<std::string>& record) {
        std::vector<std::string> righe = {"[generale]"};
        righe.insert(righe.end(), record.begin(), record.end());
        righe.push_back("[fine]");
        treno_testo(testo(righe));
    }

    void leggi() { memorizza_dati(s); }

    bool c_e_linea() const { return std::filesystem::exists(file_linea_txt(s)); }
    bool c_e_treno() const { return std::filesystem::exists(file_treno_txt(s)); }

    const Cella& cella(std::size_t i) const { return s.celle.at(i); }

    CartellaTemporanea cartella;
    Scenario s;
};

}  // namespace compattatore::prova
