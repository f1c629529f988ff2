#include "tables/esito.h"

#include <algorithm>
#include <iterator>

namespace compattatore {

void EsitoCompilazione::aggiungi(Diagnostica d) {
    const Gravita g = d.gravita;
    if (!elenca(g)) {
        // An error with no code of its own never takes the place of the
        // error that gave the outcome its code.
        const bool dell_esito = codice != Codice::nessuno && diagnostiche.back().numero == numero(codice);
        if (g == Gravita::errore && !(d.numero == 0 && dell_esito)) diagnostiche.back() = std::move(d);
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
