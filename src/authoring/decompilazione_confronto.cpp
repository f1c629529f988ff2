// The comparison of the compiled files found with those the written texts
// compile to: one report line per cell, entry or plan element that differs.
#include <bit>
#include <cstring>

#include "authoring/decompilazione.h"
#include "authoring/descrizione.h"
#include "authoring/formato.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

struct CampoCella {
    const char* nome;
    std::int64_t (*valore)(const Cella&);
};

constexpr CampoCella campi_cella[] = {
    {"tipo", [](const Cella& c) -> std::int64_t { return c.tipo; }},
    {"valore1", [](const Cella& c) -> std::int64_t { return c.valore1; }},
    {"valore2", [](const Cella& c) -> std::int64_t { return c.valore2; }},
    {"valore3", [](const Cella& c) -> std::int64_t { return c.valore3; }},
    {"valore4", [](const Cella& c) -> std::int64_t { return c.valore4; }},
    {"tempo", [](const Cella& c) -> std::int64_t { return c.tempo; }},
    {"preavviso", [](const Cella& c) -> std::int64_t { return c.preavviso; }},
    {"montagna", [](const Cella& c) -> std::int64_t { return c.montagna; }},
    {"velocita", [](const Cella& c) -> std::int64_t { return c.velocita; }},
    {"pendenza", [](const Cella& c) -> std::int64_t { return c.pendenza; }},
    {"aderenza", [](const Cella& c) -> std::int64_t { return c.aderenza; }},
};

struct CampoVoce {
    const char* nome;
    std::int64_t (*valore)(const Voce&);
};

constexpr CampoVoce campi_voce[] = {
    {"tipo", [](const Voce& v) -> std::int64_t { return v.tipo; }},
    {"inizio", [](const Voce& v) -> std::int64_t { return v.inizio; }},
    {"fine", [](const Voce& v) -> std::int64_t { return v.fine; }},
    {"posizione", [](const Voce& v) -> std::int64_t { return v.posizione; }},
    {"byte1", [](const Voce& v) -> std::int64_t { return v.byte1; }},
    {"intero1", [](const Voce& v) -> std::int64_t { return v.intero1; }},
    {"intero2", [](const Voce& v) -> std::int64_t { return v.intero2; }},
    {"intero3", [](const Voce& v) -> std::int64_t { return v.intero3; }},
    {"intero4", [](const Voce& v) -> std::int64_t { return v.intero4; }},
    {"intero5", [](const Voce& v) -> std::int64_t { return v.intero5; }},
    {"byte2", [](const Voce& v) -> std::int64_t { return v.byte2; }},
    {"byte3", [](const Voce& v) -> std::int64_t { return v.byte3; }},
    {"byte4", [](const Voce& v) -> std::int64_t { return v.byte4; }},
    {"byte5", [](const Voce& v) -> std::int64_t { return v.byte5; }},
    {"orario", [](const Voce& v) -> std::int64_t { return v.orario; }},
};

// Plan elements listed one by one before the rest is only counted: a wrong
// curve moves every metre after it.
constexpr std::size_t elementi_elencati = 20;

std::string n(std::int64_t v) { return std::to_string(v); }

// What the header stamp puts in a field compile recomputes, or "".
std::string nota_timbro(bool cella, std::string_view campo) {
    if (cella && campo == "valore1") return " (intestazione fissa di compile)";
    if (cella && campo == "valore2") return " (codice di gara ricalcolato dai nomi della linea e del treno)";
    if (!cella && campo == "intero1") return " (intestazione fissa di compile)";
    if (!cella && campo == "orario") return " (codice di gara ricalcolato dai nomi della linea e del treno)";
    return "";
}

void confronta_celle(const std::string& file, const std::vector<Cella>& a, const std::vector<Cella>& b,
                     std::vector<std::string>& righe) {
    if (a.size() != b.size())
        righe.push_back(file + ": " + n(static_cast<std::int64_t>(a.size())) + " celle, riproducibili " +
                        n(static_cast<std::int64_t>(b.size())) + " (dalla lunghezza del percorso, voce 84)");
    const std::size_t comuni = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < comuni; ++i) {
        std::string diverse;
        for (const CampoCella& f : campi_cella) {
            const std::int64_t x = f.valore(a[i]), y = f.valore(b[i]);
            if (x == y) continue;
            if (!diverse.empty()) diverse += "; ";
            diverse += std::string(f.nome) + " trovato " + n(x) + ", riproducibile " + n(y) +
                       (i == 1 ? nota_timbro(true, f.nome) : "");
        }
        if (!diverse.empty())
            righe.push_back(file + ": cella " + n(static_cast<std::int64_t>(i)) + " (" +
                            n(metri_cella(static_cast<std::int64_t>(i))) + " m): " + diverse);
    }
}

void confronta_voci(const std::string& file, const Voci& a, const Voci& b, std::vector<std::string>& righe) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::string diverse;
        auto aggiungi = [&diverse](const std::string& testo) {
            if (!diverse.empty()) diverse += "; ";
            diverse += testo;
        };
        for (const CampoVoce& f : campi_voce) {
            const std::int64_t x = f.valore(a[i]), y = f.valore(b[i]);
            if (x != y)
                aggiungi(std::string(f.nome) + " trovato " + n(x) + ", riproducibile " + n(y) +
                         (i == 85 ? nota_timbro(false, f.nome) : ""));
        }
        if (a[i].nome != b[i].nome)
            aggiungi("nome trovato \"" + testo_leggibile(a[i].nome) + "\", riproducibile \"" +
                     testo_leggibile(b[i].nome) + "\"");
        if (!diverse.empty()) righe.push_back(file + ": voce " + n(static_cast<std::int64_t>(i)) + ": " + diverse);
    }
}

std::string elemento(const ValoreTabella& v) {
    switch (v.stato) {
        case ValoreTabella::Stato::vuoto: return "vuoto";
        case ValoreTabella::Stato::intero16: return "intero " + n(static_cast<std::int64_t>(v.valore));
        case ValoreTabella::Stato::reale:
            return formato("%.17g (bit %016llx)", v.valore,
                           static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v.valore)));
    }
    return "";
}

bool stesso_elemento(const ValoreTabella& a, const ValoreTabella& b) {
    return a.stato == b.stato && std::bit_cast<std::uint64_t>(a.valore) == std::bit_cast<std::uint64_t>(b.valore);
}

void confronta_piani(const std::string& file, const TabellaLinea& a, const TabellaLinea& b,
                     std::vector<std::string>& righe) {
    // The slots hold each element's file bytes and zeros after them: equal
    // slots are equal plans, and that is nearly always the answer.
    const std::size_t elementi = a.elementi.size();
    if (a.righe == b.righe && elementi == b.elementi.size() &&
        (elementi == 0 || std::memcmp(a.elementi.slot(0), b.elementi.slot(0), elementi * slot_piano::byte) == 0))
        return;
    if (a.righe != b.righe)
        righe.push_back(file + ": " + n(a.righe) + " righe, riproducibili " + n(b.righe) +
                        " (dalla lunghezza del percorso, voce 84)");
    const std::int32_t comuni = std::min(a.righe, b.righe);
    std::size_t diversi = 0;
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t m = 0; m < comuni; ++m) {
            const ValoreTabella x = a(m, colonna), y = b(m, colonna);
            if (stesso_elemento(x, y)) continue;
            if (++diversi <= elementi_elencati)
                righe.push_back(file + ": riga " + n(m) + (colonna == 0 ? " x" : " y") + ": trovato " + elemento(x) +
                                ", riproducibile " + elemento(y));
        }
    }
    if (diversi > elementi_elencati)
        righe.push_back(file + ": altri " + n(static_cast<std::int64_t>(diversi - elementi_elencati)) +
                        " elementi diversi");
}

}  // namespace

std::vector<std::string> confronta(const Compilati& trovati, const Ricompilazione& riprodotti) {
    std::vector<std::string> righe;
    if (riprodotti.errore_segnalato != 0) {
        righe.push_back("la compilazione della descrizione scritta si ferma con \" Errore n. " +
                        n(riprodotti.errore_segnalato) + "\" e non scrive file compilati");
        return righe;
    }
    if (riprodotti.celle.empty()) {
        righe.push_back("la compilazione della descrizione scritta non crea la griglia (codice " +
                        n(riprodotti.codice) + ")");
        return righe;
    }
    Scenario nomi;
    nomi.nome_linea = trovati.nome_linea;
    nomi.nome_treno = trovati.nome_treno;
    if (trovati.piano)
        confronta_piani(file_linea_dat(nomi).filename().string(), *trovati.piano, riprodotti.piano, righe);
    confronta_voci(file_sim(nomi).filename().string(), trovati.voci, riprodotti.voci, righe);
    confronta_celle(file_griglia_dat(nomi).filename().string(), trovati.celle, riprodotti.celle, righe);
    return righe;
}

}  // namespace compattatore
