// A test bench for the reader: the two description texts built from lists
// of lines (CR LF), read in memory into a scenario and its outcome.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/memorizza_dati.h"
#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore::test {

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

// A reading starts with no position recorded.
inline constexpr std::int32_t posizione_intatta = 0;

class BancoLettura {
public:
    BancoLettura() { treno_testo(testo({"[generale]", "[fine]"})); }

    void linea_testo(const std::string& t) { linea_ = t; }
    void treno_testo(const std::string& t) { treno_ = t; }
    void senza_treno() { treno_.reset(); }
    void linea(std::initializer_list<std::string_view> righe) { linea_testo(testo(righe)); }
    void treno(std::initializer_list<std::string_view> righe) { treno_testo(testo(righe)); }

    // A line text with a general section giving only the length, then the records.
    void linea_lunga(std::int32_t lunghezza, const std::vector<std::string>& record) {
        std::vector<std::string> righe = {"[generale]", "lunghezza percorso,    " + std::to_string(lunghezza),
                                          "[record]"};
        righe.insert(righe.end(), record.begin(), record.end());
        righe.push_back("[fine]");
        linea_testo(testo(righe));
    }
    // A train text with the records after "[generale]".
    void treno_con(const std::vector<std::string>& record) {
        std::vector<std::string> righe = {"[generale]"};
        righe.insert(righe.end(), record.begin(), record.end());
        righe.push_back("[fine]");
        treno_testo(testo(righe));
    }

    void leggi() {
        Descrizioni d{"Valdorso", "Merlo", {}, {}, compila_linea, {}, {}};
        if (linea_) d.linea = *linea_;
        if (treno_) d.treno = *treno_;
        Compilazione c = memorizza_dati(d);
        s = std::move(c.scenario);
        esito = std::move(c.esito);
    }

    // Whether a description file would still be there after the run: it
    // was there and the reading did not take it.
    bool c_e_linea() const { return linea_.has_value() && !esito.letta_linea; }
    bool c_e_treno() const { return treno_.has_value() && !esito.letto_treno; }

    int codice() const { return numero(esito.codice); }
    const Cella& cella(std::size_t i) const { return s.celle.at(i); }

    bool compila_linea = false;
    Scenario s;
    EsitoCompilazione esito;

private:
    std::optional<std::string> linea_;
    std::optional<std::string> treno_;
};

// The reading of a line text of `lunghezza` metres with `record` (see
// linea_lunga) and the default train text, with or without the plan.
inline BancoLettura letta(std::int32_t lunghezza, const std::vector<std::string>& record, bool piano = false) {
    BancoLettura b;
    b.compila_linea = piano;
    b.linea_lunga(lunghezza, record);
    b.leggi();
    return b;
}

}  // namespace compattatore::test
