// The rows of the timetable card's table, in running order from the origin
// to the destination: stations with their times and recovery margins, the
// signal that protects each timed stop (the last one before it, when the
// line has one after the previous station), the changes of the train's
// speed limit (with the switches near the stations), the kilometre
// reference changes and kilometre posts; a spacer row after each
// intermediate timed stop parts the run into its legs.  The post after which
// the first restriction the train meets begins carries the placeholder
// " ___ " in column 4.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "documents/corsa.h"
#include "tables/scenario.h"

namespace compattatore {

enum class TipoRigaScheda {
    stazione,
    protezione,     // the protection signal of a timed stop
    velocita,       // a change of the train's limit
    cambio,         // where the kilometre reference changes: the old count, ended by "/"
    nuovo_valore,   // the row after it: the new count alone
    cippo,          // a kilometre post
    spaziatura,     // the empty row between two legs
};

struct RigaScheda {
    TipoRigaScheda tipo;
    std::int32_t posizione = 0;
    std::string testo;  // 83 characters
};

// The rows of one choice of posts, in running order; the rows point into
// the table and into `cippi`.
struct RigheScheda {
    std::vector<RigaScheda> cippi;
    std::vector<const RigaScheda*> ordine;
};

class TabellaScheda {
public:
    TabellaScheda(const Corsa& c, const DatiDocumenti& d);
    ~TabellaScheda();

    // The rows with `cippi_sparsi` kilometre posts spread along the run
    // besides those the restrictions refer to (fewer when the line has no
    // room for them).  Posts keep clear of the other rows.  With
    // `spaziature` the spacer row that opens a leg takes the place of the
    // first post spread in it.
    RigheScheda righe(int cippi_sparsi, bool spaziature) const;

    // How many rows there are without spread posts and spacers.
    std::size_t senza_cippi_sparsi() const;

private:
    struct Righe;
    std::unique_ptr<Righe> righe_;
};

}  // namespace compattatore
