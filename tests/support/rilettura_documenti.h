// The driver's documents read back as a driver reads them, and checked row
// by row against the two description texts the scenario was compiled from,
// without the code that derives them: the stations in route order with
// their times, every change of the train's limit at its kilometre in the
// line's own count, the kilometre reference changes, the posts, the
// protection signals, and every restriction of the order with its stations,
// post, speed and length.  The layout (pages, widths) is checked too.
// Faults are reported through gtest expectations.
#pragma once

#include <string>
#include <vector>

namespace compattatore::test {

// False when the texts hold something the check cannot tell the outcome of
// (two kilometre references at one position, a restriction that begins and
// ends in one cell): the scenario is then left out.
bool rilettura_possibile(const std::string& testo_linea, const std::string& testo_treno);

// Checks the card's and the order's lines against the descriptions.
void rileggi_documenti(const std::string& testo_linea, const std::string& testo_treno,
                       const std::vector<std::string>& scheda, const std::vector<std::string>& ordine);

}  // namespace compattatore::test
