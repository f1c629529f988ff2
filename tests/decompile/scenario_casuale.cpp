#include "scenario_casuale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

namespace compattatore::test {

namespace {

// Draws that are the same on every platform: the engine's output is fixed
// by the standard, the ranges are taken from it here.
class Dado {
public:
    explicit Dado(std::uint64_t seme) : g_(seme) {}
    // From a to b, both included; a when b is below a.
    std::int64_t tra(std::int64_t a, std::int64_t b) {
        if (b <= a) return a;
        return a + static_cast<std::int64_t>(g_() % static_cast<std::uint64_t>(b - a + 1));
    }
    bool su_cento(int per_cento) { return tra(0, 99) < per_cento; }
    template <class T>
    T uno_di(std::initializer_list<T> valori) {
        return *(valori.begin() + tra(0, static_cast<std::int64_t>(valori.size()) - 1));
    }

private:
    std::mt19937_64 g_;
};

std::int64_t arrotonda_pari(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }
// The cell of signals, signs, boards and restrictions.
std::int64_t cella_elemento(std::int64_t p) { return arrotonda_pari(static_cast<double>(p) / 50.0 + 1.0); }

class Testo {
public:
    template <class... Values>
    void riga(const char* formato, Values... valori) {
        char buffer[512];
        const int n = std::snprintf(buffer, sizeof buffer, formato, valori...);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer) throw std::length_error("row too long");
        byte_.append(buffer, static_cast<std::size_t>(n));
        byte_.append("\r\n");
    }
    void riga_intera(const std::string& linea) {
        byte_ += linea;
        byte_ += "\r\n";
    }
    std::string& byte() { return byte_; }

private:
    std::string byte_;
};

struct Stazione {
    std::int64_t posizione, tipo, lunghezza, inizio, fine;
    int flag[3];
    int a[3], b[3];
    int fermata;
    int h, m, s;
    std::string nome;
    std::int64_t cella_fermata;  // -1 without one
};

struct Rallentamento {
    std::int64_t x, v, l, f_tt, f_ta, d_v;
    std::int64_t cella_inizio, cella_fine;
};

// A text of letters, blanks, brackets, digits and Latin-1 letters, as the
// field that reads back as it (quoted where the reader needs it).
std::string campo_di_testo(Dado& d, std::string& testo) {
    static const std::string lettere = "abcdefghilmnoprstuvzABCDEFGLMPRSTV0123456789()+.";
    const std::int64_t n = d.tra(0, 18);
    testo.clear();
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int64_t k = d.tra(0, 99);
        if (k < 8)
            testo += ' ';
        else if (k < 11)
            testo += static_cast<char>(d.uno_di<int>({0xE0, 0xE8, 0xEC, 0xF2, 0xF9, 0xC8}));
        else if (k < 13)
            testo += ',';
        else
            testo += lettere[static_cast<std::size_t>(d.tra(0, static_cast<std::int64_t>(lettere.size()) - 1))];
    }
    if (d.su_cento(5)) testo = "  " + testo + " ";
    const bool tra_virgolette = testo.empty() || testo.front() == ' ' || testo.back() == ' ' ||
                              testo.find(',') != std::string::npos;
    return tra_virgolette ? "\"" + testo + "\"" : testo;
}

// Rows of a profile: ascending positions, some off the 50-metre raster,
// some closing on the same cell, values repeated now and then, and rows at
// the last position inside the grid that write the grid's last cells.
template <class Value>
void profilo(Dado& d, Testo& t, const char* formato, std::int64_t ultima, Value valore) {
    std::int64_t p = 0;
    std::int64_t v = valore();
    if (d.su_cento(90)) t.riga(formato, 0, static_cast<int>(v));
    for (;;) {
        p += d.uno_di<std::int64_t>({0, 50, 50 * d.tra(1, 60), 50 * d.tra(1, 60) + d.tra(1, 49)});
        if (p > ultima) break;
        if (!d.su_cento(25)) v = valore();
        t.riga(formato, static_cast<int>(p), static_cast<int>(v));
    }
    if (d.su_cento(12)) {
        for (std::int64_t k = d.tra(1, 4); k > 0; --k) t.riga(formato, static_cast<int>(ultima), static_cast<int>(valore()));
    }
}

class Estrazione {
public:
    Estrazione(std::uint64_t seme) : d_(seme) {}

    ScenarioCasuale crea() {
        ScenarioCasuale r;
        lunghezza_ = d_.tra(3000, 40000);
        if (d_.su_cento(50)) lunghezza_ = lunghezza_ / 50 * 50;
        estesa_ = lunghezza_ + 7000;
        celle_ = arrotonda_pari(static_cast<double>(estesa_) / 50.0);
        ultima_posizione_ = 50 * celle_ - 100;
        prese_.assign(static_cast<std::size_t>(celle_) + 1, false);
        r.piano = d_.su_cento(80);

        prepara_stazioni();
        scrivi_linea();
        scrivi_treno();
        r.testo_linea = std::move(linea_.byte());
        r.testo_treno = std::move(treno_.byte());
        return r;
    }

private:
    bool libera(std::int64_t c) const {
        return c >= 2 && c <= celle_ - 2 && !prese_[static_cast<std::size_t>(c)];
    }
    void prendi(std::int64_t c) {
        if (c >= 0 && c <= celle_) prese_[static_cast<std::size_t>(c)] = true;
    }
    // A position whose element cell is free, or -1.
    std::int64_t posizione_libera(std::int64_t from, std::int64_t to) {
        for (int tentativo = 0; tentativo < 20; ++tentativo) {
            std::int64_t p = d_.tra(from, to);
            if (d_.su_cento(70)) p = p / 50 * 50;
            if (libera(cella_elemento(p))) return p;
        }
        return -1;
    }

    void prepara_stazioni() {
        const std::int64_t quanti = d_.tra(0, std::min<std::int64_t>(7, lunghezza_ / 3000 + 1));
        std::int64_t p = 50 * d_.tra(0, 20);
        for (std::int64_t i = 0; i < quanti; ++i, p += 50 * d_.tra(12, 160)) {
            Stazione s{};
            s.posizione = p;
            s.tipo = d_.uno_di<std::int64_t>({2, 4, 8, 12, 21, 22, 27, 28, 5, 6, 7, 0, 1, 25, 26, 40, 255});
            s.lunghezza = 100 * d_.tra(0, 8);
            s.flag[0] = static_cast<int>(d_.tra(0, 1));
            s.flag[1] = static_cast<int>(d_.tra(0, 1));
            s.flag[2] = static_cast<int>(d_.uno_di<std::int64_t>({0, 1, 1, 3}));
            for (int k = 0; k < 3; ++k) {
                s.a[k] = static_cast<int>(d_.tra(0, 5));
                s.b[k] = static_cast<int>(d_.tra(0, 5));
            }
            s.fermata = static_cast<int>(d_.uno_di<std::int64_t>({0, 0, 1, 60, 99, 145, 255}));
            if (d_.su_cento(50)) {
                s.h = static_cast<int>(d_.tra(0, 23));
                s.m = static_cast<int>(d_.tra(0, 59));
                s.s = static_cast<int>(d_.tra(0, 59));
            }
            std::string ignorato;
            s.nome = campo_di_testo(d_, ignorato);
            // Start and end as the reader works them out.
            switch (s.tipo) {
                case 5:
                case 6: s.fine = p + 150, s.inizio = p - s.lunghezza; break;
                case 7:
                case 8: s.inizio = p - s.lunghezza, s.fine = p + s.lunghezza; break;
                default:
                    s.inizio = p - s.lunghezza / 2;
                    s.fine = p + s.lunghezza / 2 + (s.flag[2] != 0 ? 50 : 0);
            }
            if ((p + 800) / 50.0 > static_cast<double>(celle_)) break;
            if (!stazioni_.empty() && s.inizio - 350 < stazioni_.back().fine) continue;
            s.cella_fermata = -1;
            if (s.tipo < 25) {
                const double e = static_cast<double>(s.fine) / 50.0 - 1;
                if (e <= 1) continue;
                s.cella_fermata = arrotonda_pari(e);
            }
            stazioni_.push_back(s);
        }
    }

    void scrivi_linea() {
        Testo& t = linea_;
        t.riga_intera("[generale]");
        t.riga("lunghezza percorso,    %d", static_cast<int>(lunghezza_));
        for (const char* nome : {"uno", "due", "tre"}) {
            if (!d_.su_cento(60)) continue;
            const std::int64_t p = 50 * d_.tra(0, lunghezza_ / 50);
            const std::int64_t v = 50 * d_.tra(-3000, 3000);
            t.riga("progressiva chilometrica %s,  %d,  %d,  %d", nome, static_cast<int>(d_.su_cento(15) ? 0 : p),
                  static_cast<int>(v), static_cast<int>(d_.tra(0, 1)));
        }
        t.riga("sfondo uno,    %d", static_cast<int>(d_.tra(0, 3)));
        if (d_.su_cento(80)) t.riga("sfondo due,    %d", static_cast<int>(d_.tra(0, 3)));
        if (d_.su_cento(80)) t.riga("sfondo tre,    %d", static_cast<int>(d_.tra(0, 3)));
        if (d_.su_cento(85)) {
            const std::int64_t inizio = 50 * d_.tra(0, 100);
            const std::int64_t fine = d_.su_cento(15) ? 0 : 50 * d_.tra(inizio / 50, lunghezza_ / 50);
            t.riga("ripetizione segnali %d codici,    %d,    %d", d_.su_cento(50) ? 4 : 9, static_cast<int>(inizio),
                  static_cast<int>(fine));
        }

        t.riga_intera("[curve]");
        std::int64_t p = d_.tra(0, 3000);
        while (true) {
            const std::int64_t n = d_.tra(1, 1500);
            if (p + n > estesa_ || p > ultima_posizione_) break;
            t.riga("curva%c%d,  %d,  %d", d_.su_cento(50) ? 's' : 'd', static_cast<int>(d_.tra(1, 6)),
                  static_cast<int>(p), static_cast<int>(n));
            const std::int64_t k = d_.tra(0, 9);
            p = k == 0 ? p + n : (k == 1 ? p + n - d_.tra(1, std::min<std::int64_t>(n, 80)) : p + n + d_.tra(1, 4000));
        }

        t.riga_intera("[pendenze]");
        profilo(d_, t, "pendenza,  %d,   %d", ultima_posizione_, [this] { return d_.tra(-15, 15); });

        t.riga_intera("[montagne]");
        std::int64_t inizio = d_.tra(0, 5000);
        for (std::int64_t i = d_.tra(0, 7); i > 0 && inizio <= ultima_posizione_; --i) {
            const std::int64_t fine = inizio + d_.uno_di<std::int64_t>({0, d_.tra(50, 400), d_.tra(400, 3000)});
            const std::int64_t tipo = d_.tra(0, 9) + (d_.su_cento(50) ? 10 : 0);
            t.riga("montagna,   %d,  %d,  %d", static_cast<int>(inizio), static_cast<int>(fine), static_cast<int>(tipo));
            // Now and then the next stretch starts inside this one, or before
            // it, and is read over it.
            inizio = d_.su_cento(8) ? std::max<std::int64_t>(0, inizio - d_.tra(-3000, 3000))
                                    : fine + d_.uno_di<std::int64_t>({0, 50, 100, 150, 200, d_.tra(1, 49), d_.tra(200, 6000)});
        }

        // Boards and signs; a sign now and then on the cell a station's stop
        // will take, which hides it.
        std::vector<std::int64_t> fermate;
        for (const Stazione& s : stazioni_)
            if (s.cella_fermata >= 0) fermate.push_back(s.cella_fermata);
        for (std::int64_t c : fermate) prendi(c);

        t.riga_intera("[cartelli]");
        for (std::int64_t i = d_.tra(0, lunghezza_ / 2000 + 1); i > 0; --i) {
            const std::int64_t q = posizione_libera(0, ultima_posizione_);
            if (q < 0) continue;
            prendi(cella_elemento(q));
            const std::int64_t va = 5 * d_.tra(6, 40);
            const std::int64_t vb = va + 5 * d_.tra(0, 3);
            const std::int64_t vc = vb + (d_.su_cento(10) ? d_.tra(1, 4) : 5 * d_.tra(0, 3));
            const int strisce = static_cast<int>(d_.tra(0, 2));
            if (d_.su_cento(40)) {
                t.riga("indicatori_vmax,  %d,  %d,  %d,  %d,  %d,  ,  ,  ,  %d", static_cast<int>(q), static_cast<int>(va),
                      static_cast<int>(vb), static_cast<int>(vc), strisce, d_.su_cento(80) ? 0 : 1);
            } else {
                const std::int64_t ra = d_.su_cento(60) ? va : 5 * d_.tra(6, 40);
                t.riga("indicatori_vmax,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d", static_cast<int>(q),
                      static_cast<int>(va), static_cast<int>(vb), static_cast<int>(vc), strisce, static_cast<int>(ra),
                      static_cast<int>(ra + 5), static_cast<int>(ra + 10), static_cast<int>(d_.tra(0, 2)));
            }
        }

        t.riga_intera("[indicazioni]");
        std::size_t nascoste = 0;
        for (std::int64_t i = d_.tra(0, 4); i > 0; --i) {
            std::int64_t q;
            if (nascoste < fermate.size() && d_.su_cento(20)) {
                q = (fermate[nascoste++] - 1) * 50;  // the stop cell, taken already
            } else {
                q = posizione_libera(0, ultima_posizione_);
                if (q < 0) continue;
                prendi(cella_elemento(q));
            }
            std::string testo;
            t.riga_intera("cartello_indicatore,  " + std::to_string(q) + ",   " + campo_di_testo(d_, testo));
        }
        t.riga_intera("[fine]");
    }

    void scrivi_treno() {
        Testo& t = treno_;
        t.riga_intera("[generale]");
        t.riga("numero vetture,    %d", static_cast<int>(d_.tra(1, 20)));
        t.riga("percentuale massa frenata,    %d", static_cast<int>(d_.tra(50, 200)));
        t.riga("sabbia,    %d", static_cast<int>(d_.tra(0, 500)));
        t.riga("orologio,    %d   %d   %d ", static_cast<int>(d_.tra(0, 23)), static_cast<int>(d_.tra(0, 59)),
              static_cast<int>(d_.tra(0, 59)));

        t.riga_intera("[aderenze]");
        profilo(d_, t, "aderenza,%8d,%6d", ultima_posizione_, [this] { return d_.tra(0, 255); });
        t.riga_intera("[vel_limite]");
        profilo(d_, t, "velocita,%8d,%6d", ultima_posizione_,
                [this] { return d_.su_cento(10) ? d_.tra(0, 300) : 5 * d_.tra(0, 60); });

        t.riga_intera("[stazioni]");
        for (const Stazione& s : stazioni_) {
            t.riga_intera("stazione, " + std::to_string(s.posizione) + ", " + std::to_string(s.tipo) + ", " +
                  std::to_string(s.lunghezza) + ", " + std::to_string(s.flag[0]) + ", " + std::to_string(s.flag[1]) +
                  ", " + std::to_string(s.flag[2]) + ", " + std::to_string(s.a[0]) + "," + std::to_string(s.a[1]) +
                  "," + std::to_string(s.a[2]) + ", " + std::to_string(s.b[0]) + "," + std::to_string(s.b[1]) + "," +
                  std::to_string(s.b[2]) + ", " + std::to_string(s.fermata) + ", " + std::to_string(s.h) + "," +
                  std::to_string(s.m) + "," + std::to_string(s.s) + ", " + s.nome);
        }

        t.riga_intera("[rallentamenti]");
        std::vector<Rallentamento> rallentamenti;
        for (std::int64_t i = d_.tra(0, 3); i > 0; --i) {
            Rallentamento r{};
            r.x = 50 * d_.tra(2, celle_ - 40) + (d_.su_cento(15) ? d_.tra(1, 49) : 0);
            r.v = d_.uno_di<std::int64_t>({30, 40, 60, 80, 100, 105, 110, 120, 150});
            r.l = d_.su_cento(10) ? d_.tra(0, 20) : 50 * d_.tra(1, 40);
            r.f_tt = d_.tra(0, 3);
            r.f_ta = d_.tra(0, 1);
            r.d_v = d_.su_cento(50) ? 0 : 10 * d_.tra(3, 15);
            r.cella_inizio = cella_elemento(r.x);
            r.cella_fine = cella_elemento(r.x + r.l);
            std::vector<std::int64_t> celle = {r.cella_inizio};
            if (r.cella_fine <= celle_) celle.push_back(r.cella_fine);
            if (r.x > 1500) {
                celle.push_back(cella_elemento(r.x - 1200));
                if (r.f_ta != 0) {
                    const std::int64_t k = arrotonda_pari(static_cast<double>(r.x - 1200) / 50.0);
                    for (std::int64_t j = 0; j < 4; ++j) celle.push_back(k - j);
                }
            }
            bool libere = true;
            for (std::int64_t c : celle) libere = libere && (c == r.cella_fine && c == r.cella_inizio ? true : libera(c));
            if (!libere) continue;
            for (std::int64_t c : celle) prendi(c);
            rallentamenti.push_back(r);
            t.riga("rallentamento,  %d,    %d,  %d, %d,  %d,  %d", static_cast<int>(r.x), static_cast<int>(r.v),
                  static_cast<int>(r.l), static_cast<int>(r.f_tt), static_cast<int>(r.f_ta), static_cast<int>(r.d_v));
        }

        t.riga_intera("[segnali]");
        std::vector<std::int64_t> segnali;
        for (std::int64_t p = d_.tra(50, 1500); p <= ultima_posizione_; p += d_.uno_di<std::int64_t>({50, 100, d_.tra(100, 2500)})) {
            std::int64_t q = p;
            if (d_.su_cento(15)) q += d_.tra(1, 49);
            if (q > ultima_posizione_ || !libera(cella_elemento(q))) continue;
            prendi(cella_elemento(q));
            segnali.push_back(cella_elemento(q));
            const int sx = d_.su_cento(85) ? 2 : static_cast<int>(d_.tra(0, 3));
            const int dx = static_cast<int>(d_.tra(0, 2));
            const int tempo = d_.su_cento(70) ? 0 : static_cast<int>(d_.tra(1, 255));
            t.riga("segnale, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d", static_cast<int>(q), sx,
                  static_cast<int>(d_.tra(0, 9)), static_cast<int>(d_.tra(0, 9)),
                  static_cast<int>(d_.tra(0, 9)), static_cast<int>(d_.tra(0, 1)), dx,
                  static_cast<int>(d_.tra(0, 9)), static_cast<int>(d_.tra(0, 9)),
                  static_cast<int>(d_.tra(0, 9)), tempo);
        }

        // Code cuts, many of them where the finishing pass places its codes:
        // before restriction starts, inside restrictions, and before signals.
        t.riga_intera("[codici]");
        for (std::int64_t i = d_.tra(0, 10); i > 0; --i) {
            std::int64_t c = d_.tra(0, celle_ - 2);
            const std::int64_t dove = d_.tra(0, 3);
            if (dove == 1 && !rallentamenti.empty()) {
                const Rallentamento& r = rallentamenti[static_cast<std::size_t>(d_.tra(0, static_cast<std::int64_t>(rallentamenti.size()) - 1))];
                c = d_.su_cento(50) ? r.cella_inizio - d_.tra(5, 20) : r.cella_inizio + d_.tra(1, std::max<std::int64_t>(1, r.cella_fine - r.cella_inizio + 12));
            } else if (dove == 2 && !segnali.empty()) {
                c = segnali[static_cast<std::size_t>(d_.tra(0, static_cast<std::int64_t>(segnali.size()) - 1))] - d_.tra(1, 2);
            }
            if (c < 0 || c == 1 || c > celle_ - 2 || prese_[static_cast<std::size_t>(c)]) continue;
            prendi(c);
            const std::int64_t codice = d_.su_cento(25) ? 0 : d_.uno_di<std::int64_t>({180, 180, 270, 100, 179, 181, d_.tra(1, 999)});
            t.riga("abbattimento,  %d,   %d", static_cast<int>(50 * c + (d_.su_cento(10) ? d_.tra(-24, 24) : 0)),
                  static_cast<int>(codice));
        }
        t.riga_intera("[fine]");
    }

    Dado d_;
    std::int64_t lunghezza_ = 0, estesa_ = 0, celle_ = 0, ultima_posizione_ = 0;
    std::vector<bool> prese_;
    std::vector<Stazione> stazioni_;
    Testo linea_, treno_;
};

}  // namespace

ScenarioCasuale scenario_casuale_valido(std::uint64_t seme) {
    for (int estrazione = 1; estrazione <= 1000; ++estrazione) {
        ScenarioCasuale r = Estrazione(seme * 1000003 + static_cast<std::uint64_t>(estrazione)).crea();
        r.seme = seme;
        r.estrazioni = estrazione;
        r.compilati = compila_testi(linea_casuale, treno_casuale, r.testo_linea, r.testo_treno, r.piano);
        if (r.compilati.validi()) return r;
    }
    throw std::runtime_error("no valid scenario in 1000 draws of seed " + std::to_string(seme));
}

}  // namespace compattatore::test
