// What the documents must agree with, read from the built-in description
// texts: the train's stations, speed limits and restrictions, and the line's
// kilometre references.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compattatore::test {

struct StazioneTreno {
    std::string nome;
    std::int32_t posizione = 0;
    int ore = 0, minuti = 0, secondi = 0;
    bool ha_orario() const { return ore != 0 || minuti != 0 || secondi != 0; }
};

struct Progressiva {
    std::int32_t posizione = 0;
    std::int32_t offset = 0;
    int senso = 0;
};

struct RigaPosizione {
    std::int32_t posizione = 0;
    std::vector<std::int32_t> valori;
};

// The "stazione" rows of the train description, in file order.
std::vector<StazioneTreno> stazioni_del_treno();
// The rows of the train description whose first field is exactly `chiave`:
// position and the values that follow.
std::vector<RigaPosizione> righe_del_treno(const std::string& chiave);
// The three "progressiva chilometrica" rows of the line description, by position.
std::vector<Progressiva> progressive_della_linea();

// The kilometre count, in metres, at a route position: the position itself
// before the first reference.
std::int32_t chilometro(const std::vector<Progressiva>& progressive, std::int32_t posizione);
// "126.000" for 126000.
std::string testo_km(std::int32_t metri);

}  // namespace compattatore::test
