#include "sources/linea_generata.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "reader/formato_descrizione.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {

using lettore::IdRecord;

constexpr std::int32_t passo_cella = lunghezza_cella;
constexpr std::int32_t prolungamento = prolungamento_linea;

// The keyword of a record, as the writers spell it (its `variante`-th
// spelling); every keyword is a literal, closed by a null.
const char* parola(IdRecord id, std::size_t variante = 0) {
    return lettore::record_formato(id).parole[variante].data();
}

// Appends a section's header, closed by CR LF.
void sezione(std::string& out, std::string_view intestazione) {
    out.append(intestazione);
    out.append("\r\n");
}

// Appends one line, closed by CR LF.
void riga(std::string& out, const char* formato, auto... valori) {
    if constexpr (sizeof...(valori) == 0) {
        // A fixed line (none holds a '%').
        out.append(formato);
    } else {
        char buffer[256];
        const int n = std::snprintf(buffer, sizeof buffer, formato, valori...);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer)
            throw std::length_error("riga generata troppo lunga");
        out.append(buffer, static_cast<std::size_t>(n));
    }
    out.append("\r\n");
}

std::int32_t a_multiplo(std::int64_t metri, std::int32_t passo) {
    return static_cast<std::int32_t>(metri / passo * passo);
}

// The cells the generator has handed out.  Signals, boards, signs and
// restrictions take the cell p / 50 + 1, a code cut the cell p / 50, a
// station its stop cell; the cells around a restriction that the finishing
// pass fills with codes are kept clear of everything else.
class Occupazione {
public:
    explicit Occupazione(std::int32_t lunghezza)
        : celle_((lunghezza + prolungamento) / passo_cella + 1, false), zona_(celle_.size(), false) {}

    bool libera(std::int64_t c) const {
        return c >= 2 && c < static_cast<std::int64_t>(celle_.size()) && !celle_[static_cast<std::size_t>(c)] &&
               !zona_[static_cast<std::size_t>(c)];
    }
    void prendi(std::int64_t c) { celle_[static_cast<std::size_t>(c)] = true; }
    void riserva(std::int64_t da, std::int64_t a) {
        for (std::int64_t c = std::max<std::int64_t>(da, 0); c <= a && c < static_cast<std::int64_t>(zona_.size()); ++c)
            zona_[static_cast<std::size_t>(c)] = true;
    }

private:
    std::vector<bool> celle_;
    std::vector<bool> zona_;
};

std::int64_t cella_elemento(std::int32_t p) { return p / passo_cella + 1; }

struct Stazione {
    std::int32_t posizione;
    int tipo;
    std::int32_t lunghezza;
    std::int32_t fine;
};

struct Rallentamento {
    std::int32_t x, v, l, d_v;
};

struct Segnale {
    std::int32_t posizione;
    int s1, s2, s3, dx, d1, tempo;
};

}  // namespace

DescrizioniGenerate genera_descrizioni(std::int32_t lunghezza, int stazioni_chieste) {
    if (lunghezza < 20000 || lunghezza > lunghezza_massima_linea) throw std::invalid_argument("lunghezza fuori da 20 km .. 1000 km");
    Occupazione occupate(lunghezza);

    // Signs and stations share the 78 free slots of the general table.
    const int numero_segni = std::clamp(lunghezza / 50000, 1, 20);
    const int numero_stazioni =
        std::clamp(stazioni_chieste > 0 ? stazioni_chieste : lunghezza / 7400 + 1, 2, 78 - numero_segni);

    // Stations, evenly spaced; the first is the origin station of kind 8.
    static constexpr std::array<int, 7> tipi_generati = {2, 4, 12, 21, 22, 27, 28};
    std::vector<Stazione> stazioni;
    stazioni.push_back({0, 8, 500, 500});
    for (int k = 1; k < numero_stazioni; ++k) {
        const std::int32_t p =
            a_multiplo(static_cast<std::int64_t>(k) * (lunghezza - 3000) / (numero_stazioni - 1), 100);
        const int tipo = tipi_generati[static_cast<std::size_t>(k) % tipi_generati.size()];
        const std::int32_t l = 200 + 100 * (k % 5);
        stazioni.push_back({p, tipo, l, p + l / 2});
    }
    for (const Stazione& st : stazioni)
        if (stazione_con_fermata(st.tipo)) occupate.prendi(st.fine / passo_cella - 1);

    // Restrictions halfway between two stations, with their surroundings kept
    // clear: the finishing pass puts codes before the warning board, inside
    // the restriction and before the first signal within 12 cells after it.
    const int numero_rallentamenti = std::max(1, lunghezza / 150000);
    std::vector<Rallentamento> rallentamenti;
    for (int r = 0; r < numero_rallentamenti; ++r) {
        const std::size_t k = static_cast<std::size_t>((r + 1) * (numero_stazioni - 1) / (numero_rallentamenti + 1));
        const std::int32_t x = a_multiplo((stazioni[k].posizione + stazioni[k + 1].posizione) / 2 + 600, passo_cella);
        const Rallentamento ra = r % 2 == 0 ? Rallentamento{x, 80, 800, 80} : Rallentamento{x, 60, 250, 0};
        const std::int64_t avviso = cella_elemento(x - 1200);
        occupate.riserva(avviso - 27, cella_elemento(x + ra.l) + 14);
        rallentamenti.push_back(ra);
    }

    std::string linea;
    sezione(linea, lettore::intestazione(IdRecord::lunghezza_percorso));
    riga(linea, "%s,    %d", parola(IdRecord::lunghezza_percorso), lunghezza);
    const std::int32_t uno = a_multiplo(lunghezza / 11, passo_cella);
    const std::int32_t due = a_multiplo(lunghezza / 20 * 17, passo_cella);
    const std::int32_t tre = a_multiplo(lunghezza / 20 * 19, passo_cella);
    riga(linea, "%s,    %d,    3050,    0", parola(IdRecord::progressiva_uno), uno);
    riga(linea, "%s,    %d,    %d,    0", parola(IdRecord::progressiva_due), due, -due);
    riga(linea, "%s,    %d,    %d,    1", parola(IdRecord::progressiva_tre), tre, tre + 96100);
    riga(linea, "%s,    1", parola(IdRecord::sfondo_uno));
    riga(linea, "%s,    0", parola(IdRecord::sfondo_due));
    riga(linea, "%s,    0", parola(IdRecord::sfondo_tre));
    riga(linea, "%s,    8000,    %d", parola(IdRecord::ripetizione_segnali), a_multiplo(lunghezza - 3300, passo_cella));

    sezione(linea, lettore::intestazione(IdRecord::curva));
    for (int i = 0;; ++i) {
        const std::int32_t inizio = 1350 + 1950 * i;
        const std::int32_t l = 150 + 100 * ((i * 7) % 12);
        if (inizio + l > lunghezza - 1000) break;
        riga(linea, "%s,  %d,  %d", parola(IdRecord::curva, (i % 2 == 0 ? 0 : 6) + (i * 5) % 6), inizio, l);
    }

    sezione(linea, lettore::intestazione(IdRecord::pendenza));
    for (int i = 0;; ++i) {
        const std::int32_t p = 1300 * i;
        if (p > lunghezza - 300) break;
        riga(linea, "%s,  %d,   %d", parola(IdRecord::pendenza), p, (i * 7) % 23 - 11);
    }

    sezione(linea, lettore::intestazione(IdRecord::montagna));
    for (int i = 0; i < 45; ++i) {
        const std::int32_t inizio = 8750 + 21000 * i;
        const std::int32_t fine = inizio + 400 + 450 * (i % 9);
        if (fine > lunghezza - 500) break;
        riga(linea, "%s,   %d,  %d,  %d", parola(IdRecord::montagna), inizio, fine, i % 2 == 0 ? 12 : 2);
    }

    sezione(linea, lettore::intestazione(IdRecord::indicatori_vmax));
    for (int i = 0;; ++i) {
        const std::int32_t p = 1000 + 5150 * i;
        if (p > lunghezza - 1000) break;
        if (!occupate.libera(cella_elemento(p))) continue;
        occupate.prendi(cella_elemento(p));
        const int va = 75 + 5 * ((i * 3) % 19);
        if (i % 3 == 0)
            riga(linea, "%s,  %d,  %d,  %d,  %d,  0,  ,  ,  ,  0", parola(IdRecord::indicatori_vmax), p, va, va + 5, va + 10);
        else
            riga(linea, "%s,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d", parola(IdRecord::indicatori_vmax), p, va, va + 5, va + 10,
                 i % 3, va, va + 5, va + 10, i % 3);
    }

    sezione(linea, lettore::intestazione(IdRecord::cartello_indicatore));
    for (int i = 0; i < numero_segni; ++i) {
        std::int32_t p = a_multiplo((2 * static_cast<std::int64_t>(i) + 1) * lunghezza / (2 * numero_segni), passo_cella);
        while (!occupate.libera(cella_elemento(p))) p += passo_cella;
        occupate.prendi(cella_elemento(p));
        riga(linea, "%s,  %d,   (  Cippo  )(Km %d+%03d)", parola(IdRecord::cartello_indicatore), p, p / 1000, p % 1000);
    }
    sezione(linea, lettore::intestazione_finale(lettore::FileDescrizione::linea));

    // Signals every 1850 m where the cell is free; every second one has a
    // code cut in the cell just before it.
    std::vector<Segnale> segnali;
    std::vector<std::int32_t> abbattimenti;
    for (int i = 0;; ++i) {
        const std::int32_t p = 1050 + 1850 * i;
        if (p > lunghezza - 600) break;
        const std::int64_t c = cella_elemento(p);
        if (!occupate.libera(c)) continue;
        occupate.prendi(c);
        const bool destro = i % 4 != 3;
        segnali.push_back({p, 2 + i % 4, i % 3 == 0 ? 1 : 0, i % 5 == 0 ? 1 : 0, destro ? 1 + i % 2 : 0,
                           destro ? 2 : 0, i % 29 == 7 ? 190 : 0});
        if (i % 2 == 0 && occupate.libera(c - 1)) {
            occupate.prendi(c - 1);
            abbattimenti.push_back(p);
        }
    }

    std::string treno;
    sezione(treno, lettore::intestazione(IdRecord::numero_vetture));
    riga(treno, "%s,    12", parola(IdRecord::numero_vetture));
    riga(treno, "%s,    130", parola(IdRecord::massa_frenata));
    riga(treno, "%s,    180", parola(IdRecord::sabbia));
    riga(treno, "%s,    16              20            30 ", parola(IdRecord::orologio));

    sezione(treno, lettore::intestazione(IdRecord::aderenza));
    for (int i = 0;; ++i) {
        const std::int32_t p = 10450 * i;
        if (p > lunghezza - 500) break;
        riga(treno, "%s,  %6d,    %d", parola(IdRecord::aderenza), p, 58 + (i * 13) % 42);
    }

    sezione(treno, lettore::intestazione(IdRecord::velocita));
    riga(treno, "%s,   0,    30", parola(IdRecord::velocita));
    for (int i = 0;; ++i) {
        const std::int32_t p = 1000 + 7750 * i;
        if (p > lunghezza - 500) break;
        riga(treno, "%s,  %6d,   %d", parola(IdRecord::velocita), p, i == 0 ? 100 : 60 + 5 * ((i * 3) % 23));
    }

    sezione(treno, lettore::intestazione(IdRecord::stazione));
    // A timetable at every fifth station and at the last, a minute per km.
    std::int32_t secondi = 16 * 3600 + 14 * 60 + 30;
    for (std::size_t k = 0; k < stazioni.size(); ++k) {
        const Stazione& st = stazioni[k];
        const bool orario = k % 5 == 0 || k + 1 == stazioni.size();
        const std::int32_t t = orario ? secondi + st.posizione / 1000 * 60 : 0;
        const bool codici = stazione_con_fermata(st.tipo);
        const int fermata = k == 0 ? 1 : (k + 1 == stazioni.size() ? 0 : (orario ? 60 : 0));
        riga(treno, "%s,  %6d,  %d,  %d,  1, %d, 0,  %s,  %s,    %d,  %d,%d,%d, Stazione di prova %zu", parola(IdRecord::stazione),
             st.posizione, st.tipo, st.lunghezza, st.lunghezza >= 600 ? 1 : 0, codici ? "4,1,0" : "0,0,0",
             codici ? "2,1,1" : "0,0,0", fermata, t / 3600 % 24, t / 60 % 60, t % 60, k + 1);
    }

    sezione(treno, lettore::intestazione(IdRecord::rallentamento));
    for (const Rallentamento& r : rallentamenti)
        riga(treno, "%s,  %d,    %d,  %d, 0,  1,  %d", parola(IdRecord::rallentamento), r.x, r.v, r.l, r.d_v);

    sezione(treno, lettore::intestazione(IdRecord::segnale));
    for (const Segnale& g : segnali)
        riga(treno, "%s,  %6d,   2, %d, %d,  %d, 0,    %d,  %d,%d,%d, %d", parola(IdRecord::segnale), g.posizione, g.s1, g.s2, g.s3, g.dx,
             g.d1, g.dx != 0 ? 1 : 0, g.dx != 0 ? 1 : 0, g.tempo);

    sezione(treno, lettore::intestazione(IdRecord::abbattimento));
    for (std::int32_t p : abbattimenti) riga(treno, "%s,  %6d,   270", parola(IdRecord::abbattimento), p);
    sezione(treno, lettore::intestazione_finale(lettore::FileDescrizione::treno));

    return {std::move(linea), std::move(treno)};
}

}  // namespace compattatore
