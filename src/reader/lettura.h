// The state of one reading of the two description texts, shared by the
// phases of the reader, and the ways a phase can end a record loop.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "placement/posa.h"
#include "reader/formato_descrizione.h"
#include "reader/lettore_campi.h"
#include "reader/registro_avvisi.h"
#include "reader/memorizza_dati.h"
#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore::lettore {

// A failure the reader does not test for itself (a value beyond its member,
// an index the input would push outside a table, a missing train text...):
// it ends the reading with code 25.  It says what went wrong, which field of
// the record is at fault (0 the keyword, -1 none in particular), and whether
// a reading that goes on past errors can go on at all.
class GuastoImprevisto : public std::runtime_error {
public:
    explicit GuastoImprevisto(const std::string& messaggio, int campo_guasto = -1, bool fine_lettura = false,
                              std::vector<std::string> note_guasto = {})
        : std::runtime_error(messaggio), campo(campo_guasto), definitivo(fine_lettura), note(std::move(note_guasto)) {}
    int campo;
    bool definitivo;
    std::vector<std::string> note;
    // The record at fault when it is not the current one (a value carried on
    // from an earlier record).
    std::optional<LuogoRecord> record;
};

// How a record handler leaves its record.
enum class Esito {
    avanti,     // go on with the next record
    fine_file,  // leave the record loop as if the text had ended (code 15)
    fermo,      // the reader stopped with a code and returns
    salta,      // a reading that goes on past errors: the record is refused, go on at the next line
};

// Which description text.
enum class Testo : std::uint8_t { linea = 0, treno = 1 };

// The speeds a maximum-speed board shows on one side.
struct Cartello {
    bool presente = false;
    std::int32_t a = 0, b = 0, c = 0;
};

// The start and the value fields of a kilometre reference's record.
struct CampiProgressiva {
    LuogoRecord inizio, valore;
};

// What the warnings remember from one record to the next.
struct Ricordi {
    // Position of the last record of each ordered kind, once one was met.
    std::optional<std::int32_t> pendenza, velocita, aderenza;
    // The last curve and montagna stretch met, from start to end.
    struct Tratto {
        std::optional<std::int32_t> inizio;
        std::int64_t fine = 0;
    };
    Tratto curva, montagna;
    // The board in force on each side (left, right) and the speeds of the
    // striped run being read, so that a run is judged once.
    std::array<Cartello, 2> in_vigore;
    std::array<Cartello, 2> annuncio;
    // General keys met, by their own mask, and the records that filled the
    // kilometre references 81, 82, 83.
    std::uint32_t chiavi_generali = 0;
    std::array<std::optional<CampiProgressiva>, 3> progressive;
    // The record whose speed limit is being carried on.
    std::optional<LuogoRecord> velocita_portata;
    std::optional<LuogoRecord> generale_linea;  // the line text's "[generale]"
    bool dopo_fine = false;     // "[fine]" has been met in the current text
    int riga_silenziata = 0;    // a line whose further fields raise no warning
    // The highest rank of the maximum-speed board in force from each
    // position on (either side, boards without stripes), with its record.
    struct Tabella {
        std::int32_t posizione = 0, rango_massimo = 0;
        LuogoRecord record;
    };
    std::vector<Tabella> tabelle;
    // The train's speed limits, as read.
    struct Limite {
        std::int32_t posizione = 0, limite = 0;
        LuogoRecord record;
    };
    std::vector<Limite> limiti;
    // The stations with a scheduled time, by their entry, with the place of
    // their hours field; the recovery margins, with the place of their position.
    struct Orario {
        std::int32_t voce = 0;
        LuogoRecord record;
    };
    std::vector<Orario> orari;
    struct PostoRecupero {
        std::int32_t posizione = 0;
        LuogoRecord record;
    };
    std::vector<PostoRecupero> recuperi;
    // The last record recognised in the current text, and its line: the
    // record that a field left over on that line was meant for.
    const Record* ultimo_record = nullptr;
    int riga_ultimo_record = 0;
    int stazioni = 0;           // station records met
};

struct Lettura {
    Lettura(const Descrizioni& descrizioni, Scenario& scenario, EsitoCompilazione& esito_lettura,
            Provenienze& provenienze_lettura, bool fino_alla_fine)
        : d(descrizioni), s(scenario), esito(esito_lettura), provenienze(provenienze_lettura),
          controllo(fino_alla_fine), testi(testi_letti(descrizioni)) {}

    const Descrizioni& d;
    Scenario& s;
    EsitoCompilazione& esito;
    Provenienze& provenienze;
    // A reading for `check`: every error is recorded and the reading goes
    // on at the next line wherever it can; the compilation stops at the first.
    const bool controllo;
    // The names and contents of the two texts, for the diagnostics.
    const TestiLetti testi;

    // The text of the current phase, its name for diagnostics and its
    // fields; no fields between phases.
    Testo testo_corrente = Testo::linea;
    std::string file_corrente;
    std::optional<LettoreCampi> campi;

    // The first field of the record being handled, for diagnostics, and
    // the record of the format it was recognised as.
    std::optional<PosizioneCampo> record;
    const Record* record_formato = nullptr;

    // Line phase.
    std::int32_t slot_testo = static_cast<std::int32_t>(ultimo_cartello);
    std::int32_t cella_pendenza = 0;
    std::int32_t pendenza_precedente = 0;
    std::int32_t metro_piano = 2;
    Montagne montagne;

    // Train phase.
    std::int32_t cella_velocita = 0;
    std::int32_t velocita_precedente = 0;
    std::int32_t cella_aderenza = 0;
    std::int32_t aderenza_precedente = 0;
    std::int32_t slot_stazione = static_cast<std::int32_t>(prima_stazione);

    Ricordi ricordi;

    LettoreCampi& f() { return *campi; }
};

// Starts reading `testo` as the current phase's text.
void apri(Lettura& l, Testo quale, std::string_view testo);
// Ends the current phase's reading.
void chiudi(Lettura& l);

// The place of the current record's field `campo` (0 its keyword; a field
// not read yet gives the last one read), or of the record as a whole.
Luogo luogo_campo(const Lettura& l, int campo);
Luogo luogo_di(const Lettura& l, Testo quale, const PosizioneCampo& p);

// The current record, to be named later.
LuogoRecord record_corrente(const Lettura& l, int campo = 0);

// Records an error: `codice` becomes the outcome's code, the diagnostic
// names the place.  The message is the code's explanation, or `messaggio`.
void registra_errore(Lettura& l, Codice codice, std::optional<std::int32_t> posizione, Luogo luogo,
                     std::string messaggio = {}, std::vector<std::string> note = {});
// Records an error that no code of the compiled scenario stands for (a
// train with no station): the scenario is read as ever, but no compile
// takes it.
void errore_senza_codice(Lettura& l, Luogo luogo, std::string messaggio, std::vector<std::string> note = {});
// Records a warning (no code changes).
void avviso(Lettura& l, Avviso quale, std::string messaggio, Luogo luogo, std::vector<std::string> note = {});
// A warning (or, in a reading that goes on past errors, an error) about to
// be recorded that the list has no room for: counts it and returns true,
// and the caller words nothing.  So a description of millions of faulty
// lines costs little more than reading it.  A compilation lists its last
// error, the outcome's, whatever came before.
bool solo_contato(Lettura& l, Gravita g = Gravita::avviso);

// Stops the reader at the current record's field `campo`: records the code
// (and the position, when given).  A compilation ends the current text and
// returns Esito::fermo; a reading that goes on returns Esito::salta.
Esito ferma(Lettura& l, Codice codice, int campo = 0, std::vector<std::string> note = {});
Esito ferma(Lettura& l, Codice codice, std::int32_t posizione, int campo, std::vector<std::string> note = {});

// The top of every record loop: reads the record's first field into
// `chiave`, skipping up to two comment fields.  False when the loop has to
// end because the text is at its end.
bool leggi_chiave(Lettura& l, std::string& chiave);

// One pass of a record loop: `gestisci` on the record in `chiave`, with the
// reader's unexpected failures turned into code 25 (a reading that goes on
// past errors passes over the rest of the line and goes on), and the rest
// of a refused record's line passed over.
template <class Gestore>
Esito passo_record(Lettura& l, Gestore&& gestisci);

// What the keyword tests made of a record's first field.
struct Riconoscimento {
    bool riconosciuta = false;  // one record at least was read
    bool ignorata = false;      // a record that this compilation does not read (a curve without the plan)
};

// The keyword tests of `contesto` on `chiave`, in the format's order and
// not exclusive: `gestisci(record)` reads each record the field is
// recognised as.  Stops at the first handler that does not answer
// Esito::avanti and returns its answer.
template <class Gestore>
Esito applica_records(Lettura& l, Contesto contesto, const std::string& chiave, Riconoscimento& r,
                      Gestore&& gestisci) {
    for (const Record& record : formato_descrizione().records) {
        if (record.contesto != contesto) continue;
        if (!riconosce(record, chiave)) {
            if (record.basta_la_prima && riconosce_la_prima(record, chiave)) r.riconosciuta = true;
            continue;
        }
        if (record.solo_con_piano && !l.d.compila_linea) {
            r.ignorata = true;
            continue;
        }
        r.riconosciuta = true;
        l.record_formato = &record;
        const Esito e = gestisci(record);
        if (e != Esito::avanti) return e;
    }
    return Esito::avanti;
}

// The grid bound check before a positioned record, `campo` being the field
// of the position.  Esito::avanti when the record lies inside the grid;
// otherwise code 15 is recorded with the position, and the loop ends as at
// the end of the text (a reading that goes on passes over the record).  A
// record met before the grid exists is an unexpected failure.
Esito dentro_griglia(Lettura& l, std::int32_t posizione, int campo = 1);

// A cell the input addresses directly: outside the grid is an unexpected failure.
Cella& cella(Lettura& l, std::int64_t indice);
// A cell of a run or a mark: nullptr when it lies outside the grid.
Cella* cella_se_presente(std::vector<Cella>& celle, std::int64_t indice);

// After a placement operation that answered `da_posa`: a code 25 is an
// unexpected failure; any other code stops the reader at the record's
// position field, naming what holds `cella_occupata`.  A compilation also
// stops at a code standing from before (a code 15 of the line phase), which
// keeps its own place.
Esito dopo_posa(Lettura& l, Codice da_posa, std::int32_t posizione, std::int64_t cella_occupata);

// The cells a placement wrote are the current record's.
void segna_provenienza(Lettura& l, std::int64_t cella);
// What a cell holds and which record put it there: "the signal of FILE:LINE".
std::string cosa_occupa(const Lettura& l, std::int64_t cella);

// A value computed from the input that has to fit a 32-bit or 16-bit member.
std::int32_t in_32(std::int64_t valore, int campo = -1);
std::int16_t in_16(std::int64_t valore, int campo = -1);

// A text for the `nome` of a voci entry: the compiled scenario file gives
// its length 16 bits, so a longer text does not fit its member.
std::string testo_di_voce(std::string testo, int campo);

// ---------------------------------------------------------------------------

// An unexpected failure that ends any reading: the line text gave no length.
[[noreturn]] void senza_lunghezza(const Lettura& l);

// Code 25 for an unexpected failure at the current record.
Esito guasto(Lettura& l, const std::string& messaggio, int campo, bool definitivo, std::vector<std::string> note,
             std::optional<Luogo> dove = std::nullopt);
Esito guasto_campo(Lettura& l, const GuastoCampo& g);

template <class Gestore>
Esito passo_record(Lettura& l, Gestore&& gestisci) {
    Esito e;
    try {
        e = gestisci();
    } catch (const GuastoCampo& g) {
        e = guasto_campo(l, g);
    } catch (const GuastoImprevisto& g) {
        e = guasto(l, g.what(), g.campo, g.definitivo, g.note,
                   g.record ? std::optional<Luogo>(luogo_del_record(l.testi, *g.record)) : std::nullopt);
    }
    if (e == Esito::salta && l.campi) {
        const std::vector<PosizioneCampo>& campi = l.f().campi_record();
        if (!campi.empty()) l.f().salta_riga(campi.back().riga);
        e = Esito::avanti;
    }
    return e;
}

}  // namespace compattatore::lettore
