#include "app/comandi.h"

#include <sstream>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "support/temp_dir.h"
#include "tables/costanti_formato.h"
#include "tables/file_compilati.h"

namespace compattatore {
namespace {

using test::TempDir;

Scenario piccolo() {
    Scenario s;
    s.celle.assign(141, Cella{});
    s.celle[22].tipo = TipoCella::segnale;
    s.voci[voce_linea].nome = "L";
    s.voci[voce_treno].nome = "T";
    s.voci[voce_linea].intero1 = valore_intestazione_voci;
    return s;
}

TEST(ComandoDump, ElencaUnFileBuonoESiFermaSuUnoGuastoConNomeTipoEOffset) {
    TempDir dir;
    const std::string griglia = codifica_griglia(piccolo().celle);
    test::write_bytes(dir / "L_T.dat", griglia);
    test::write_bytes(dir / "corta.dat", griglia.substr(0, griglia.size() - 4));

    std::ostringstream out, err;
    EXPECT_EQ(comando_dump(dir / "L_T.dat", FormatoDump::testo, 1000, out, err), 0);
    EXPECT_EQ(out.str().rfind("griglia: 141 celle", 0), 0u);
    EXPECT_EQ(err.str(), "");

    std::ostringstream out2, err2;
    EXPECT_EQ(comando_dump(dir / "corta.dat", FormatoDump::json, 1000, out2, err2), 1);
    EXPECT_EQ(out2.str(), "");  // nothing half-written
    EXPECT_EQ(err2.str(), "compattatore: " + (dir / "corta.dat").string() +
                              " (file griglia): offset 2100: cella 140 troncata: restano 11 byte dei 15 di una cella "
                              "(lunghezza 2111 non multipla di 15)\n");

    std::ostringstream out3, err3;
    EXPECT_THROW(comando_dump(dir / "manca.dat", FormatoDump::testo, 1000, out3, err3), IoError);
}

// A .sim that keeps its layout but holds an entry no compilation leaves is
// listed whole, then its entries are reported as warnings: the run succeeds.
TEST(ComandoDump, LeVociInverosimiliDiUnSimSonoAvvisiDopoLElenco) {
    TempDir dir;
    Voci voci = piccolo().voci;
    test::write_bytes(dir / "L_T.sim", codifica_voci(voci));
    voci[0].byte3 = 9;
    test::write_bytes(dir / "X_T.sim", codifica_voci(voci));
    test::write_bytes(dir / "voci.bin", codifica_voci(voci));

    std::ostringstream out, err;
    EXPECT_EQ(comando_dump(dir / "L_T.sim", FormatoDump::testo, 1000, out, err), 0);
    EXPECT_EQ(err.str(), "");
    const std::string elenco = out.str();

    for (const char* nome : {"X_T.sim", "voci.bin"}) {
        SCOPED_TRACE(nome);
        std::ostringstream out2, err2;
        EXPECT_EQ(comando_dump(dir / nome, FormatoDump::testo, 1000, out2, err2), 0);
        EXPECT_NE(out2.str(), "");
        const std::string prefisso = "compattatore: " + (dir / nome).string() + " (file voci): ";
        std::string atteso = prefisso + "offset 27: avviso: voce 0: byte3 vale 9, ma la voce 0 resta sempre vuota\n";
        // Only a name that says .sim tells the identifiers.
        if (std::string(nome) == "X_T.sim")
            atteso += prefisso + "offset 2904: avviso: voce 85: (linea) i nomi della linea e del treno, \"L\" e "
                                 "\"T\", non sono quelli del nome del file, X_T.sim\n";
        EXPECT_EQ(err2.str(), atteso);
    }
}

TEST(ComandoPlot, ScriveLaPaginaENominaIlFileCheRompeLaSuaStruttura) {
    TempDir dir;
    const Scenario s = piccolo();
    test::write_bytes(dir / "L_T.sim", codifica_voci(s.voci));
    test::write_bytes(dir / "L_T.dat", codifica_griglia(s.celle));
    std::ostringstream err;
    // No L_linea.dat: the scenario was compiled without the plan.
    ASSERT_EQ(disegna_cartella(dir.path(), "L", "T", dir / "pagina.svg", err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    const std::string svg = test::read_bytes(dir / "pagina.svg");
    EXPECT_NE(svg.find("pianta non disponibile"), std::string::npos);

    test::write_bytes(dir / "L_linea.dat", std::string("\x07\x00", 2));
    std::ostringstream err2;
    EXPECT_EQ(disegna_cartella(dir.path(), "L", "T", dir / "altra.svg", err2), 1);
    EXPECT_EQ(err2.str(), "compattatore: " + (dir / "L_linea.dat").string() +
                              " (file piano): offset 0: elemento 0: tag sconosciuto 7 (un elemento del tracciato ha "
                              "tag 0, 2 o 5)\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "altra.svg"));

    std::ostringstream err3;
    EXPECT_THROW(disegna_cartella(dir.path(), "X", "T", dir / "x.svg", err3), IoError);
}

}  // namespace
}  // namespace compattatore
