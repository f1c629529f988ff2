#include "tables/chilometri.h"

#include <algorithm>

namespace compattatore {

namespace {

std::int64_t con_riferimento(const Progressiva& r, std::int32_t p) {
    return r.decrescente ? r.valore - p : static_cast<std::int64_t>(p) + r.valore;
}

}  // namespace

std::vector<Progressiva> progressive_linea(const Voci& voci) {
    std::vector<Progressiva> r;
    for (std::size_t i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
        const Voce& v = voci[i];
        if (v.inizio == 0 && v.fine == 0 && v.posizione == 0) continue;
        r.push_back({v.inizio, valore_progressiva(v), verso_decrescente(v.posizione)});
    }
    std::sort(r.begin(), r.end(), [](const Progressiva& a, const Progressiva& b) { return a.inizio < b.inizio; });
    return r;
}

std::int64_t chilometro(const std::vector<Progressiva>& progressive, std::int32_t p) {
    std::int64_t km = p;
    for (const Progressiva& r : progressive)
        if (p >= r.inizio) km = con_riferimento(r, p);
    return km;
}

std::int64_t chilometro_prima(const std::vector<Progressiva>& progressive, std::int32_t p) {
    std::int64_t km = p;
    for (const Progressiva& r : progressive)
        if (p > r.inizio) km = con_riferimento(r, p);
    return km;
}

}  // namespace compattatore
