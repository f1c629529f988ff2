// The description format, declared once.
//
// The two description texts (the line's and the train's) are made of
// sections and records.  This table says, for every record, the keyword the
// writers use, how the reader recognises it in a record's first field, and
// each field that follows it: name, type, unit, accepted range, what an
// empty field reads as and what it means.  The reader dispatches on it in
// its order; the authors' reference (`compattatore reference`), decompile's
// writer, the line generator and the fuzz dictionary are written from it.
//
// Walking it:
//
//     for (const Record& r : formato_descrizione().records)
//         for (const Campo& c : r.campi) ...
//
// `records` stands in the order the reader tests the keywords of each
// text: the tests are not exclusive, so a field that holds two keywords
// reads both records, in this order.  `sezioni` lists the headers of each
// text in the order the built-in texts write them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace compattatore::lettore {

// Where a keyword is read: the general section of the line text, the line
// records after it, the train text.
enum class Contesto { generale, linea, treno };

// Which of the two texts.
enum class FileDescrizione { linea, treno };

// How a field is read: a 32-bit, 16-bit or unsigned 8-bit integer, or a
// text up to the next comma or the end of the line.
enum class TipoCampo { intero32, intero16, byte, testo };

struct Campo {
    std::string_view nome;          // short Italian name, as the reference and the diagnostics say it
    TipoCampo tipo;
    std::string_view unita;         // "m", "km/h", "‰", "%", "h", "min", "s", or "" for a plain number or a text
    std::int64_t minimo, massimo;   // accepted values (for a text: its length in characters)
    std::int64_t multiplo = 0;      // the value is a multiple of this; 0 for any
    std::string_view vuoto;         // what an empty field reads as
    std::string_view significato;   // one line, in Italian: what it does to the compiled scenario
};

// The records, one per handler of the reader.
enum class IdRecord {
    lunghezza_percorso,
    progressiva_tre,
    progressiva_due,
    progressiva_uno,
    sfondo_uno,
    sfondo_due,
    sfondo_tre,
    ripetizione_segnali,
    pendenza,
    curva,
    montagna,
    indicatori_vmax,
    cartello_indicatore,
    massa_frenata,
    numero_vetture,
    velocita,
    aderenza,
    orologio,
    sabbia,
    segnale,
    rallentamento,
    abbattimento,
    stazione,
    numero_treno,
    categoria,
    recupero,
};

struct Record {
    IdRecord id;
    Contesto contesto;
    std::string_view sezione;               // the header it stands under in the built-in texts
    std::span<const std::string_view> parole;  // its keywords; the writers use the first
    // The reader recognises the record when its first field contains
    // `prima` and `seconda` (when given) at any position, letter case
    // ignored, or exactly as written with `esatte`.
    std::string_view prima, seconda;
    bool esatte = false;
    // `prima` alone already makes the field a record, of no values when
    // `seconda` is missing ("progressiva", "sfondo").
    bool basta_la_prima = false;
    // Read only when the plan of the track is compiled; otherwise the field
    // and its values pass as fields of their own.
    bool solo_con_piano = false;
    // A record of the driver's documents: nothing of it goes into the
    // compiled files.
    bool solo_documenti = false;
    std::span<const Campo> campi;
    std::string_view significato;  // one paragraph, in Italian
    std::string_view esempio;      // one record as an author writes it
};

struct Sezione {
    FileDescrizione file;
    std::string_view intestazione;  // "[curve]"
    std::string_view significato;
};

struct FormatoDescrizione {
    std::span<const Sezione> sezioni;
    std::span<const Record> records;
};

const FormatoDescrizione& formato_descrizione();

// The record of `id`.
const Record& record_formato(IdRecord id);

// The header of the section a record stands under ("[curve]").
std::string_view intestazione(IdRecord id);

// The header that closes a text ("[fine]"): its last section, which holds no
// record.
std::string_view intestazione_finale(FileDescrizione f);

// `campo`, read as a record's first field, is recognised as `r`.
bool riconosce(const Record& r, std::string_view campo);

// The name of a record in messages: its keyword, or what its spellings
// share ("curva", "ripetizione segnali").
std::string_view nome_record(const Record& r);

// `campo` holds the first of the words that recognise `r`.
bool riconosce_la_prima(const Record& r, std::string_view campo);

// The record one of whose keywords is `parola` (case ignored); nullptr when none.
const Record* record_della_parola(std::string_view parola);

// The text of a field's type, unit and range, as the diagnostics and the
// reference say it: "intero a 32 bit, in m, da 0 a 1000000".
std::string descrivi_campo(const Campo& c);

}  // namespace compattatore::lettore
