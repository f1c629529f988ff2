// The train's run as a whole, once every record is read: a schedule that
// goes backwards or asks for more than the train's own limits allow, a
// limit above every rank of the line's boards, a recovery margin where no
// station stands, two kilometre references at one point.  Each is a warning
// at the record that caused it; nothing compiled changes.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "reader/avvisi.h"
#include "reader/fasi.h"
#include "tables/arrotonda.h"

namespace compattatore::lettore {

namespace {

// A time of day or a duration, in seconds, as the timetable card writes its
// times: hours, minutes and, where there are any, seconds, with full stops.
std::string testo_orario(std::int64_t secondi) {
    char t[32];
    const int h = static_cast<int>(secondi / 3600), m = static_cast<int>(secondi / 60 % 60),
              s = static_cast<int>(secondi % 60);
    if (s != 0)
        std::snprintf(t, sizeof t, "%02d.%02d.%02d", h, m, s);
    else
        std::snprintf(t, sizeof t, "%02d.%02d", h, m);
    return t;
}

const Voce& voce(const Lettura& l, std::int32_t i) { return l.s.voci[static_cast<std::size_t>(i)]; }

std::int32_t orario(const Lettura& l, std::int32_t i) { return VistaStazione{voce(l, i)}.orario(); }

const std::string& nome(const Lettura& l, std::int32_t i) { return VistaStazione{voce(l, i)}.nome(); }

// The least time, in seconds, that the train's limits allow from `da` to
// `a`: each stretch run at its limit.  Nothing when a stretch has no limit
// above 0 (before the first limit, or a limit of 0), or the limits are not
// in order of position.
std::optional<double> tempo_minimo(const std::vector<Ricordi::Limite>& limiti, std::int64_t da, std::int64_t a) {
    double secondi = 0.0;
    std::int64_t coperto = da;
    for (std::size_t i = 0; i < limiti.size(); ++i) {
        if (i > 0 && limiti[i].posizione < limiti[i - 1].posizione) return std::nullopt;
        const std::int64_t inizio = std::max<std::int64_t>(limiti[i].posizione, da);
        const std::int64_t fine = i + 1 < limiti.size() ? std::min<std::int64_t>(limiti[i + 1].posizione, a) : a;
        if (fine <= inizio) continue;
        if (inizio > coperto || limiti[i].limite <= 0) return std::nullopt;
        secondi += static_cast<double>(fine - inizio) / (static_cast<double>(limiti[i].limite) / 3.6);
        coperto = fine;
    }
    if (coperto < a) return std::nullopt;
    return secondi;
}

void controlla_orario(Lettura& l) {
    const std::vector<Ricordi::Orario>& orari = l.ricordi.orari;
    for (std::size_t k = 1; k < orari.size(); ++k) {
        const std::int32_t i = orari[k - 1].voce, j = orari[k].voce;
        const std::int64_t ti = orario(l, i), tj = orario(l, j);
        if (tj < ti) {
            if (solo_contato(l)) continue;
            avviso(l, Avviso::orario_all_indietro,
                   "orario " + testo_orario(tj) + " prima di quello della stazione precedente con orario, " +
                       nome(l, i) + " alle " + testo_orario(ti),
                   luogo_del_record(l.testi, orari[k].record),
                   {"gli orari vanno in ordine di marcia; dopo la mezzanotte le ore continuano da 24 a 47"});
            continue;
        }
        const std::int64_t da = voce(l, i).posizione, a = voce(l, j).posizione;
        if (a <= da) continue;
        const std::optional<double> minimo = tempo_minimo(l.ricordi.limiti, da, a);
        if (!minimo) continue;
        const std::int64_t minimo_s = arrotonda(*minimo);
        if (tj - ti >= minimo_s || solo_contato(l)) continue;
        avviso(l, Avviso::orario_impossibile,
               "da " + nome(l, i) + " alle " + testo_orario(ti) + " a " + nome(l, j) + " alle " + testo_orario(tj) +
                   " l'orario dà " + testo_orario(tj - ti) + " per " + std::to_string(a - da) +
                   " m: ai limiti di velocità del treno ne servono almeno " + testo_orario(minimo_s),
               luogo_del_record(l.testi, orari[k].record),
               {testo_orario(minimo_s) + " è il tempo di corsa a ogni limite del treno (record \"velocita\"), senza "
                                         "avviamento, frenatura né fermate"});
    }
}

// Each train limit against the line's boards: a limit above every rank of
// every board never applies anywhere, and was most likely left from another
// line.  A limit above the boards of its own stretch only is the usual case:
// the boards mark the line's restrictions, and the train's limits change a
// little before or after them.
void controlla_limiti(Lettura& l) {
    const Ricordi::Tabella* massima = nullptr;
    for (const Ricordi::Tabella& t : l.ricordi.tabelle)
        if (!massima || t.rango_massimo > massima->rango_massimo) massima = &t;
    if (!massima || massima->rango_massimo <= 0) return;
    const Luogo cartello = luogo_del_record(l.testi, massima->record);
    for (const Ricordi::Limite& v : l.ricordi.limiti) {
        // A limit beyond the network's, or beyond the cell, has its own diagnostic.
        if (v.limite <= massima->rango_massimo || v.limite > velocita_massima_rete) continue;
        if (solo_contato(l)) continue;
        avviso(l, Avviso::limite_oltre_cartelli,
               "limite del treno di " + std::to_string(v.limite) + " km/h, sopra ogni cartello della linea: il più "
               "alto dà " + std::to_string(massima->rango_massimo) + " km/h",
               luogo_del_record(l.testi, v.record),
               {"il cartello più alto è a " + std::to_string(massima->posizione) + " m (" + cartello.file + ":" +
                std::to_string(cartello.riga) + "); un limite sopra ogni rango non vale in nessun punto"});
    }
}

void controlla_recuperi(Lettura& l) {
    for (const Ricordi::PostoRecupero& r : l.ricordi.recuperi) {
        bool trovata = false;
        for (std::int32_t i = static_cast<std::int32_t>(prima_stazione); i < l.slot_stazione && !trovata; ++i)
            trovata = voce(l, i).posizione == r.posizione;
        if (trovata) continue;
        if (solo_contato(l)) continue;
        avviso(l, Avviso::recupero_senza_stazione,
               "recupero a " + std::to_string(r.posizione) + " m, dove non sta nessuna stazione",
               luogo_del_record(l.testi, r.record),
               {"il recupero va alla posizione di una stazione, e la scheda orario lo mostra sulla sua riga: questo "
                "non compare"});
    }
}

}  // namespace

void controlla_corsa(Lettura& l) {
    controlla_orario(l);
    controlla_limiti(l);
    controlla_recuperi(l);
}

}  // namespace compattatore::lettore
