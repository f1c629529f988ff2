// The speed-restriction order: the form "Modulo M. 3" with one row per
// temporary restriction of the run, its stations, the kilometre post after
// which it begins, its speed and its length.
#include <algorithm>
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

constexpr std::size_t largo_stazioni = 28;

// "A e B" in the cell, each name cut on its own when the two do not fit:
// the shorter keeps up to half the room, the longer takes the rest.
std::string fra(const std::string& a, const std::string& b) {
    const std::string e = " e ";
    const std::size_t posto = largo_stazioni - e.size();
    if (a.size() + b.size() <= posto) return a + e + b;
    const std::size_t meta = posto / 2;
    std::size_t la = a.size() <= b.size() ? std::min(a.size(), meta) : posto - std::min(b.size(), meta);
    la = std::min(la, a.size());
    const std::size_t lb = std::min(b.size(), posto - la);
    return a_sinistra(a, la) + e + a_sinistra(b, lb);
}

// The station a restriction lies in; or the last station at or before its
// start and the first one at or after its end; or, for one wholly before
// the origin or after the destination, that station with "prima di" or
// "dopo".
std::string stazioni_attorno(const Corsa& c, const RallentamentoCorsa& r) {
    const std::int64_t fine = static_cast<std::int64_t>(r.inizio) + r.lunghezza;
    const StazioneCorsa* prima = nullptr;
    const StazioneCorsa* dopo = nullptr;
    for (const StazioneCorsa& s : c.stazioni) {
        if (s.inizio <= r.inizio && fine <= s.fine) return s.nome;
        if (s.posizione <= r.inizio) prima = &s;
        if (s.posizione >= fine && !dopo) dopo = &s;
    }
    if (c.stazioni.empty()) return {};
    const StazioneCorsa& origine = c.stazioni.front();
    const StazioneCorsa& destinazione = c.stazioni.back();
    if (!prima && fine <= origine.posizione) return "prima di " + origine.nome;
    if (!dopo && r.inizio >= destinazione.posizione) return "dopo " + destinazione.nome;
    return fra((prima ? prima : &origine)->nome, (dopo ? dopo : &destinazione)->nome);
}

// The post after which a restriction begins; where the line has none before
// it, the kilometre where it begins.
std::int32_t inizio_dopo(const Corsa& c, const RallentamentoCorsa& r) {
    return c.cippo_prima(r.inizio).value_or(r.inizio);
}

std::string riga_rallentamento(const Corsa& c, std::size_t numero, const RallentamentoCorsa& r) {
    return riga_tabella({al_centro(std::to_string(numero), 3), a_sinistra(stazioni_attorno(c, r), largo_stazioni),
                         a_sinistra("Km " + testo_km(c.chilometro(inizio_dopo(c, r))), 12),
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
