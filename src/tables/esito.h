// The outcome of one compilation: the code recorded last, its position,
// the record it came from, and which description texts the reading took.
#pragma once

#include <cstdint>
#include <string>

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

// Where the record that caused the code stands in its description text;
// an empty file name when the code does not come from a record.
struct OrigineErrore {
    std::string file;
    int riga = 0;     // 1-based
    int colonna = 0;  // 1-based, the record's first field
    std::string testo;  // the record's line as written

    friend bool operator==(const OrigineErrore&, const OrigineErrore&) = default;
};

struct EsitoCompilazione {
    Codice codice = Codice::nessuno;  // the last one recorded wins
    std::int32_t posizione_errore = 0;
    OrigineErrore origine;

    // The description texts the reading consumed: the no-argument run
    // deletes these files.  A stop inside the line text leaves the train
    // text unread; an unexpected failure consumes both; a missing line text
    // consumes nothing.
    bool letta_linea = false;
    bool letto_treno = false;

    // 1250 or 1251 when the header stamp failed: the run ends with the
    // error report and writes no compiled file.
    std::int32_t errore_segnalato = 0;
};

}  // namespace compattatore
