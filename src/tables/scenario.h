// The scenario state: every table and scalar the compiler works on, in one
// plain struct that the stages receive by reference.  Field order and widths
// are those of the compiled files; the writer in compiled_files.cpp walks them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tables/tabella_linea.h"

namespace compattatore {

// One grid record: 50 metres of line.
struct Cella {
    std::uint8_t tipo = 0;
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
};

// Cell type codes.
namespace tipo_cella {
inline constexpr std::uint8_t vuota = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t avviso_rallentamento = 4;
inline constexpr std::uint8_t preavviso_rallentamento = 5;
inline constexpr std::uint8_t indicatore_v_max = 6;
inline constexpr std::uint8_t fermata = 10;
inline constexpr std::uint8_t segno_montagna = 11;
inline constexpr std::uint8_t codice = 12;
inline constexpr std::uint8_t abbattimento = 13;
inline constexpr std::uint8_t cartello = 14;
}  // namespace tipo_cella

// A cell may take a new element when it holds nothing or only the montagna mark.
inline bool cella_libera(const Cella& c) {
    return c.tipo == tipo_cella::vuota || c.tipo == tipo_cella::segno_montagna;
}

// One general-purpose record: a station, a sign text or a header entry.
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
};

inline constexpr int ultima_voce = 86;  // voci has entries 0 to 86

// Where the record that caused the recorded code stands in its description
// file; empty file name when the code does not come from a record.
struct OrigineErrore {
    std::string file;
    int riga = 0;         // 1-based line number
    std::string testo;    // the record's line as written
};

struct Scenario {
    // Identifiers and the folder every file lives in.
    std::string nome_linea;
    std::string nome_treno;
    std::filesystem::path cartella;

    // Tables.
    std::vector<Cella> celle;  // indices 0..numero_celle once created; empty before
    std::array<Voce, ultima_voce + 1> voci{};
    TabellaLinea tabella_linea;
    std::array<std::int32_t, 81> inizi_montagna{};
    std::array<std::int32_t, 81> fini_montagna{};

    // Form-level scalars.
    std::string riga;
    std::int32_t compila_linea = 0;
    std::int32_t numero_montagne = 0;
    std::int32_t lunghezza_estesa = 0;
    std::int32_t numero_celle = 0;
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;
    std::int32_t risposta = 0;

    // Shared counters.
    std::int32_t indice = 0;
    std::int32_t indice2 = 0;
    std::int32_t indice3 = 0;
    std::int32_t contatore = 0;
    std::int32_t occupato = 0;
    std::int32_t indice4 = 0;

    // Authors' compile keeps its description files; the built-in run deletes them.
    bool elimina_sorgenti = true;
    OrigineErrore origine_errore;

    bool griglia_esiste() const { return !celle.empty(); }
};

}  // namespace compattatore
