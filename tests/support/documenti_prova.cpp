#include "support/documenti_prova.h"

#include <algorithm>
#include <sstream>
#include <string_view>

#include "sources/descrizioni.h"

namespace compattatore::test {

namespace {

std::string senza_blank(std::string_view t) {
    const auto a = t.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return std::string(t.substr(a, t.find_last_not_of(' ') - a + 1));
}

std::vector<std::string> campi(std::string_view riga) {
    std::vector<std::string> c;
    std::size_t inizio = 0;
    for (;;) {
        const auto virgola = riga.find(',', inizio);
        c.push_back(senza_blank(riga.substr(inizio, virgola - inizio)));
        if (virgola == std::string_view::npos) return c;
        inizio = virgola + 1;
    }
}

}  // namespace

std::vector<StazioneTreno> stazioni_del_treno() {
    std::vector<StazioneTreno> stazioni;
    for (std::string_view riga : righe_treno()) {
        const auto c = campi(riga);
        if (c.front() != "stazione") continue;
        if (c.size() != 18) return {};  // 17 fields after the keyword
        StazioneTreno s;
        s.posizione = std::stoi(c[1]);
        s.ore = std::stoi(c[14]);
        s.minuti = std::stoi(c[15]);
        s.secondi = std::stoi(c[16]);
        s.nome = c[17];
        stazioni.push_back(s);
    }
    return stazioni;
}

std::vector<RigaPosizione> righe_del_treno(const std::string& chiave) {
    std::vector<RigaPosizione> righe;
    for (std::string_view riga : righe_treno()) {
        const auto c = campi(riga);
        if (c.front() != chiave || c.size() < 2) continue;
        RigaPosizione r;
        r.posizione = std::stoi(c[1]);
        for (std::size_t i = 2; i < c.size(); ++i) r.valori.push_back(c[i].empty() ? 0 : std::stoi(c[i]));
        righe.push_back(r);
    }
    return righe;
}

std::vector<Progressiva> progressive_della_linea() {
    std::vector<Progressiva> p;
    for (std::string_view riga : righe_linea()) {
        const auto c = campi(riga);
        if (c.front().rfind("progressiva chilometrica", 0) != 0 || c.size() != 4) continue;
        p.push_back({std::stoi(c[1]), std::stoi(c[2]), std::stoi(c[3])});
    }
    std::sort(p.begin(), p.end(), [](const auto& a, const auto& b) { return a.posizione < b.posizione; });
    return p;
}

std::int32_t chilometro(const std::vector<Progressiva>& progressive, std::int32_t posizione) {
    std::int32_t km = posizione;
    for (const auto& p : progressive)
        if (posizione >= p.posizione) km = p.senso ? p.offset - posizione : posizione + p.offset;
    return km;
}

std::string testo_km(std::int32_t metri) {
    std::ostringstream t;
    t << metri / 1000 << '.' << (metri % 1000) / 100 << (metri % 100) / 10 << metri % 10;
    return t.str();
}

}  // namespace compattatore::test
