#include "tables/esito.h"

#include <algorithm>
#include <iterator>

namespace compattatore {

void EsitoCompilazione::aggiungi(Diagnostica d) {
    const Gravita g = d.gravita;
    if (!elenca(g)) {
        if (g == Gravita::errore) diagnostiche.back() = std::move(d);
        tralascia(g);
        return;
    }
    if (diagnostiche.size() == massimo_diagnostiche) {
        const auto avviso = std::find_if(diagnostiche.rbegin(), diagnostiche.rend(),
                                         [](const Diagnostica& x) { return x.gravita == Gravita::avviso; });
        diagnostiche.erase(std::next(avviso).base());
        --avvisi_elencati_;
        tralascia(Gravita::avviso);
    }
    if (g == Gravita::avviso) ++avvisi_elencati_;
    diagnostiche.push_back(std::move(d));
}

void EsitoCompilazione::aggiungi(const CodiceDiFinitura& f) {
    if (finitura.size() < massimo_diagnostiche) {
        finitura.push_back(f);
        return;
    }
    tralascia(Gravita::errore);
    finitura.back() = f;
}

}  // namespace compattatore
