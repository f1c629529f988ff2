// The scenario: the grid, the entries, the plan and the header values the
// compiled files carry.  Nothing here is reading or working state: the
// reader, the placement operations and the finishing pass keep theirs in
// their own locals, and report through EsitoCompilazione (tables/esito.h).
// The byte layouts of the records are declared once, in file_compilati.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tables/costanti_formato.h"
#include "tables/tabella_linea.h"

namespace compattatore {

// One grid record: 50 metres of line.
struct Cella {
    TipoCella tipo = TipoCella::vuota;
    std::int16_t valore1 = 0;
    std::int16_t valore2 = 0;
    std::int16_t valore3 = 0;
    std::int16_t valore4 = 0;
    std::uint8_t tempo = 0;
    std::uint8_t preavviso = 0;
    std::uint8_t montagna = 0;
    std::uint8_t velocita = 0;
    std::uint8_t pendenza = 0;
    std::uint8_t aderenza = 0;

    friend bool operator==(const Cella&, const Cella&) = default;
};

// A cell may take a new element when it holds nothing or only the montagna mark.
inline bool cella_libera(const Cella& c) {
    return c.tipo == TipoCella::vuota || c.tipo == TipoCella::segno_montagna;
}

// One general-purpose record: a station, a sign text or a header entry.
// The fields keep the names of the file; the views below name them by role.
struct Voce {
    std::uint8_t tipo = 0;
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t posizione = 0;
    std::uint8_t byte1 = 0;
    std::string nome;  // bytes as read (one byte per character)
    std::int16_t intero1 = 0;
    std::int16_t intero2 = 0;
    std::int16_t intero3 = 0;
    std::int16_t intero4 = 0;
    std::int16_t intero5 = 0;
    std::uint8_t byte2 = 0;
    std::uint8_t byte3 = 0;
    std::uint8_t byte4 = 0;
    std::uint8_t byte5 = 0;
    std::int32_t orario = 0;

    friend bool operator==(const Voce&, const Voce&) = default;
};

inline constexpr int ultima_voce = 86;  // voci has entries 0 to 86
using Voci = std::array<Voce, ultima_voce + 1>;

// The entries with a fixed role.  Stations take the entries from
// prima_stazione upwards, sign texts the entries from ultimo_cartello
// downwards; the header is entries 81 to 86.
inline constexpr std::size_t prima_stazione = 1;
inline constexpr std::size_t ultimo_cartello = 80;
inline constexpr std::size_t voce_progressiva_tre = 81;
inline constexpr std::size_t voce_progressiva_due = 82;
inline constexpr std::size_t voce_progressiva_uno = 83;
inline constexpr std::size_t voce_percorso = 84;  // braked mass, line length, coaches
inline constexpr std::size_t voce_linea = 85;     // line identifier, backgrounds, stamp
inline constexpr std::size_t voce_treno = 86;     // train identifier, signal repetition, sand, clock

// A station entry by the meaning of its fields (V is Voce or const Voce).
template <class V>
struct VistaStazione {
    V& v;
    auto& posizione() const { return v.posizione; }
    auto& inizio() const { return v.inizio; }
    auto& fine() const { return v.fine; }
    auto& flag_a() const { return v.byte1; }           // the row's 4th value
    auto& flag_b() const { return v.byte5; }           // the 5th, cleared for short and first stations
    auto& fine_prolungata() const { return v.byte4; }  // the 6th: `fine` lies 50 m further
    auto& gruppo_a1() const { return v.intero1; }
    auto& gruppo_a2() const { return v.intero2; }
    auto& gruppo_a3() const { return v.byte2; }
    auto& gruppo_b1() const { return v.intero3; }
    auto& gruppo_b2() const { return v.intero4; }
    auto& gruppo_b3() const { return v.intero5; }
    auto& valore_fermata() const { return v.byte3; }
    auto& orario() const { return v.orario; }  // seconds since midnight, 0 without a time
    auto& nome() const { return v.nome; }
};
template <class V>
VistaStazione(V&) -> VistaStazione<V>;

// The header entries 84 to 86 by the meaning of their fields (W is Voci or
// const Voci).
template <class W>
struct VistaIntestazione {
    W& voci;
    auto& massa_frenata() const { return voci[voce_percorso].inizio; }
    auto& lunghezza_linea() const { return voci[voce_percorso].fine; }
    auto& vetture() const { return voci[voce_percorso].posizione; }
    auto& nome_linea() const { return voci[voce_linea].nome; }
    auto& sfondo_uno() const { return voci[voce_linea].inizio; }
    auto& sfondo_due() const { return voci[voce_linea].posizione; }
    auto& sfondo_tre() const { return voci[voce_linea].fine; }
    auto& valore_intestazione() const { return voci[voce_linea].intero1; }  // 610 once stamped
    auto& codice_gara_st() const { return voci[voce_linea].orario; }
    auto& nome_treno() const { return voci[voce_treno].nome; }
    auto& inizio_ripetizione() const { return voci[voce_treno].inizio; }
    auto& fine_ripetizione() const { return voci[voce_treno].fine; }
    auto& codici_ripetizione() const { return voci[voce_treno].posizione; }  // 4, 9, or 0 without an end
    auto& sabbia() const { return voci[voce_treno].intero1; }
    auto& ore() const { return voci[voce_treno].intero3; }
    auto& minuti() const { return voci[voce_treno].intero4; }
    auto& secondi() const { return voci[voce_treno].intero5; }
};
template <class W>
VistaIntestazione(W&) -> VistaIntestazione<W>;

// A recovery margin the train description gives the station at `posizione`,
// in minutes as written ("1", "0.5", "2.5").
struct Recupero {
    std::int32_t posizione = 0;
    std::string minuti;
};

// What the train description says for the driver's documents alone: the
// compiled files carry none of it.  Empty texts and no margins when the
// description does not give them.
struct DatiDocumenti {
    std::string numero_treno;
    std::string categoria;
    std::vector<Recupero> recuperi;
};

struct Scenario {
    // Identifiers.
    std::string nome_linea;
    std::string nome_treno;

    // Header values that size the tables: lunghezza_estesa is the line's
    // length plus its extension, numero_celle the grid's last index.
    std::int32_t lunghezza_estesa = 0;
    std::int32_t numero_celle = 0;

    // Tables.
    std::vector<Cella> celle;  // indices 0..numero_celle once created; empty before
    Voci voci{};
    TabellaLinea tabella_linea;  // only when the plan is asked for

    // Read with the train description, written into no compiled file.
    DatiDocumenti documenti;

    bool griglia_esiste() const { return !celle.empty(); }
};

}  // namespace compattatore
