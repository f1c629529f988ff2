// What a compilation tells the author: the codes it records, and each error
// or warning with the place in the description texts it concerns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace compattatore {

// The codes the reader, the placement operations and the finishing pass
// record; the numbers are those the authors know.
enum class Codice : std::int32_t {
    nessuno = 0,
    lunghezza_eccessiva = 1,
    progressiva_fuori_passo = 2,
    inizio_ripetizione_fuori_passo = 3,
    fine_ripetizione_fuori_passo = 4,
    ripetizione_senza_codici = 5,
    cartello_su_cella_occupata = 6,
    abbattimento_su_cella_occupata = 7,
    stazione_fuori_passo = 8,
    lunghezza_stazione_fuori_passo = 9,
    posti_esauriti = 10,
    codice_dietro_avviso = 11,
    codici_di_avvicinamento = 12,
    codice_nel_rallentamento = 13,
    oltre_la_griglia = 15,
    segnale_su_cella_occupata = 16,
    avviso_occupato = 17,
    inizio_rallentamento_occupato = 18,
    fine_rallentamento_occupata = 19,
    preavvisi_occupati = 20,
    indicatore_su_cella_occupata = 21,
    stazioni_troppo_vicine = 22,
    fermata_in_testa = 24,
    guasto = 25,
    linea_mancante = 101,
    generale_mancante = 102,
    tracciato_non_valido = 103,
};

inline constexpr std::int32_t numero(Codice c) { return static_cast<std::int32_t>(c); }

// Short Italian explanation of a code; empty for a number that is no code.
std::string_view spiegazione_codice(Codice codice);
// Whether posizione_errore goes with this code.
bool codice_con_posizione(Codice codice);

// A place in a description text: the line, and the field on it that is at
// fault.  An empty file name: no place; a line 0: the file as a whole.
struct Luogo {
    std::string file;   // as the author names it
    int riga = 0;       // 1-based
    int colonna = 0;    // 1-based byte column where the field begins
    std::string testo;  // the line as written (a part of it when it is long: see below)
    int larghezza = 0;  // bytes of the field; 0 marks the column alone
    // A long line is kept only around the field: `testo` then starts at
    // column inizio_testo, and continua says that the line goes on after it.
    int inizio_testo = 1;
    bool continua = false;
    // The text is UTF-8 (the author's notes), not the bytes of a description.
    bool utf8 = false;

    friend bool operator==(const Luogo&, const Luogo&) = default;
};

// The place of a file as a whole.
inline Luogo luogo_file(std::string file) {
    Luogo u;
    u.file = std::move(file);
    return u;
}

enum class Gravita : std::uint8_t { errore, avviso };

// One error or warning.  An error carries the code the compiler records (or
// the number of the error report, 1250 or 1251); a warning a short stable
// name.  The message is one sentence; the notes follow it on lines of their
// own: the accepted range, the expected type, the nearest keyword, what
// holds an occupied cell.
struct Diagnostica {
    Gravita gravita = Gravita::errore;
    std::int32_t numero = 0;
    std::string nome;
    std::string messaggio;
    std::optional<std::int32_t> posizione;  // metres along the line
    Luogo luogo;
    std::vector<std::string> note;

    friend bool operator==(const Diagnostica&, const Diagnostica&) = default;
};

// Beyond this many, errors and warnings are only counted.
inline constexpr std::size_t massimo_diagnostiche = 1000;

}  // namespace compattatore
