// The comparison of the compiled files found with those the written texts
// compile to: one report line per cell, entry or plan element that differs.
#include <bit>
#include <cstring>
#include <type_traits>

#include "decompile/decompilazione.h"
#include "compiled/descrizione.h"
#include "format/formato.h"
#include "tables/conteggio.h"
#include "tables/file_compilati.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

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

// The fields of one record that differ, by the record's field table: "name
// trovato X, riproducibile Y", with a note for those the stamp fills.
template <class Campi, class R>
std::string campi_diversi(const Campi& campi, const R& a, const R& b, bool timbro, bool cella) {
    std::string diverse;
    codifica::per_ogni_campo(campi, [&](const auto& campo) {
        using T = typename std::decay_t<decltype(campo)>::Tipo;
        const T& x = a.*(campo.membro);
        const T& y = b.*(campo.membro);
        if (x == y) return;
        if (!diverse.empty()) diverse += "; ";
        if constexpr (std::is_same_v<T, std::string>) {
            diverse += std::string(campo.nome) + " trovato \"" + testo_leggibile(x) + "\", riproducibile \"" +
                       testo_leggibile(y) + "\"";
        } else {
            diverse += std::string(campo.nome) + " trovato " + n(codifica::numero(x)) + ", riproducibile " + n(codifica::numero(y)) +
                       (timbro ? nota_timbro(cella, campo.nome) : "");
        }
    });
    return diverse;
}

void confronta_celle(const std::string& file, const std::vector<Cella>& a, const std::vector<Cella>& b,
                     std::vector<std::string>& righe) {
    if (a.size() != b.size())
        righe.push_back(file + ": " + conteggio(static_cast<std::int64_t>(a.size()), "cella", "celle") + ", riproducibili " +
                        n(static_cast<std::int64_t>(b.size())) + " (dalla lunghezza del percorso, voce 84)");
    const std::size_t comuni = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < comuni; ++i) {
        if (a[i] == b[i]) continue;
        righe.push_back(file + ": cella " + n(static_cast<std::int64_t>(i)) + " (" +
                        n(metro_di_cella(static_cast<std::int64_t>(i))) + " m): " +
                        campi_diversi(campi_cella, a[i], b[i], i == 1, true));
    }
}

void confronta_voci(const std::string& file, const Voci& a, const Voci& b, std::vector<std::string>& righe) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        righe.push_back(file + ": voce " + n(static_cast<std::int64_t>(i)) + ": " +
                        campi_diversi(campi_voce, a[i], b[i], i == voce_linea, false));
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
        righe.push_back(file + ": " + conteggio(a.righe, "riga", "righe") + ", riproducibili " + n(b.righe) +
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
    if (const std::size_t altri = diversi > elementi_elencati ? diversi - elementi_elencati : 0; altri == 1)
        righe.push_back(file + ": un altro elemento diverso");
    else if (altri > 1)
        righe.push_back(file + ": altri " + n(static_cast<std::int64_t>(altri)) + " elementi diversi");
}

}  // namespace

std::vector<std::string> confronta(const ScenarioCompilato& trovati, const Compilazione& riprodotti) {
    std::vector<std::string> righe;
    if (riprodotti.esito.errore_segnalato != 0) {
        righe.push_back("la compilazione della descrizione scritta si ferma con \" Errore n. " +
                        n(riprodotti.esito.errore_segnalato) + "\" e non scrive file compilati");
        return righe;
    }
    const Scenario& s = riprodotti.scenario;
    if (!s.griglia_esiste()) {
        righe.push_back("la compilazione della descrizione scritta non crea la griglia (codice " +
                        n(numero(riprodotti.esito.codice)) + ")");
        return righe;
    }
    const FileScenario nomi{{}, trovati.nome_linea(), trovati.nome_treno()};
    if (trovati.piano()) confronta_piani(file_linea_dat(nomi).string(), *trovati.piano(), s.tabella_linea, righe);
    confronta_voci(file_sim(nomi).string(), trovati.voci(), s.voci, righe);
    confronta_celle(file_griglia_dat(nomi).string(), trovati.celle(), s.celle, righe);
    return righe;
}

}  // namespace compattatore
