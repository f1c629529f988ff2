#include "support/rilettura_documenti.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "support/controlli_documenti.h"

namespace compattatore::test {

namespace {

using ll = long long;

// Half to even, as every conversion of the compiler.
ll pari(double x) { return static_cast<ll>(std::nearbyint(x)); }

// ---------------------------------------------------------------------------
// The description texts: records of comma-separated fields, a text field
// between quotes when it holds commas or blanks at its ends.

std::vector<std::string> righe_testo(const std::string& t) {
    std::vector<std::string> r;
    std::size_t i = 0;
    while (i < t.size()) {
        std::size_t j = t.find('\n', i);
        if (j == std::string::npos) j = t.size();
        std::string riga = t.substr(i, j - i);
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        r.push_back(std::move(riga));
        i = j + 1;
    }
    return r;
}

std::vector<std::string> campi(const std::string& r) {
    std::vector<std::string> c;
    std::size_t i = 0;
    const std::size_t n = r.size();
    for (;;) {
        while (i < n && (r[i] == ' ' || r[i] == '\t')) ++i;
        if (i < n && r[i] == '"') {
            const std::size_t chiusa = r.find('"', i + 1);
            c.push_back(r.substr(i + 1, chiusa == std::string::npos ? std::string::npos : chiusa - i - 1));
            const std::size_t virgola = chiusa == std::string::npos ? std::string::npos : r.find(',', chiusa);
            if (virgola == std::string::npos) return c;
            i = virgola + 1;
            continue;
        }
        const std::size_t virgola = r.find(',', i);
        std::string f = r.substr(i, virgola == std::string::npos ? std::string::npos : virgola - i);
        while (!f.empty() && (f.back() == ' ' || f.back() == '\t')) f.pop_back();
        c.push_back(f);
        if (virgola == std::string::npos) return c;
        i = virgola + 1;
    }
}

ll numero(const std::vector<std::string>& c, std::size_t k) {
    return k < c.size() ? std::strtoll(c[k].c_str(), nullptr, 10) : 0;
}

struct Riferimento {
    ll inizio, valore;
    bool decrescente;
};

struct Stazione {
    ll pos, inizio, fine, orario;
    std::string nome;
};

struct Rallentamento {
    ll pos, lunghezza, kmh;
    ll f_tt, d_v;
};

// What the descriptions say, with the grid's rules of placement: elements
// at the 50 m cell nearest their position, the limit spread cell by cell.
struct Descrizione {
    ll lunghezza = 0, celle = 0;
    std::vector<Riferimento> riferimenti;  // by position
    std::vector<Stazione> stazioni;        // in file order
    std::vector<ll> limite_cella;          // the train's limit in each cell, km/h
    std::vector<ll> segnali;               // positions, ascending
    std::vector<Rallentamento> rallentamenti;
    bool dubbio = false;

    ll km(ll p) const {
        const Riferimento* r = nullptr;
        for (const Riferimento& x : riferimenti)
            if (x.inizio <= p) r = &x;
        return km_in(r, p);
    }
    static ll km_in(const Riferimento* r, ll p) {
        if (!r) return p;
        return r->decrescente ? r->valore - p : p + r->valore;
    }
    static ll pos_in(const Riferimento* r, ll k) {
        if (!r) return k;
        return r->decrescente ? r->valore - k : k - r->valore;
    }
    ll limite(ll p) const {
        const ll n = p / 50;
        return n >= 0 && n < static_cast<ll>(limite_cella.size()) ? limite_cella[static_cast<std::size_t>(n)] : 0;
    }
    ll origine() const { return stazioni.empty() ? 0 : stazioni.front().pos; }
    ll destinazione() const { return stazioni.empty() ? lunghezza : stazioni.back().pos; }
    // The last whole kilometre at or before p, not before `da`.
    std::optional<ll> cippo(ll p, ll da) const {
        for (ll q = p; q >= da; --q)
            if (km(q) % 1000 == 0) return q;
        return std::nullopt;
    }
};

ll cella_elemento(ll p) { return pari(static_cast<double>(p) / 50.0 + 1.0); }

Descrizione leggi(const std::string& linea, const std::string& treno) {
    Descrizione d;
    std::array<Riferimento, 3> voci{};
    for (const std::string& r : righe_testo(linea)) {
        const std::vector<std::string> c = campi(r);
        if (c.front().rfind("lunghezza percorso", 0) == 0) {
            d.lunghezza = numero(c, 1);
            d.celle = pari(static_cast<double>(d.lunghezza + 7000) / 50.0);
        }
        // "tre", "due" and "uno" in the compiled entries 81, 82 and 83.
        for (std::size_t k = 0; k < 3; ++k)
            if (c.front() == std::string("progressiva chilometrica ") + (k == 0 ? "tre" : k == 1 ? "due" : "uno"))
                voci[k] = {numero(c, 1), numero(c, 2), numero(c, 3) != 0};
    }
    // The references as the compiler orders them: by position, the greatest
    // first, all cleared when no position is greater than the other two;
    // when no reference has a position, the last of "tre", "due", "uno"
    // with a positive value comes first and the others stay only then.
    std::array<Riferimento, 3> ordinate{};
    const ll p1 = voci[0].inizio, p2 = voci[1].inizio, p3 = voci[2].inizio;
    if (p1 + p2 + p3 != 0) {
        if ((p1 > p2 && p1 > p3) || (p2 > p1 && p2 > p3) || (p3 > p1 && p3 > p2)) ordinate = voci;
    } else {
        if (voci[0].valore > 0) ordinate = voci;
        if (voci[1].valore > 0) ordinate = voci;
        if (voci[2].valore > 0) ordinate = voci;
    }
    for (const Riferimento& x : ordinate)
        if (x.inizio != 0 || x.valore != 0 || x.decrescente) d.riferimenti.push_back(x);
    std::stable_sort(d.riferimenti.begin(), d.riferimenti.end(),
                     [](const Riferimento& a, const Riferimento& b) { return a.inizio < b.inizio; });
    for (std::size_t k = 1; k < d.riferimenti.size(); ++k)
        if (d.riferimenti[k].inizio == d.riferimenti[k - 1].inizio) d.dubbio = true;

    std::vector<ll> limiti(static_cast<std::size_t>(d.celle) + 1, 0);
    ll contatore = 0, precedente = 0;
    const auto stendi = [&](ll fino, ll valore) {
        do {
            if (contatore >= 0 && contatore <= d.celle) limiti[static_cast<std::size_t>(contatore)] = valore;
            ++contatore;
        } while (contatore < fino);
    };
    for (const std::string& r : righe_testo(treno)) {
        const std::vector<std::string> c = campi(r);
        const std::string& chiave = c.front();
        if (chiave == "velocita") {
            const ll cella = pari(static_cast<double>(numero(c, 1)) / 50.0);
            if (cella > 0 && contatore < d.celle) {
                const ll fino = cella;
                do {
                    if (contatore >= d.celle) break;
                    limiti[static_cast<std::size_t>(contatore)] = precedente;
                    ++contatore;
                } while (contatore < fino);
            }
            precedente = pari(static_cast<double>(numero(c, 2)) / 5.0) * 5;
        } else if (chiave == "stazione") {
            Stazione s;
            s.pos = numero(c, 1);
            const ll tipo = numero(c, 2), l = numero(c, 3);
            if (tipo == 5 || tipo == 6) {
                s.inizio = s.pos - l, s.fine = s.pos + 150;
            } else if (tipo == 7 || tipo == 8) {
                s.inizio = s.pos - l, s.fine = s.pos + l;
            } else {
                s.inizio = pari(static_cast<double>(s.pos) - static_cast<double>(l) / 2.0);
                s.fine = pari(static_cast<double>(s.pos) + static_cast<double>(l) / 2.0) + (numero(c, 6) != 0 ? 50 : 0);
            }
            s.orario = (numero(c, 14) * 60 + numero(c, 15)) * 60 + numero(c, 16);
            s.nome = c.size() > 17 ? c[17] : "";
            d.stazioni.push_back(s);
        } else if (chiave == "segnale") {
            d.segnali.push_back((cella_elemento(numero(c, 1)) - 1) * 50);
        } else if (chiave == "rallentamento") {
            const ll x = numero(c, 1), l = numero(c, 3);
            const ll a = cella_elemento(x), b = cella_elemento(x + l);
            if (a == b) d.dubbio = true;
            d.rallentamenti.push_back({(a - 1) * 50, b <= d.celle ? (b - a) * 50 : 0, numero(c, 2), numero(c, 4),
                                       numero(c, 6)});
        }
    }
    stendi(d.celle - 2, precedente);
    d.limite_cella = std::move(limiti);
    std::sort(d.segnali.begin(), d.segnali.end());
    std::stable_sort(d.rallentamenti.begin(), d.rallentamenti.end(),
                     [](const Rallentamento& a, const Rallentamento& b) { return a.pos < b.pos; });
    // Two restrictions alike in every value, one overlapping the other: the
    // grid does not tell which end is whose.
    for (std::size_t i = 0; i < d.rallentamenti.size(); ++i)
        for (std::size_t j = i + 1; j < d.rallentamenti.size(); ++j) {
            const Rallentamento &x = d.rallentamenti[i], &y = d.rallentamenti[j];
            if (x.kmh == y.kmh && x.f_tt == y.f_tt && x.d_v == y.d_v && y.pos <= x.pos + x.lunghezza) d.dubbio = true;
        }
    return d;
}

// ---------------------------------------------------------------------------
// The documents' cells as a driver writes them down.

std::string km_testo(ll m) {
    const ll a = m < 0 ? -m : m;
    char t[32];
    std::snprintf(t, sizeof t, "%s%lld.%03lld", m < 0 ? "-" : "", a / 1000, a % 1000);
    return t;
}

// A kilometre cell back to metres: "  126.000 " is 126000.
std::optional<ll> metri(const std::string& cella) {
    const std::string t = senza_blank(cella.substr(0, cella.size() - 1));
    if (t.empty()) return std::nullopt;
    const std::size_t punto = t.find('.');
    if (punto == std::string::npos) return std::nullopt;
    const bool meno = t[0] == '-';
    const ll interi = std::llabs(std::strtoll(t.substr(0, punto).c_str(), nullptr, 10));
    const ll m = interi * 1000 + std::strtoll(t.substr(punto + 1).c_str(), nullptr, 10);
    return meno ? -m : m;
}

std::optional<ll> velocita(const std::string& cella) {
    const std::string t = senza_blank(cella);
    if (t.empty() || t == "___") return std::nullopt;
    return std::strtoll(t.c_str(), nullptr, 10);
}

// Cut as every cell is: the last character kept a full stop.
std::string taglia(const std::string& t, std::size_t n) { return t.size() <= n ? t : t.substr(0, n - 1) + "."; }
std::string a_sinistra(const std::string& t, std::size_t n) {
    std::string r = taglia(t, n);
    return r + std::string(n - r.size(), ' ');
}

std::string orario_atteso(ll orario, bool prima, bool ultima) {
    if (orario == 0) return std::string(16, ' ');
    char t[16];
    const ll s = orario % 60, m = orario / 60 % 60, h = orario / 3600 % 24;
    if (s != 0)
        std::snprintf(t, sizeof t, "%02lld.%02lld.%02lld", h, m, s);
    else
        std::snprintf(t, sizeof t, "%02lld.%02lld", h, m);
    if (ultima) return a_sinistra(std::string(" ") + t, 16);
    if (prima && s == 0) return a_sinistra(std::string(9, ' ') + t, 16);
    return a_sinistra(std::string(5, ' ') + t, 16);
}

const std::string spaziatura = " |     |     |          |     |                            |                |     |";

void rileggi_scheda(const Descrizione& d, const std::vector<std::string>& scheda) {
    const SchedaLetta letta = controlla_scheda(scheda);
    const std::vector<std::string>& righe = letta.righe;
    const ll o = d.origine(), a = d.destinazione();

    // The reference in force at the origin, and the changes along the run.
    const Riferimento* rif = nullptr;
    std::vector<const Riferimento*> cambi;
    for (const Riferimento& r : d.riferimenti) {
        if (r.inizio <= o) rif = &r;
        else if (r.inizio <= a) cambi.push_back(&r);
    }
    std::size_t prossimo_cambio = 0, prossima_stazione = 0;
    ll ultima = o;
    std::vector<ll> cambi_di_limite;  // where the card shows one
    std::vector<std::string> cippi;   // the posts' kilometres
    std::optional<ll> protezione;     // the signal row waiting for its stop
    std::optional<std::string> segnaposto;
    std::vector<std::size_t> fine_pagina;
    for (std::size_t k = 0, n = 0; k < letta.righe_per_pagina.size(); ++k) fine_pagina.push_back(n += letta.righe_per_pagina[k]);

    for (std::size_t i = 0; i < righe.size(); ++i) {
        const std::string& r = righe[i];
        const CelleScheda c = celle_scheda(r);
        SCOPED_TRACE("card row " + std::to_string(i + 1) + ": " + r);
        if (r == spaziatura) {
            ASSERT_GT(i, 0u);
            const CelleScheda prima = celle_scheda(righe[i - 1]);
            EXPECT_NE(prima.orario, std::string(16, ' ')) << "a spacer row after a timed stop only";
            continue;
        }
        const std::optional<ll> k = metri(c.km);
        ASSERT_TRUE(k) << "a row without its kilometre";
        if (c.km.back() == '/') {
            ASSERT_LT(prossimo_cambio, cambi.size()) << "a reference change the line does not have here";
            const Riferimento* nuovo = cambi[prossimo_cambio++];
            EXPECT_EQ(*k, Descrizione::km_in(rif, nuovo->inizio)) << "the old count at the change";
            EXPECT_EQ(senza_blank(c.nome), "C.C. Km " + km_testo(*k));
            ASSERT_LT(i + 1, righe.size());
            EXPECT_EQ(metri(celle_scheda(righe[i + 1]).km), Descrizione::km_in(nuovo, nuovo->inizio))
                << "the new count after the change";
            EXPECT_GE(nuovo->inizio, ultima) << "route order";
            ultima = nuovo->inizio;
            rif = nuovo;
            ++i;
            continue;
        }
        const ll p = Descrizione::pos_in(rif, *k);
        EXPECT_EQ(Descrizione::km_in(rif, p), *k);
        EXPECT_GE(p, ultima) << "route order: the row stands before the one above it";
        EXPECT_GE(p, o) << "a row before the origin";
        EXPECT_LE(p, a) << "a row after the destination";
        if (prossimo_cambio < cambi.size()) {
            EXPECT_LT(p, cambi[prossimo_cambio]->inizio) << "a row past a reference change, in the old count";
        }
        ultima = std::max(ultima, p);
        if (const std::optional<ll> v = velocita(c.limite)) {
            EXPECT_EQ(*v, d.limite(p)) << "the limit in force at " << p << " m";
        }
        if (c.no_rs == " ___ ") {
            EXPECT_FALSE(segnaposto) << "one placeholder only";
            segnaposto = senza_blank(c.nome);
        }

        // A station: the next one of the train's, at its kilometre, with its time.
        if (prossima_stazione < d.stazioni.size()) {
            const Stazione& s = d.stazioni[prossima_stazione];
            const bool prima = prossima_stazione == 0, ultima_stazione = prossima_stazione + 1 == d.stazioni.size();
            if (c.nome == a_sinistra(s.nome, 28) && p == s.pos &&
                c.orario == orario_atteso(s.orario, prima, ultima_stazione)) {
                ++prossima_stazione;
                const ll prec = prima ? -1 : d.stazioni[prossima_stazione - 2].pos;
                // The signal that protects a timed stop: the last one before
                // it, after the station before.
                std::optional<ll> segnale;
                for (ll x : d.segnali)
                    if (x <= s.inizio && x > prec) segnale = x;
                if (s.orario != 0 && !prima && segnale) {
                    EXPECT_EQ(protezione, segnale) << "the protection signal of " << s.nome;
                } else {
                    EXPECT_FALSE(protezione) << "a protection signal for " << s.nome;
                }
                protezione.reset();
                const bool cambio = d.limite(p) != (p >= 50 ? d.limite(p - 50) : 0);
                if (cambio) {
                    EXPECT_EQ(velocita(c.limite), d.limite(p)) << "a change of limit at the station";
                    EXPECT_EQ(velocita(c.no_rs), d.limite(p)) << "column 4 of a change at the station";
                    cambi_di_limite.push_back(p);
                } else {
                    EXPECT_EQ(c.no_rs, "     ");
                    if (prima && d.limite(p) > 0) {
                        EXPECT_EQ(velocita(c.limite), d.limite(p)) << "the limit the train departs with";
                    }
                }
                if (s.orario != 0 && !prima && !ultima_stazione) {
                    const bool fine = std::find(fine_pagina.begin(), fine_pagina.end(), i + 1) != fine_pagina.end();
                    EXPECT_TRUE(fine || (i + 1 < righe.size() && righe[i + 1] == spaziatura))
                        << "an intermediate stop is followed by its spacer row";
                }
                continue;
            }
        }
        const std::string nome = senza_blank(c.nome);
        if (nome == "Segn.Prot.") {
            EXPECT_TRUE(std::binary_search(d.segnali.begin(), d.segnali.end(), p)) << "no signal at " << p << " m";
            EXPECT_FALSE(protezione) << "two protection signals";
            protezione = p;
            EXPECT_EQ(velocita(c.marcia).has_value(), d.limite(p) > 0);
        } else if (nome.rfind("Cippo Km ", 0) == 0) {
            EXPECT_EQ(nome, "Cippo Km " + km_testo(*k));
            EXPECT_EQ(*k % 1000, 0) << "a post where the count is not a whole kilometre";
            cippi.push_back(km_testo(*k));
        } else {
            // A change of the train's limit, with the switch near a station or not.
            EXPECT_TRUE(nome.empty() || nome == "Dev.U." || nome == "Dev.I.") << "a row the card has no kind for";
            const ll prima = p >= 50 ? d.limite(p - 50) : 0;
            EXPECT_NE(d.limite(p), prima) << "no change of limit at " << p << " m";
            EXPECT_EQ(velocita(c.no_rs), d.limite(p));
            EXPECT_EQ(p % 50, 0);
            cambi_di_limite.push_back(p);
        }
    }
    EXPECT_EQ(prossima_stazione, d.stazioni.size()) << "a station missing from the card, or out of order";
    EXPECT_EQ(prossimo_cambio, cambi.size()) << "a reference change missing from the card";

    // Every change of the limit along the run has its row.
    for (ll n = o / 50 + 1; n * 50 <= a; ++n) {
        if (d.limite(n * 50) == d.limite(n * 50 - 50)) continue;
        if (n * 50 <= o) continue;
        EXPECT_TRUE(std::find(cambi_di_limite.begin(), cambi_di_limite.end(), n * 50) != cambi_di_limite.end())
            << "the change of limit at " << n * 50 << " m has no row";
    }

    // The posts of the restrictions the run passes, the placeholder on the
    // first one's.
    bool primo = true;
    std::optional<std::string> atteso;
    for (const Rallentamento& r : d.rallentamenti) {
        if (r.pos + r.lunghezza < o || r.pos > a) continue;
        const std::optional<ll> post = r.pos >= o ? d.cippo(r.pos, o) : std::nullopt;
        if (primo && post) atteso = "Cippo Km " + km_testo(d.km(*post));
        primo = false;
        if (post) {
            EXPECT_TRUE(std::find(cippi.begin(), cippi.end(), km_testo(d.km(*post))) != cippi.end())
                << "no post row for the restriction at " << r.pos << " m";
        }
    }
    EXPECT_EQ(segnaposto, atteso) << "the placeholder";
}

// The stations the order names for a restriction.
std::string fra(const std::string& a, const std::string& b) {
    if (a.size() + b.size() <= 25) return a + " e " + b;
    const std::size_t corto = std::min<std::size_t>(std::min(a.size(), b.size()), 12);
    const std::size_t la = a.size() <= b.size() ? corto : 25 - corto;
    return taglia(a, std::min(la, a.size())) + " e " + taglia(b, 25 - std::min(la, a.size()));
}

std::string stazioni_del_rallentamento(const Descrizione& d, const Rallentamento& r) {
    if (d.stazioni.empty()) return "";
    const ll fine = r.pos + r.lunghezza;
    const Stazione* prima = nullptr;
    const Stazione* dopo = nullptr;
    for (const Stazione& s : d.stazioni) {
        if (s.inizio <= r.pos && fine <= s.fine) return s.nome;
        if (s.pos <= r.pos) prima = &s;
        if (s.pos >= fine && !dopo) dopo = &s;
    }
    if (!prima && fine <= d.stazioni.front().pos) return "prima di " + d.stazioni.front().nome;
    if (!dopo && r.pos >= d.stazioni.back().pos) return "dopo " + d.stazioni.back().nome;
    return fra((prima ? prima : &d.stazioni.front())->nome, (dopo ? dopo : &d.stazioni.back())->nome);
}

void rileggi_ordine(const Descrizione& d, const std::vector<std::string>& ordine) {
    controlla_ordine(ordine, d.rallentamenti.size());
    if (ordine.size() < 12 + d.rallentamenti.size()) return;
    std::string linea = "  Linea ";
    if (!d.stazioni.empty()) linea += d.stazioni.front().nome + " - " + d.stazioni.back().nome;
    EXPECT_EQ(ordine[4], linea);
    for (std::size_t i = 0; i < d.rallentamenti.size(); ++i) {
        const Rallentamento& r = d.rallentamenti[i];
        const std::string& riga = ordine[12 + i];
        SCOPED_TRACE("order row " + std::to_string(i + 1) + ": " + riga);
        const std::optional<ll> post = d.cippo(r.pos, 0);
        char v[16];
        std::snprintf(v, sizeof v, "%4lld Km/h ", r.kmh);
        const std::string n = std::to_string(i + 1);
        const std::string numero_centrato =
            std::string((3 - n.size()) / 2, ' ') + n + std::string(3 - n.size() - (3 - n.size()) / 2, ' ');
        const std::string attesa = " |" + numero_centrato + "|" +
                                   a_sinistra(stazioni_del_rallentamento(d, r), 28) + "|" +
                                   a_sinistra("Km " + km_testo(d.km(post.value_or(r.pos))), 12) + "|" + v + "|" +
                                   a_sinistra("   " + std::to_string(r.lunghezza), 9) + "|" + std::string(12, ' ') + "|";
        EXPECT_EQ(riga, attesa);
    }
}

}  // namespace

bool rilettura_possibile(const std::string& testo_linea, const std::string& testo_treno) {
    return !leggi(testo_linea, testo_treno).dubbio;
}

void rileggi_documenti(const std::string& testo_linea, const std::string& testo_treno,
                       const std::vector<std::string>& scheda, const std::vector<std::string>& ordine) {
    const Descrizione d = leggi(testo_linea, testo_treno);
    rileggi_scheda(d, scheda);
    rileggi_ordine(d, ordine);
}

}  // namespace compattatore::test
