// The text listings of `compattatore dump`: a heading that sums the file up,
// then one line per element in aligned columns.
#include <algorithm>
#include <ostream>
#include <string>

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

std::string a_larghezza(std::string t, std::size_t w) {
    for (std::size_t l = larghezza(t); l < w; ++l) t += ' ';
    return t;
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
    out << " cella     metri  tipo                        valore1 valore2 valore3 valore4 tempo preavv. mont."
           "  km/h p.mille ader.  dettaglio\n";
    celle([&out](std::size_t k, const Cella& c) {
        if (cella_vuota(c)) return;
        std::string dettaglio = dettaglio_cella(c);
        if (k == 1) {
            if (!dettaglio.empty()) dettaglio += "; ";
            dettaglio += formato("intestazione %d, codice gara %d", c.valore1, c.valore2);
        }
        std::string r = formato("%6zu %9lld  %3u %-22s %7d %7d %7d %7d %5u %7u %5u %5d %7d %5u", k,
                                static_cast<long long>(metro_di_cella(static_cast<std::int64_t>(k))), c.tipo,
                                std::string(nome_tipo_cella(c.tipo)).c_str(), c.valore1, c.valore2, c.valore3,
                                c.valore4, c.tempo, c.preavviso, c.montagna, c.velocita * 5, c.pendenza - 100,
                                c.aderenza);
        if (!dettaglio.empty()) r += "  " + dettaglio;
        out << r << '\n';
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
    out << " voce offset ruolo         tipo     inizio       fine  posizione b1 intero1 intero2 intero3 intero4"
           " intero5  b2  b3  b4  b5     orario  "
        << a_larghezza("nome", larghezza_nome) << "  significato\n";
    std::size_t offset = 0;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const Voce& v = voci[i];
        const std::size_t questo = offset;
        offset += codifica::byte_record(campi_voce, v);
        if (ruoli[i] == RuoloVoce::vuota) continue;
        std::string r = formato("%5zu %6zu %-12s %5u %10d %10d %10d %2u %7d %7d %7d %7d %7d %3u %3u %3u %3u %10d  ", i,
                                questo, std::string(nome_ruolo(ruoli[i])).c_str(), v.tipo, v.inizio, v.fine,
                                v.posizione, v.byte1, v.intero1, v.intero2, v.intero3, v.intero4, v.intero5, v.byte2,
                                v.byte3, v.byte4, v.byte5, v.orario);
        r += a_larghezza(nome_tra_virgolette(v.nome), larghezza_nome);
        const std::string significato = significato_voce(voci, static_cast<int>(i), ruoli[i]);
        if (!significato.empty()) r += "  " + significato;
        while (!r.empty() && r.back() == ' ') r.pop_back();
        out << r << '\n';
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
