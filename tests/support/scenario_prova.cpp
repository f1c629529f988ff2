#include "support/scenario_prova.h"

#include <bit>
#include <cmath>
#include <limits>

namespace compattatore::test {

Cella cella(TipoCella tipo, std::int16_t v1, std::int16_t v2, std::int16_t v3, std::int16_t v4) {
    Cella c;
    c.tipo = tipo;
    c.valore1 = v1;
    c.valore2 = v2;
    c.valore3 = v3;
    c.valore4 = v4;
    return c;
}

namespace {

void metti(Scenario& s, std::size_t k, const Cella& e) {
    Cella& c = s.celle[k];
    c.tipo = e.tipo;
    c.valore1 = e.valore1;
    c.valore2 = e.valore2;
    c.valore3 = e.valore3;
    c.valore4 = e.valore4;
}

}  // namespace

Scenario scenario_completo() {
    Scenario s;
    s.nome_linea = "Brunovale";
    s.nome_treno = "Quarzo";
    s.lunghezza_estesa = 341000;
    s.numero_celle = 6820;
    s.celle.assign(6821, Cella{});
    for (std::size_t c = 0; c + 3 < s.celle.size(); ++c) {
        s.celle[c].velocita = static_cast<std::uint8_t>(6 + (c / 37) % 29);
        s.celle[c].pendenza = static_cast<std::uint8_t>(89 + (c / 53) % 23);
        s.celle[c].aderenza = static_cast<std::uint8_t>(58 + c % 42);
    }
    for (std::size_t c = 175; c <= 222; ++c) s.celle[c].montagna = 2;
    metti(s, 1, cella(TipoCella::vuota, 5121, 2788));
    metti(s, 9, cella(TipoCella::fermata, 1));
    metti(s, 21, cella(TipoCella::indicatore_v_max, 1800, 1900, 2000, 0));
    metti(s, 22, cella(TipoCella::segnale, 42, 11, 11, 8));
    s.celle[22].tempo = 255;
    for (int k = 1; k <= 4; ++k) s.celle[static_cast<std::size_t>(22 - 2 * k)].preavviso = static_cast<std::uint8_t>(80 + k);
    metti(s, 141, cella(TipoCella::codice, 270));
    metti(s, 142, cella(TipoCella::abbattimento, 0));
    metti(s, 160, cella(TipoCella::cartello, 80));
    metti(s, 178, cella(TipoCella::segno_montagna, 0));
    metti(s, 2440, cella(TipoCella::avviso_rallentamento, 80, 80));
    for (std::int16_t i = 0; i < 4; ++i)
        metti(s, static_cast<std::size_t>(2439 - i), cella(TipoCella::preavviso_rallentamento, i + 1, i + 1));
    metti(s, 2464, cella(TipoCella::inizio_rallentamento, 80, 80, 0));
    metti(s, 2480, cella(TipoCella::fine_rallentamento, 80, 80, 0));
    metti(s, 3000, cella(TipoCella::cartello, std::numeric_limits<std::int16_t>::min(),
                         std::numeric_limits<std::int16_t>::max(), -1,
                         12345));
    s.celle[3000].tempo = 255;
    s.celle[3000].preavviso = 255;
    s.celle[3000].montagna = 255;
    s.celle[3000].velocita = 255;
    s.celle[3000].pendenza = 255;
    s.celle[3000].aderenza = 255;

    Voce& v1 = s.voci[1];
    v1 = {8, -500, 500, 0, 1, "Citt\xE0 \"Alta\" \\ Nord", 4, 1, 2, 1, 1, 0, 1, 0, 0, 58470};
    Voce& v2 = s.voci[2];
    v2 = {22, 3700, 4150, 3900, 0, std::string("a\x01\x7F\x80\x9F\xA0\xFF\tb\r\n\0", 12), 1, 0, 1, 0, 1, 0, 0, 1, 0, 0};
    Voce& v3 = s.voci[3];
    v3 = {255,
          std::numeric_limits<std::int32_t>::min(),
          std::numeric_limits<std::int32_t>::max(),
          -1,
          255,
          "",
          std::numeric_limits<std::int16_t>::min(),
          std::numeric_limits<std::int16_t>::max(),
          -1,
          0,
          1,
          255,
          255,
          255,
          255,
          std::numeric_limits<std::int32_t>::min()};
    s.voci[80].nome = "(Zona)(Cod )";
    s.voci[79].nome = "(  Cippo  )(Km 28+000)";
    const std::int32_t intestazione[4][3] = {{315950, 412150, 1}, {284500, -284500, 0}, {31100, 3050, 0}, {130, 334000, 12}};
    for (std::size_t i = 0; i < 4; ++i) {
        s.voci[voce_progressiva_tre + i].inizio = intestazione[i][0];
        s.voci[voce_progressiva_tre + i].fine = intestazione[i][1];
        s.voci[voce_progressiva_tre + i].posizione = intestazione[i][2];
    }
    s.voci[voce_linea] = {0, 1, 0, 0, 0, "Brunovale", 610};
    s.voci[voce_linea].orario = 36456;
    s.voci[voce_treno] = {0, 8000, 330700, 9, 0, "Quarzo", 180, 0, 16, 20, 30};

    TabellaLinea& t = s.tabella_linea;
    t.crea(s.lunghezza_estesa);
    t(0, 0) = ValoreTabella::intero(0);
    t(0, 1) = ValoreTabella::intero(0);
    t(1, 0) = ValoreTabella::intero(0);
    t(1, 1) = ValoreTabella::intero(1);
    double x = 0, y = 1, dx = 0, dy = 1;
    for (std::int32_t m = 2; m <= s.lunghezza_estesa - 2; ++m) {
        const double k = (m / 1000) % 3 == 0 ? 0.0 : ((m / 1000) % 3 == 1 ? 0.0004 : -0.0002);
        const double ndx = dx + k * dy, ndy = dy - k * dx;
        dx = ndx;
        dy = ndy;
        x += dx;
        y += dy;
        t(m, 0) = ValoreTabella::reale_(x);
        t(m, 1) = ValoreTabella::reale_(y);
    }
    t(5, 0) = ValoreTabella::reale_(-0.0);
    t(6, 0) = ValoreTabella::reale_(std::numeric_limits<double>::denorm_min());
    t(7, 0) = ValoreTabella::reale_(std::bit_cast<double>(std::uint64_t{0x7FF8000000000123}));
    t(8, 1) = ValoreTabella::reale_(std::numeric_limits<double>::infinity());
    t(9, 1) = ValoreTabella::reale_(-std::numeric_limits<double>::infinity());
    t(10, 0) = ValoreTabella::reale_(std::numeric_limits<double>::max());
    t(11, 0) = ValoreTabella::reale_(0.1);
    t(100, 1) = ValoreTabella::intero(std::numeric_limits<std::int16_t>::max());
    t(101, 1) = ValoreTabella::intero(std::numeric_limits<std::int16_t>::min());
    t(200, 0) = ValoreTabella{};
    return s;
}

}  // namespace compattatore::test
