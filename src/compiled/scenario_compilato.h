// A compiled scenario read back: the grid, the entries and the plan as the
// three files hold them, and what they mean by role.  Every reading of a
// compiled scenario goes through here: `dump`, `plot`, the driver's
// documents and decompile.
//
//  - The entries by role (ripartisci_voci): stations fill the entries from 1
//    upwards, sign texts from 80 downwards, the header is 81 to 86.  This is
//    the one place that decides which entries are stations.
//  - The stations in running order, each with its entry.
//  - The sign text of a sign cell.
//  - The header by role: VistaIntestazione{voci} (tables/scenario.h).
//  - The kilometre references with their sense, ascending by start
//    (tables/chilometri.h).
//  - The temporary restrictions as start/end pairs of cells.
//  - Cells and metres by the one rule of tables/celle.h.
//  - Names and sign texts are Windows-1252 bytes; testo_leggibile
//    (compiled/descrizione.h) gives them as UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/celle.h"
#include "tables/chilometri.h"
#include "tables/scenario.h"

namespace compattatore {

// `altro` is an entry that holds something where nothing belongs: entry 0,
// or an entry between the stations and the sign texts.
enum class RuoloVoce { vuota, stazione, cartello, intestazione, altro };

std::string_view nome_ruolo(RuoloVoce r);

// How the entries are shared, as the compiler fills them: stations from
// entry 1 upwards, sign texts from entry 80 downwards, each holding its
// text and nothing else.  Stations are entries 1 to numero_stazioni: up to
// the last entry, before the first empty one, that holds more than a text
// (a station of length 0 at 0 m without a time may hold its name alone).
// Sign texts are entries primo_cartello to 80 (primo_cartello is 81 when
// there are none), from the first entry after the stations that holds its
// text alone, or from a lower one that a sign cell of the grid points at (a
// sign's text may be empty).  Without the grid the entries alone decide.
struct RipartizioneVoci {
    int numero_stazioni = 0;
    int primo_cartello = static_cast<int>(ultimo_cartello) + 1;
    std::array<RuoloVoce, ultima_voce + 1> ruoli{};
};
RipartizioneVoci ripartisci_voci(const Voci& voci, std::span<const Cella> celle = {});

// An entry with all its fields zero and no text.
bool voce_vuota(const Voce& v);

struct StazioneCompilata {
    int voce = 0;  // its entry, 1 for the first station
    std::int32_t posizione = 0;
    std::int32_t inizio = 0;  // first and last positions of the station
    std::int32_t fine = 0;
    std::int32_t orario = 0;  // seconds since midnight; 0 without a time
    std::uint8_t tipo = 0;
    std::string nome;  // Windows-1252 bytes, as stored
};

// A temporary restriction by its cells.  Without an end cell of its own
// (its end was written over by a later start) it ends on its start.
struct RallentamentoCompilato {
    std::int64_t cella_avviso = -1;  // the warning board, -1 without one
    std::int64_t cella_inizio = 0;
    std::int64_t cella_fine = 0;
    std::int16_t velocita = 0;          // valore1 of the start cell, in km/h
    std::int16_t seconda_velocita = 0;  // valore2
    std::int16_t valore3 = 0;

    bool ha_fine() const { return cella_fine != cella_inizio; }
    std::int64_t metro_inizio() const { return metro_di_cella(cella_inizio); }
    std::int64_t metro_fine() const { return metro_di_cella(cella_fine); }
};

// How starts and end cells are paired.
//  - in_ordine, as the simulator meets them running along the grid: each
//    start takes the next end cell before the next start; the warning board
//    is the last one met since the previous start.
//  - come_scritti, the exact inverse of the placement, which decompile needs
//    where restrictions overlap: each start takes the first end cell after
//    it with the same three values not taken by an earlier start; no
//    warning board is paired.
enum class Appaiamento { in_ordine, come_scritti };
std::vector<RallentamentoCompilato> rallentamenti_compilati(std::span<const Cella> celle, Appaiamento a);

// The model.  The tables are held as read; the rest is derived from them
// once, on construction.
class ScenarioCompilato {
public:
    ScenarioCompilato() = default;
    ScenarioCompilato(std::string nome_linea, std::string nome_treno, std::vector<Cella> celle, Voci voci,
                      std::optional<TabellaLinea> piano);

    const std::string& nome_linea() const { return nome_linea_; }
    const std::string& nome_treno() const { return nome_treno_; }
    const std::vector<Cella>& celle() const { return celle_; }
    const Voci& voci() const { return voci_; }
    const std::optional<TabellaLinea>& piano() const { return piano_; }  // none without a plan file

    const RipartizioneVoci& ripartizione() const { return ripartizione_; }
    RuoloVoce ruolo(std::size_t voce) const { return ripartizione_.ruoli[voce]; }
    const std::vector<StazioneCompilata>& stazioni() const { return stazioni_; }
    const std::vector<Progressiva>& progressive() const { return progressive_; }
    // Paired in_ordine; decompile asks rallentamenti_compilati for the other pairing.
    const std::vector<RallentamentoCompilato>& rallentamenti() const { return rallentamenti_; }

    // The sign text a sign cell points at; none when its entry is out of range.
    const std::string* testo_cartello(const Cella& c) const;
    // The line's length in metres from the header.
    std::int32_t lunghezza_linea() const { return VistaIntestazione{voci_}.lunghezza_linea(); }

private:
    std::string nome_linea_, nome_treno_;
    std::vector<Cella> celle_;
    Voci voci_{};
    std::optional<TabellaLinea> piano_;
    RipartizioneVoci ripartizione_;
    std::vector<StazioneCompilata> stazioni_;
    std::vector<Progressiva> progressive_;
    std::vector<RallentamentoCompilato> rallentamenti_;
};

// The stations of entries 1 to r.numero_stazioni.
std::vector<StazioneCompilata> stazioni_compilate(const Voci& voci, const RipartizioneVoci& r);

}  // namespace compattatore
