#include "random_scenario.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

namespace compattatore::prova {

namespace {

// Draws that are the same on every platform: the engine's output is fixed
// by the standard, the ranges are taken from it here.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : g_(seed) {}
    // From a to b, both included; a when b is below a.
    std::int64_t between(std::int64_t a, std::int64_t b) {
        if (b <= a) return a;
        return a + static_cast<std::int64_t>(g_() % static_cast<std::uint64_t>(b - a + 1));
    }
    bool chance(int percent) { return between(0, 99) < percent; }
    template <class T>
    T one_of(std::initializer_list<T> values) {
        return *(values.begin() + between(0, static_cast<std::int64_t>(values.size()) - 1));
    }

private:
    std::mt19937_64 g_;
};

std::int64_t round_even(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }
// The cell of signals, signs, boards and restrictions.
std::int64_t element_cell(std::int64_t p) { return round_even(static_cast<double>(p) / 50.0 + 1.0); }

class Text {
public:
    template <class... Values>
    void row(const char* format, Values... values) {
        char buffer[512];
        const int n = std::snprintf(buffer, sizeof buffer, format, values...);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer) throw std::length_error("row too long");
        bytes_.append(buffer, static_cast<std::size_t>(n));
        bytes_.append("\r\n");
    }
    void raw(const std::string& line) {
        bytes_ += line;
        bytes_ += "\r\n";
    }
    std::string& bytes() { return bytes_; }

private:
    std::string bytes_;
};

struct Station {
    std::int64_t position, kind, length, inizio, fine;
    int flags[3];
    int a[3], b[3];
    int stop_value;
    int h, m, s;
    std::string name;
    std::int64_t stop_cell;  // -1 without one
};

struct Restriction {
    std::int64_t x, v, l, f_tt, f_ta, d_v;
    std::int64_t start_cell, end_cell;
};

// A text of letters, blanks, brackets, digits and Latin-1 letters, as the
// field that reads back as it (quoted where the reader needs it).
std::string text_field(Dice& d, std::string& text) {
    static const std::string letters = "abcdefghilmnoprstuvzABCDEFGLMPRSTV0123456789()+.";
    const std::int64_t n = d.between(0, 18);
    text.clear();
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int64_t k = d.between(0, 99);
        if (k < 8)
            text += ' ';
        else if (k < 11)
            text += static_cast<char>(d.one_of<int>({0xE0, 0xE8, 0xEC, 0xF2, 0xF9, 0xC8}));
        else if (k < 13)
            text += ',';
        else
            text += letters[static_cast<std::size_t>(d.between(0, static_cast<std::int64_t>(letters.size()) - 1))];
    }
    if (d.chance(5)) text = "  " + text + " ";
    const bool needs_quotes = text.empty() || text.front() == ' ' || text.back() == ' ' ||
                              text.find(',') != std::string::npos;
    return needs_quotes ? "\"" + text + "\"" : text;
}

// Rows of a profile: ascending positions, some off the 50-metre raster,
// some closing on the same cell, values repeated now and then, and rows at
// the last position inside the grid that write the grid's last cells.
template <class Value>
void profile(Dice& d, Text& t, const char* format, std::int64_t last, Value value) {
    std::int64_t p = 0;
    std::int64_t v = value();
    if (d.chance(90)) t.row(format, 0, static_cast<int>(v));
    for (;;) {
        p += d.one_of<std::int64_t>({0, 50, 50 * d.between(1, 60), 50 * d.between(1, 60) + d.between(1, 49)});
        if (p > last) break;
        if (!d.chance(25)) v = value();
        t.row(format, static_cast<int>(p), static_cast<int>(v));
    }
    if (d.chance(12)) {
        for (std::int64_t k = d.between(1, 4); k > 0; --k) t.row(format, static_cast<int>(last), static_cast<int>(value()));
    }
}

class Draw {
public:
    Draw(std::uint64_t seed) : d_(seed) {}

    RandomScenario make() {
        RandomScenario r;
        length_ = d_.between(3000, 40000);
        if (d_.chance(50)) length_ = length_ / 50 * 50;
        extended_ = length_ + 7000;
        cells_ = round_even(static_cast<double>(extended_) / 50.0);
        last_ = 50 * cells_ - 100;
        taken_.assign(static_cast<std::size_t>(cells_) + 1, false);
        r.plan = d_.chance(80);

        plan_stations();
        write_line();
        write_train();
        r.line_text = std::move(line_.bytes());
        r.train_text = std::move(train_.bytes());
        return r;
    }

private:
    bool free_cell(std::int64_t c) const {
        return c >= 2 && c <= cells_ - 2 && !taken_[static_cast<std::size_t>(c)];
    }
    void take(std::int64_t c) {
        if (c >= 0 && c <= cells_) taken_[static_cast<std::size_t>(c)] = true;
    }
    // A position whose element cell is free, or -1.
    std::int64_t free_position(std::int64_t from, std::int64_t to) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            std::int64_t p = d_.between(from, to);
            if (d_.chance(70)) p = p / 50 * 50;
            if (free_cell(element_cell(p))) return p;
        }
        return -1;
    }

    void plan_stations() {
        const std::int64_t count = d_.between(0, std::min<std::int64_t>(7, length_ / 3000 + 1));
        std::int64_t p = 50 * d_.between(0, 20);
        for (std::int64_t i = 0; i < count; ++i, p += 50 * d_.between(12, 160)) {
            Station s{};
            s.position = p;
            s.kind = d_.one_of<std::int64_t>({2, 4, 8, 12, 21, 22, 27, 28, 5, 6, 7, 0, 1, 25, 26, 40, 255});
            s.length = 100 * d_.between(0, 8);
            s.flags[0] = static_cast<int>(d_.between(0, 1));
            s.flags[1] = static_cast<int>(d_.between(0, 1));
            s.flags[2] = static_cast<int>(d_.one_of<std::int64_t>({0, 1, 1, 3}));
            for (int k = 0; k < 3; ++k) {
                s.a[k] = static_cast<int>(d_.between(0, 5));
                s.b[k] = static_cast<int>(d_.between(0, 5));
            }
            s.stop_value = static_cast<int>(d_.one_of<std::int64_t>({0, 0, 1, 60, 99, 145, 255}));
            if (d_.chance(50)) {
                s.h = static_cast<int>(d_.between(0, 23));
                s.m = static_cast<int>(d_.between(0, 59));
                s.s = static_cast<int>(d_.between(0, 59));
            }
            std::string ignored;
            s.name = text_field(d_, ignored);
            // Start and end as the reader works them out.
            switch (s.kind) {
                case 5:
                case 6: s.fine = p + 150, s.inizio = p - s.length; break;
                case 7:
                case 8: s.inizio = p - s.length, s.fine = p + s.length; break;
                default:
                    s.inizio = p - s.length / 2;
                    s.fine = p + s.length / 2 + (s.flags[2] != 0 ? 50 : 0);
            }
            if ((p + 800) / 50.0 > static_cast<double>(cells_)) break;
            if (!stations_.empty() && s.inizio - 350 < stations_.back().fine) continue;
            s.stop_cell = -1;
            if (s.kind < 25) {
                const double e = static_cast<double>(s.fine) / 50.0 - 1;
                if (e <= 1) continue;
                s.stop_cell = round_even(e);
            }
            stations_.push_back(s);
        }
    }

    void write_line() {
        Text& t = line_;
        t.raw("[generale]");
        t.row("lunghezza percorso,    %d", static_cast<int>(length_));
        for (const char* name : {"uno", "due", "tre"}) {
            if (!d_.chance(60)) continue;
            const std::int64_t p = 50 * d_.between(0, length_ / 50);
            const std::int64_t v = 50 * d_.between(-3000, 3000);
            t.row("progressiva chilometrica %s,  %d,  %d,  %d", name, static_cast<int>(d_.chance(15) ? 0 : p),
                  static_cast<int>(v), static_cast<int>(d_.between(0, 1)));
        }
        t.row("sfondo uno,    %d", static_cast<int>(d_.between(0, 3)));
        if (d_.chance(80)) t.row("sfondo due,    %d", static_cast<int>(d_.between(0, 3)));
        if (d_.chance(80)) t.row("sfondo tre,    %d", static_cast<int>(d_.between(0, 3)));
        if (d_.chance(85)) {
            const std::int64_t start = 50 * d_.between(0, 100);
            const std::int64_t end = d_.chance(15) ? 0 : 50 * d_.between(start / 50, length_ / 50);
            t.row("ripetizione segnali %d codici,    %d,    %d", d_.chance(50) ? 4 : 9, static_cast<int>(start),
                  static_cast<int>(end));
        }

        t.raw("[curve]");
        std::int64_t p = d_.between(0, 3000);
        while (true) {
            const std::int64_t n = d_.between(1, 1500);
            if (p + n > extended_ || p > last_) break;
            t.row("curva%c%d,  %d,  %d", d_.chance(50) ? 's' : 'd', static_cast<int>(d_.between(1, 6)),
                  static_cast<int>(p), static_cast<int>(n));
            const std::int64_t k = d_.between(0, 9);
            p = k == 0 ? p + n : (k == 1 ? p + n - d_.between(1, std::min<std::int64_t>(n, 80)) : p + n + d_.between(1, 4000));
        }

        t.raw("[pendenze]");
        profile(d_, t, "pendenza,  %d,   %d", last_, [this] { return d_.between(-15, 15); });

        t.raw("[montagne]");
        std::int64_t start = d_.between(0, 5000);
        for (std::int64_t i = d_.between(0, 7); i > 0 && start <= last_; --i) {
            const std::int64_t end = start + d_.one_of<std::int64_t>({0, d_.between(50, 400), d_.between(400, 3000)});
            const std::int64_t kind = d_.between(0, 9) + (d_.chance(50) ? 10 : 0);
            t.row("montagna,   %d,  %d,  %d", static_cast<int>(start), static_cast<int>(end), static_cast<int>(kind));
            start = end + d_.one_of<std::int64_t>({0, 50, 100, 150, 200, d_.between(1, 49), d_.between(200, 6000)});
        }

        // Boards and signs; a sign now and then on the cell a station's stop
        // will take, which hides it.
        std::vector<std::int64_t> stops;
        for (const Station& s : stations_)
            if (s.stop_cell >= 0) stops.push_back(s.stop_cell);
        for (std::int64_t c : stops) take(c);

        t.raw("[cartelli]");
        for (std::int64_t i = d_.between(0, length_ / 2000 + 1); i > 0; --i) {
            const std::int64_t q = free_position(0, last_);
            if (q < 0) continue;
            take(element_cell(q));
            const std::int64_t va = 5 * d_.between(6, 40);
            const std::int64_t vb = va + 5 * d_.between(0, 3);
            const std::int64_t vc = vb + (d_.chance(10) ? d_.between(1, 4) : 5 * d_.between(0, 3));
            const int stripes = static_cast<int>(d_.between(0, 2));
            if (d_.chance(40)) {
                t.row("indicatori_vmax,  %d,  %d,  %d,  %d,  %d,  ,  ,  ,  %d", static_cast<int>(q), static_cast<int>(va),
                      static_cast<int>(vb), static_cast<int>(vc), stripes, d_.chance(80) ? 0 : 1);
            } else {
                const std::int64_t ra = d_.chance(60) ? va : 5 * d_.between(6, 40);
                t.row("indicatori_vmax,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d", static_cast<int>(q),
                      static_cast<int>(va), static_cast<int>(vb), static_cast<int>(vc), stripes, static_cast<int>(ra),
                      static_cast<int>(ra + 5), static_cast<int>(ra + 10), static_cast<int>(d_.between(0, 2)));
            }
        }

        t.raw("[indicazioni]");
        std::size_t hidden = 0;
        for (std::int64_t i = d_.between(0, 4); i > 0; --i) {
            std::int64_t q;
            if (hidden < stops.size() && d_.chance(20)) {
                q = (stops[hidden++] - 1) * 50;  // the stop cell, taken already
            } else {
                q = free_position(0, last_);
                if (q < 0) continue;
                take(element_cell(q));
            }
            std::string text;
            t.raw("cartello_indicatore,  " + std::to_string(q) + ",   " + text_field(d_, text));
        }
        t.raw("[fine]");
    }

    void write_train() {
        Text& t = train_;
        t.raw("[generale]");
        t.row("numero vetture,    %d", static_cast<int>(d_.between(1, 20)));
        t.row("percentuale massa frenata,    %d", static_cast<int>(d_.between(50, 200)));
        t.row("sabbia,    %d", static_cast<int>(d_.between(0, 500)));
        t.row("orologio,    %d   %d   %d ", static_cast<int>(d_.between(0, 23)), static_cast<int>(d_.between(0, 59)),
              static_cast<int>(d_.between(0, 59)));

        t.raw("[aderenze]");
        profile(d_, t, "aderenza,%8d,%6d", last_, [this] { return d_.between(0, 255); });
        t.raw("[vel_limite]");
        profile(d_, t, "velocita,%8d,%6d", last_,
                [this] { return d_.chance(10) ? d_.between(0, 300) : 5 * d_.between(0, 60); });

        t.raw("[stazioni]");
        for (const Station& s : stations_) {
            t.raw("stazione, " + std::to_string(s.position) + ", " + std::to_string(s.kind) + ", " +
                  std::to_string(s.length) + ", " + std::to_string(s.flags[0]) + ", " + std::to_string(s.flags[1]) +
                  ", " + std::to_string(s.flags[2]) + ", " + std::to_string(s.a[0]) + "," + std::to_string(s.a[1]) +
                  "," + std::to_string(s.a[2]) + ", " + std::to_string(s.b[0]) + "," + std::to_string(s.b[1]) + "," +
                  std::to_string(s.b[2]) + ", " + std::to_string(s.stop_value) + ", " + std::to_string(s.h) + "," +
                  std::to_string(s.m) + "," + std::to_string(s.s) + ", " + s.name);
        }

        t.raw("[rallentamenti]");
        std::vector<Restriction> restrictions;
        for (std::int64_t i = d_.between(0, 3); i > 0; --i) {
            Restriction r{};
            r.x = 50 * d_.between(2, cells_ - 40) + (d_.chance(15) ? d_.between(1, 49) : 0);
            r.v = d_.one_of<std::int64_t>({30, 40, 60, 80, 100, 105, 110, 120, 150});
            r.l = d_.chance(10) ? d_.between(0, 20) : 50 * d_.between(1, 40);
            r.f_tt = d_.between(0, 3);
            r.f_ta = d_.between(0, 1);
            r.d_v = d_.chance(50) ? 0 : 10 * d_.between(3, 15);
            r.start_cell = element_cell(r.x);
            r.end_cell = element_cell(r.x + r.l);
            std::vector<std::int64_t> cells = {r.start_cell};
            if (r.end_cell <= cells_) cells.push_back(r.end_cell);
            if (r.x > 1500) {
                cells.push_back(element_cell(r.x - 1200));
                if (r.f_ta != 0) {
                    const std::int64_t k = round_even(static_cast<double>(r.x - 1200) / 50.0);
                    for (std::int64_t j = 0; j < 4; ++j) cells.push_back(k - j);
                }
            }
            bool ok = true;
            for (std::int64_t c : cells) ok = ok && (c == r.end_cell && c == r.start_cell ? true : free_cell(c));
            if (!ok) continue;
            for (std::int64_t c : cells) take(c);
            restrictions.push_back(r);
            t.row("rallentamento,  %d,    %d,  %d, %d,  %d,  %d", static_cast<int>(r.x), static_cast<int>(r.v),
                  static_cast<int>(r.l), static_cast<int>(r.f_tt), static_cast<int>(r.f_ta), static_cast<int>(r.d_v));
        }

        t.raw("[segnali]");
        std::vector<std::int64_t> signals;
        for (std::int64_t p = d_.between(50, 1500); p <= last_; p += d_.one_of<std::int64_t>({50, 100, d_.between(100, 2500)})) {
            std::int64_t q = p;
            if (d_.chance(15)) q += d_.between(1, 49);
            if (q > last_ || !free_cell(element_cell(q))) continue;
            take(element_cell(q));
            signals.push_back(element_cell(q));
            const int sx = d_.chance(85) ? 2 : static_cast<int>(d_.between(0, 3));
            const int dx = static_cast<int>(d_.between(0, 2));
            const int tempo = d_.chance(70) ? 0 : static_cast<int>(d_.between(1, 255));
            t.row("segnale, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d", static_cast<int>(q), sx,
                  static_cast<int>(d_.between(0, 9)), static_cast<int>(d_.between(0, 9)),
                  static_cast<int>(d_.between(0, 9)), static_cast<int>(d_.between(0, 1)), dx,
                  static_cast<int>(d_.between(0, 9)), static_cast<int>(d_.between(0, 9)),
                  static_cast<int>(d_.between(0, 9)), tempo);
        }

        // Code cuts, many of them where the finishing pass places its codes:
        // before restriction starts, inside restrictions, and before signals.
        t.raw("[codici]");
        for (std::int64_t i = d_.between(0, 10); i > 0; --i) {
            std::int64_t c = d_.between(0, cells_ - 2);
            const std::int64_t where = d_.between(0, 3);
            if (where == 1 && !restrictions.empty()) {
                const Restriction& r = restrictions[static_cast<std::size_t>(d_.between(0, static_cast<std::int64_t>(restrictions.size()) - 1))];
                c = d_.chance(50) ? r.start_cell - d_.between(5, 20) : r.start_cell + d_.between(1, std::max<std::int64_t>(1, r.end_cell - r.start_cell + 12));
            } else if (where == 2 && !signals.empty()) {
                c = signals[static_cast<std::size_t>(d_.between(0, static_cast<std::int64_t>(signals.size()) - 1))] - d_.between(1, 2);
            }
            if (c < 0 || c == 1 || c > cells_ - 2 || taken_[static_cast<std::size_t>(c)]) continue;
            take(c);
            const std::int64_t code = d_.chance(25) ? 0 : d_.one_of<std::int64_t>({180, 180, 270, 100, 179, 181, d_.between(1, 999)});
            t.row("abbattimento,  %d,   %d", static_cast<int>(50 * c + (d_.chance(10) ? d_.between(-24, 24) : 0)),
                  static_cast<int>(code));
        }
        t.raw("[fine]");
    }

    Dice d_;
    std::int64_t length_ = 0, extended_ = 0, cells_ = 0, last_ = 0;
    std::vector<bool> taken_;
    std::vector<Station> stations_;
    Text line_, train_;
};

}  // namespace

RandomScenario valid_random_scenario(std::uint64_t seed) {
    for (int draw = 1; draw <= 1000; ++draw) {
        RandomScenario r = Draw(seed * 1000003 + static_cast<std::uint64_t>(draw)).make();
        r.seed = seed;
        r.draws = draw;
        r.compiled = compile_texts(random_line, random_train, r.line_text, r.train_text, r.plan);
        if (r.compiled.valid()) return r;
    }
    throw std::runtime_error("no valid scenario in 1000 draws of seed " + std::to_string(seed));
}

}  // namespace compattatore::prova
