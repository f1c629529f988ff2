// The text listings, whole: a heading, the column names, one aligned line
// per element.
#include <sstream>

#include <gtest/gtest.h>

#include "dump/dump.h"

namespace compattatore {
namespace {

TEST(ElencoGriglia, UnaRigaPerOgniCellaNonVuota) {
    std::vector<Cella> celle(5);
    celle[1].valore1 = 5121;
    celle[1].valore2 = 2788;
    celle[1].velocita = 6;
    celle[1].pendenza = 100;
    celle[1].aderenza = 58;
    celle[2].tipo = TipoCella::segnale;
    celle[2].valore1 = 42;
    celle[2].valore2 = 11;
    celle[2].valore3 = 11;
    celle[2].valore4 = 8;
    celle[2].tempo = 255;
    celle[2].velocita = 20;
    celle[2].pendenza = 89;
    celle[2].aderenza = 58;
    celle[3].preavviso = 81;
    celle[3].montagna = 2;
    std::ostringstream out;
    elenca_griglia(out, celle);
    EXPECT_EQ(out.str(),
              "griglia: 5 celle (indici 0..4), 75 byte, 3 non vuote\n"
              "la cella n raccoglie gli elementi posti a circa (n - 1) x 50 m; km/h = velocita x 5, "
              "per mille = pendenza - 100\n"
              "\n"
              " cella     metri  tipo                       valore1 valore2 valore3 valore4 tempo preavv. mont.  km/h "
              "p.mille ader.  dettaglio\n"
              "     1         0    0 vuota                     5121    2788       0       0     0       0     0    30"
              "       0    58  intestazione 5121, codice gara 2788\n"
              "     2        50    1 segnale                     42      11      11       8   255       0     0   100"
              "     -11    58  sinistro tipo 2 codici 4-1-1, destro tipo 2 codici 2-1-1, rapp 0\n"
              "     3       100    0 vuota                        0       0       0       0     0      81     2     0"
              "    -100     0\n");
}

TEST(ElencoVoci, StazioniCartelliEIntestazioneColLoroSignificato) {
    Voci voci{};
    voci[1].tipo = 8;
    voci[1].inizio = -500;
    voci[1].fine = 500;
    voci[1].byte1 = 1;
    voci[1].nome = "Citt\xE0 \"Alta\"";
    voci[1].intero1 = 4;
    voci[1].orario = 58470;
    voci[80].nome = "(Zona)(Cod )";
    voci[voce_linea].nome = "Brunovale";
    voci[voce_linea].intero1 = 610;
    voci[voce_linea].orario = 36456;
    std::ostringstream out;
    elenca_voci(out, voci, 3000);
    EXPECT_EQ(out.str(),
              "voci: 87 voci, 3000 byte; 1 stazioni (voci 1 in su), 1 cartelli (voci 80 in giu'), intestazione "
              "nelle voci 81..86\n"
              "\n"
              " voce offset ruolo         tipo     inizio       fine  posizione b1 intero1 intero2 intero3 intero4 "
              "intero5  b2  b3  b4  b5     orario  nome              significato\n"
              "    1     34 stazione         8       -500        500          0  1       4       0       0       0"
              "       0   0   0   0   0      58470  \"Citt\xC3\xA0 \\\"Alta\\\"\"  orario 16:14:30\n"
              "   80   2732 cartello         0          0          0          0  0       0       0       0       0"
              "       0   0   0   0   0          0  \"(Zona)(Cod )\"\n"
              "   81   2778 intestazione     0          0          0          0  0       0       0       0       0"
              "       0   0   0   0   0          0  \"\"                progressiva chilometrica non usata\n"
              "   82   2812 intestazione     0          0          0          0  0       0       0       0       0"
              "       0   0   0   0   0          0  \"\"                progressiva chilometrica non usata\n"
              "   83   2846 intestazione     0          0          0          0  0       0       0       0       0"
              "       0   0   0   0   0          0  \"\"                progressiva chilometrica non usata\n"
              "   84   2880 intestazione     0          0          0          0  0       0       0       0       0"
              "       0   0   0   0   0          0  \"\"                massa frenata 0%, lunghezza 0 m, 0 vetture\n"
              "   85   2914 intestazione     0          0          0          0  0     610       0       0       0"
              "       0   0   0   0   0      36456  \"Brunovale\"       sfondo uno 0, due 0, tre 0; intestazione 610, "
              "codice gara 36456\n"
              "   86   2957 intestazione     0          0          0          0  0       0       0       0       0"
              "       0   0   0   0   0          0  \"\"                senza ripetizione segnali; sabbia 0; "
              "orologio 0:00:00\n");
}

TEST(ElencoPiano, SommarioPoiUnPuntoAOgniPasso) {
    TabellaLinea t;
    t.crea(2003);
    for (std::int32_t m = 0; m <= 2001; ++m) {
        t(m, 0) = ValoreTabella::reale_(m <= 1000 ? 0.0 : static_cast<double>(m - 1000));
        t(m, 1) = ValoreTabella::reale_(m <= 1000 ? static_cast<double>(m) : 1000.0);
    }
    t(0, 0) = ValoreTabella::intero(0);
    std::ostringstream out;
    elenca_piano(out, t, 40000, 1000);
    EXPECT_EQ(out.str(),
              "piano del tracciato: 2004 righe (metri 0..2003), 40000 byte\n"
              "elementi: 1 interi a 16 bit, 4003 reali, 4 vuoti\n"
              "punti: metri 0..2001, 2002 righe con entrambe le coordinate\n"
              "riquadro: x da 0.000 a 1001.000 m, y da 0.000 a 1000.000 m\n"
              "sviluppo: 2001.000 m\n"
              "\n"
              "un punto ogni 1000 m:\n"
              "    metro            x            y  rotta (gradi)\n"
              "        0        0.000        0.000              -\n"
              "     1000        0.000     1000.000          0.000\n"
              "     2000     1000.000     1000.000         90.000\n");
}

}  // namespace
}  // namespace compattatore
