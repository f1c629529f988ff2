// What the built-in card shows that the built-in train description does not
// say: the train number, its category and the recovery margins of its timed
// stations.  The no-argument run works out its card and order from the
// compiled built-in scenario with these.
#include "documents/documenti.h"

namespace compattatore {

DatiDocumenti dati_documenti_predefiniti() {
    DatiDocumenti d;
    d.numero_treno = "K27";
    d.categoria = "ESPRESSO";
    d.recuperi = {{0, "1"},      {49300, "0.5"},  {101300, "1.5"}, {153400, "1"},
                  {199800, "0.5"}, {250100, "1"}, {285600, "2.5"}};
    return d;
}

}  // namespace compattatore
