// The speed-restriction order: the form "Modulo M. 3" with one row per
// temporary restriction of the run, its stations, the kilometre post after
// which it begins, its speed and its length.
#include <string>
#include <vector>

#include "documents/corsa.h"
#include "documents/documenti_scenario.h"
#include "documents/formato_documenti.h"
#include "documents/testo_documento.h"

namespace compattatore {

namespace {

// The table's rows between its head and its closing rule, restrictions
// first, then empty rows.
constexpr std::size_t righe_modulo = 26;

const std::string riga_vuota = " |   |                            |            |          |         |            |";
const std::string chiusura = " |___|____________________________|____________|__________|_________|____________|";

// The station a restriction lies in, or the stations around its start: the
// last one at or before it and the next one.
std::string stazioni_attorno(const Corsa& c, const RallentamentoCorsa& r) {
    const std::int64_t fine = static_cast<std::int64_t>(r.inizio) + r.lunghezza;
    const StazioneCorsa* prima = nullptr;
    const StazioneCorsa* dopo = nullptr;
    for (const StazioneCorsa& s : c.stazioni) {
        if (s.inizio <= r.inizio && fine <= s.fine) return s.nome;
        if (s.posizione <= r.inizio) prima = &s;
        if (s.posizione > r.inizio && !dopo) dopo = &s;
    }
    if (prima && dopo) return prima->nome + " e " + dopo->nome;
    if (prima) return prima->nome;
    if (dopo) return dopo->nome;
    return {};
}

std::string riga_rallentamento(const Corsa& c, std::size_t numero, const RallentamentoCorsa& r) {
    return riga_tabella({al_centro(std::to_string(numero), 3), a_sinistra(stazioni_attorno(c, r), 28),
                         a_sinistra("Km " + testo_km(c.chilometro(c.cippo_prima(r.inizio))), 12),
                         a_destra(std::to_string(r.kmh), 4) + " Km/h ", a_sinistra("   " + std::to_string(r.lunghezza), 9),
                         std::string(12, ' ')});
}

}  // namespace

std::vector<std::string> righe_ordine_rallentamenti(const Scenario& s) {
    const Corsa c = leggi_corsa(s);
    std::string linea;
    if (!c.stazioni.empty()) linea = c.stazioni.front().nome + " - " + c.stazioni.back().nome;
    std::vector<std::string> out = {
        "",
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " " + std::string(80, '_'),
        "  Linea " + linea,
        "",
        "  Si ordina al macchinista del treno " + VistaIntestazione{s.voci}.nome_treno() +
            " di effettura i seguenti rallentamenti",
        "  " + std::string(79, '_'),
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
        chiusura,
    };
    for (std::size_t i = 0; i < c.rallentamenti.size(); ++i)
        out.push_back(riga_rallentamento(c, i + 1, c.rallentamenti[i]));
    for (std::size_t i = c.rallentamenti.size(); i < righe_modulo; ++i) out.push_back(riga_vuota);
    out.insert(out.end(), {
                              chiusura,
                              "",
                              "              Prescrizioni specifiche",
                              " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
                              " B - Interessa anche la stazione di.......",
                              " D - Rallentamneto N. ... e N. ...  sono contigui",
                              " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
                              "     i giorni esclusi i seguenti:.........",
                          });
    return out;
}

std::string ordine_rallentamenti(const Scenario& s) { return testo_crlf(righe_ordine_rallentamenti(s)); }

}  // namespace compattatore
