// The constants and codes of the scenario's formats, each under one name:
// the grid's step, how far it runs beyond the line, the longest line, the
// cell types, the station kinds with a rule of their own and the stations'
// measures, and the header's fixed values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace compattatore {

// One grid cell covers this many metres of line.
inline constexpr std::int32_t lunghezza_cella = 50;
// The grid and the plan run this far beyond the end of the line.
inline constexpr std::int32_t prolungamento_linea = 7000;
// The longest line a description may give (code 1 beyond it).
inline constexpr std::int32_t lunghezza_massima_linea = 1000000;
// The timetable card's column for a station's name: a longer name is cut.
inline constexpr std::size_t colonne_nome_scheda = 28;

// --- Cell types ------------------------------------------------------------

// What a grid cell holds (the `tipo` byte of a cell).  A compiled file may
// carry any byte here; the codes below are the ones the compiler writes.
enum class TipoCella : std::uint8_t {
    vuota = 0,
    segnale = 1,
    fine_rallentamento = 2,
    inizio_rallentamento = 3,
    avviso_rallentamento = 4,
    preavviso_rallentamento = 5,
    indicatore_v_max = 6,
    fermata = 10,
    segno_montagna = 11,
    codice = 12,
    abbattimento = 13,
    cartello = 14,
};

struct NomeTipoCella {
    TipoCella codice;
    std::string_view nome;  // stable identifier, shown by the listings
};

// Every cell type the compiler writes, with its stable identifier.
inline constexpr std::array<NomeTipoCella, 12> tipi_cella{{
    {TipoCella::vuota, "vuota"},
    {TipoCella::segnale, "segnale"},
    {TipoCella::fine_rallentamento, "fine_rallentamento"},
    {TipoCella::inizio_rallentamento, "inizio_rallentamento"},
    {TipoCella::avviso_rallentamento, "avviso_rallentamento"},
    {TipoCella::preavviso_rallentamento, "preavviso_rallentamento"},
    {TipoCella::indicatore_v_max, "indicatore_vmax"},
    {TipoCella::fermata, "fermata"},
    {TipoCella::segno_montagna, "segno_montagna"},
    {TipoCella::codice, "codice"},
    {TipoCella::abbattimento, "abbattimento"},
    {TipoCella::cartello, "cartello"},
}};

// The byte of a cell type.
constexpr std::uint8_t codice_tipo_cella(TipoCella t) { return static_cast<std::uint8_t>(t); }

// Whether the compiler writes this cell type.
constexpr bool tipo_cella_noto(TipoCella t) {
    for (const NomeTipoCella& n : tipi_cella)
        if (n.codice == t) return true;
    return false;
}

// Stable identifier of a cell type ("segnale", "codice" ...); "sconosciuto"
// for a code the compiler never writes.
constexpr std::string_view nome_tipo_cella(TipoCella t) {
    for (const NomeTipoCella& n : tipi_cella)
        if (n.codice == t) return n.nome;
    return "sconosciuto";
}

// --- Station kinds ---------------------------------------------------------

// The kind of a station (field 2 of a station record, `tipo` of its entry)
// is an open number: the file keeps whatever the description gives.  The
// table below holds the kinds with a placement rule of their own; every
// other kind spans its length around its position.

// How a station's kind places it.
enum class RegolaStazione : std::uint8_t {
    centrata,          // its length around its position
    fine_a_150_m,      // ends 150 m past its position, starts its length before it
    doppia_lunghezza,  // its length on either side of its position
};

struct NomeTipoStazione {
    int codice;
    RegolaStazione regola;
    std::string_view nome;  // as the authors call it
};

// The station kinds with a placement rule of their own.
inline constexpr std::array<NomeTipoStazione, 4> tipi_stazione{{
    {5, RegolaStazione::fine_a_150_m, "fermata in testa"},
    {6, RegolaStazione::fine_a_150_m, "fermata in testa"},
    {7, RegolaStazione::doppia_lunghezza, "capolinea"},
    {8, RegolaStazione::doppia_lunghezza, "capolinea"},
}};

// From this kind on a station has no stop cell and no approach marks.
inline constexpr int primo_tipo_stazione_senza_fermata = 25;

// A station's length is a multiple of this many metres.
inline constexpr std::int32_t passo_lunghezza_stazione = 100;
// A station that ends 150 m past its position ends this far past it.
inline constexpr std::int32_t oltre_fermata_in_testa = 150;
// The least gap between a station's start and the previous station's end.
inline constexpr std::int32_t distacco_minimo_stazioni = 350;
// A station shorter than this keeps its fifth value (flag b) at 0.
inline constexpr std::int32_t lunghezza_minima_flag_b = 600;

// The placement rule of a station kind; a kind not in the table is centred.
constexpr RegolaStazione regola_stazione(int tipo) {
    for (const NomeTipoStazione& n : tipi_stazione)
        if (n.codice == tipo) return n.regola;
    return RegolaStazione::centrata;
}

// Whether a station of this kind has a stop cell (and, unless it ends 150 m
// past its position, approach marks).
constexpr bool stazione_con_fermata(int tipo) { return tipo < primo_tipo_stazione_senza_fermata; }

// --- Header values ---------------------------------------------------------

// The fixed values the header stamp writes into entry 85 and cell 1.
inline constexpr std::int16_t valore_intestazione_voci = 610;
inline constexpr std::int16_t valore_intestazione_celle = 5121;

}  // namespace compattatore
