// The text listings of `compattatore dump`: a heading that sums the file up,
// then one line per element in aligned columns.
#include <algorithm>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "compiled/descrizione.h"
#include "dump/dump.h"
#include "format/formato.h"
#include "compiled/sommario_piano.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

// Width on a terminal of a UTF-8 text: one column per character.
std::size_t larghezza(std::string_view t) {
    std::size_t n = 0;
    for (char c : t)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// A name between double quotes, readable, with its own quotes escaped.
std::string nome_tra_virgolette(std::string_view byte) {
    std::string r = "\"";
    for (char c : testo_leggibile(byte)) {
        if (c == '"') r += '\\';
        r += c;
    }
    return r + '"';
}

std::string numero(std::optional<double> v) { return v ? formato("%12.3f", *v) : formato("%12s", "-"); }

// A column of a listing: the heading over it, its width, the side its
// values keep to (texts left, numbers right) and the blanks before it.  A
// heading stands over its column's values, so that the heading line is
// derived from the same columns as the lines below it.
struct Colonna {
    std::string_view titolo;
    std::size_t larghezza = 0;
    bool a_sinistra = false;
    std::size_t spazi = 1;
    bool titolo_a_sinistra = false;  // a heading over a number and the words beside it
};

// How the listing shows a number field of a record: its column and, for a
// field read in a unit of its own, the value shown; `accanto` puts its
// meaning in words in a column of its own beside it.
struct VistaCampo {
    std::string_view campo;
    Colonna colonna;
    std::int64_t (*mostra)(std::int64_t) = nullptr;
    std::string_view (*accanto)(std::int64_t) = nullptr;
    std::size_t larghezza_accanto = 0;
};

// The number fields of each record, in the order of its layout table; its
// text goes last, after the numbers.
constexpr VistaCampo viste_cella[] = {
    {"tipo", {"tipo", 3, false, 2, true}, nullptr,
     [](std::int64_t t) { return nome_tipo_cella(static_cast<TipoCella>(t)); }, 22},
    {"valore1", {"valore1", 7}},
    {"valore2", {"valore2", 7}},
    {"valore3", {"valore3", 7}},
    {"valore4", {"valore4", 7}},
    {"tempo", {"tempo", 5}},
    {"preavviso", {"preavv.", 7}},
    {"montagna", {"mont.", 5}},
    {"velocita", {"km/h", 5}, [](std::int64_t v) { return v * 5; }},
    {"pendenza", {"p.mille", 7}, [](std::int64_t v) { return v - 100; }},
    {"aderenza", {"ader.", 5}},
};

constexpr VistaCampo viste_voce[] = {
    {"tipo", {"tipo", 5}},       {"inizio", {"inizio", 10}},   {"fine", {"fine", 10}},
    {"posizione", {"posizione", 10}}, {"byte1", {"b1", 2}},    {"intero1", {"intero1", 7}},
    {"intero2", {"intero2", 7}}, {"intero3", {"intero3", 7}}, {"intero4", {"intero4", 7}},
    {"intero5", {"intero5", 7}}, {"byte2", {"b2", 3}},         {"byte3", {"b3", 3}},
    {"byte4", {"b4", 3}},        {"byte5", {"b5", 3}},         {"orario", {"orario", 10}},
};

template <class T>
constexpr bool e_testo = std::is_same_v<T, std::string>;

// Whether the views name the number fields of the layout, in its order: a
// field added to a record cannot be left out of its listing.
template <class Tabella, std::size_t N>
constexpr bool segue_la_tabella(const Tabella& campi, const VistaCampo (&viste)[N]) {
    std::size_t i = 0;
    bool uguali = true;
    codifica::per_ogni_campo(campi, [&](const auto& c) {
        if constexpr (!e_testo<typename std::decay_t<decltype(c)>::Tipo>) {
            uguali = uguali && i < N && viste[i].campo == c.nome;
            ++i;
        }
    });
    return uguali && i == N;
}
static_assert(segue_la_tabella(campi_cella, viste_cella));
static_assert(segue_la_tabella(campi_voce, viste_voce));

// The columns of the number fields.
template <std::size_t N>
void colonne_campi(const VistaCampo (&viste)[N], std::vector<Colonna>& colonne) {
    for (const VistaCampo& v : viste) {
        colonne.push_back(v.colonna);
        if (v.accanto) colonne.push_back({"", v.larghezza_accanto, true});
    }
}

// The values of a record's number fields, walked in the order of its layout.
template <class Tabella, class R, std::size_t N>
void valori_campi(const Tabella& campi, const VistaCampo (&viste)[N], const R& r, std::vector<std::string>& valori) {
    std::size_t i = 0;
    codifica::per_ogni_campo(campi, [&](const auto& c) {
        if constexpr (!e_testo<typename std::decay_t<decltype(c)>::Tipo>) {
            const VistaCampo& v = viste[i++];
            const auto valore = static_cast<std::int64_t>(codifica::numero(r.*(c.membro)));
            valori.push_back(std::to_string(v.mostra ? v.mostra(valore) : valore));
            if (v.accanto) valori.emplace_back(v.accanto(valore));
        }
    });
}

std::string senza_spazi_in_coda(std::string r) {
    while (!r.empty() && r.back() == ' ') r.pop_back();
    return r;
}

// The line of the headings: each over its column, on the side its values
// keep to.
std::string intestazione(const std::vector<Colonna>& colonne) {
    std::string r;
    std::size_t fine = 0;
    for (const Colonna& c : colonne) {
        const std::size_t inizio = fine + c.spazi;
        fine = inizio + c.larghezza;
        const std::size_t at = c.a_sinistra || c.titolo_a_sinistra || c.titolo.size() > c.larghezza
                                   ? inizio
                                   : fine - c.titolo.size();
        if (c.titolo.empty()) continue;
        if (r.size() < at) r.append(at - r.size(), ' ');
        r += c.titolo;
    }
    return senza_spazi_in_coda(r);
}

// One line: each value in its column.
std::string riga(const std::vector<Colonna>& colonne, const std::vector<std::string>& valori) {
    std::string r;
    for (std::size_t k = 0; k < colonne.size(); ++k) {
        const Colonna& c = colonne[k];
        r.append(c.spazi, ' ');
        const std::size_t w = larghezza(valori[k]);
        if (!c.a_sinistra && w < c.larghezza) r.append(c.larghezza - w, ' ');
        r += valori[k];
        if (c.a_sinistra && w < c.larghezza) r.append(c.larghezza - w, ' ');
    }
    return senza_spazi_in_coda(r);
}

}  // namespace

void elenca_griglia(std::ostream& out, std::size_t numero, const PerOgniCella& celle) {
    if (numero == 0) {
        out << "griglia: nessuna cella\n";
        return;
    }
    std::size_t piene = 0;
    celle([&piene](std::size_t, const Cella& c) {
        if (!cella_vuota(c)) ++piene;
    });
    out << formato("griglia: %zu celle (indici 0..%zu), %zu byte, %zu non vuote\n", numero, numero - 1,
                   numero * byte_cella, piene);
    out << "la cella n raccoglie gli elementi posti a circa (n - 1) x 50 m; "
           "km/h = velocita x 5, per mille = pendenza - 100\n\n";
    std::vector<Colonna> colonne = {{"cella", 6, false, 0}, {"metri", 9}};
    colonne_campi(viste_cella, colonne);
    colonne.push_back({"dettaglio", 0, true, 2});
    out << intestazione(colonne) << '\n';
    std::vector<std::string> valori;
    celle([&](std::size_t k, const Cella& c) {
        if (cella_vuota(c)) return;
        std::string dettaglio = dettaglio_cella(c);
        if (k == 1) {
            if (!dettaglio.empty()) dettaglio += "; ";
            dettaglio += formato("intestazione %d, codice gara %d", c.valore1, c.valore2);
        }
        valori = {std::to_string(k), std::to_string(metro_di_cella(static_cast<std::int64_t>(k)))};
        valori_campi(campi_cella, viste_cella, c, valori);
        valori.push_back(std::move(dettaglio));
        out << riga(colonne, valori) << '\n';
    });
}

void elenca_griglia(std::ostream& out, const std::vector<Cella>& celle) {
    elenca_griglia(out, celle.size(), celle_di(celle));
}

void elenca_voci(std::ostream& out, const Voci& voci, std::size_t byte) {
    const auto ruoli = ripartisci_voci(voci).ruoli;
    std::size_t stazioni = 0, cartelli = 0, larghezza_nome = 4;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        if (ruoli[i] == RuoloVoce::stazione) ++stazioni;
        if (ruoli[i] == RuoloVoce::cartello) ++cartelli;
        larghezza_nome = std::max(larghezza_nome, larghezza(nome_tra_virgolette(voci[i].nome)));
    }
    out << formato("voci: %zu voci, %zu byte; %zu stazioni (voci 1 in su), %zu cartelli (voci 80 in giu'), "
                   "intestazione nelle voci 81..86\n\n",
                   voci.size(), byte, stazioni, cartelli);
    std::vector<Colonna> colonne = {{"voce", 5, false, 0}, {"offset", 6}, {"ruolo", 12, true}};
    colonne_campi(viste_voce, colonne);
    colonne.push_back({"nome", larghezza_nome, true, 2});
    colonne.push_back({"significato", 0, true, 2});
    out << intestazione(colonne) << '\n';
    std::size_t offset = 0;
    std::vector<std::string> valori;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const Voce& v = voci[i];
        const std::size_t questo = offset;
        offset += codifica::byte_record(campi_voce, v);
        if (ruoli[i] == RuoloVoce::vuota) continue;
        valori = {std::to_string(i), std::to_string(questo), std::string(nome_ruolo(ruoli[i]))};
        valori_campi(campi_voce, viste_voce, v, valori);
        valori.push_back(nome_tra_virgolette(v.nome));
        valori.push_back(significato_voce(voci, static_cast<int>(i), ruoli[i]));
        out << riga(colonne, valori) << '\n';
    }
}

void elenca_piano(std::ostream& out, const SorgentePiano& p, std::size_t byte, std::int32_t passo) {
    const SommarioPiano s = riassumi_sorgente(p, passo);
    out << formato("piano del tracciato: %d righe (metri 0..%d), %zu byte\n", s.righe, s.righe - 1, byte);
    out << formato("elementi: %lld interi a 16 bit, %lld reali, %lld vuoti\n", static_cast<long long>(s.interi),
                   static_cast<long long>(s.reali), static_cast<long long>(s.vuoti));
    if (s.righe_con_punto == 0) {
        out << "nessuna riga ha entrambe le coordinate\n";
    } else {
        out << formato("punti: metri %d..%d, %d righe con entrambe le coordinate\n", s.prima_riga, s.ultima_riga,
                       s.righe_con_punto);
        out << formato("riquadro: x da %.3f a %.3f m, y da %.3f a %.3f m\n", s.x_min, s.x_max, s.y_min, s.y_max);
        out << formato("sviluppo: %.3f m\n", s.sviluppo);
    }
    if (passo <= 0) return;
    out << formato("\nun punto ogni %d m:\n", passo);
    out << "    metro            x            y  rotta (gradi)\n";
    per_ogni_punto(p, passo, [&out](const PuntoPiano& q, std::optional<double> r) {
        out << formato("%9d ", q.metro) << numero(q.x) << ' ' << numero(q.y) << ' '
            << (r ? formato("%14.3f", *r) : formato("%14s", "-")) << '\n';
    });
}

void elenca_piano(std::ostream& out, const TabellaLinea& t, std::size_t byte, std::int32_t passo) {
    elenca_piano(out, SorgenteTabella(t), byte, passo);
}

}  // namespace compattatore
