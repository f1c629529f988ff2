// check --watch: a report at the start and one after each save.
#include "app/osservazione.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/builtin_warnings.h"
#include "support/temp_dir.h"

namespace compattatore::test {
namespace {

std::size_t quante(const std::string& t, const std::string& parte) {
    std::size_t n = 0;
    for (std::size_t i = t.find(parte); i != std::string::npos; i = t.find(parte, i + 1)) ++n;
    return n;
}

TEST(Osservazione, ASaveGivesANewReportOnAClearedScreen) {
    TempDir dir;
    std::ostringstream out, err;
    ASSERT_EQ(scrivi_sorgenti(dir.path(), err), 0);
    const auto treno = dir / "Brunovale_Quarzo-.txt";
    const std::string testo = read_bytes(treno);
    OpzioniSorgenti o;
    o.cartella = dir.path();
    err.str("");
    int salvataggi = 0;
    const int stato = osserva_sorgenti(
        o, out, err,
        [&](int resoconti) {
            if (resoconti == 1 && salvataggi == 0) {
                // A save that breaks a station's length, and makes the file longer.
                std::string rotto = testo;
                rotto.replace(rotto.find("stazione,       0,  8,  500,"), 28, "stazione,       0,  8,   550,");
                write_bytes(treno, rotto);
                ++salvataggi;
            }
            return resoconti < 2;
        },
        std::chrono::milliseconds(5));
    EXPECT_EQ(stato, 1);
    const std::string e = err.str();
    EXPECT_EQ(quante(e, "\x1b[2J\x1b[H"), 2u);
    // The built-in files' warning in both reports; the error in the second.
    EXPECT_EQ(quante(e, test::builtin_count(0)), 1u);
    EXPECT_NE(e.find(test::builtin_count(1)), std::string::npos) << e;
    EXPECT_LT(e.find(test::builtin_count(0)), e.find(test::builtin_count(1)));
}

}  // namespace
}  // namespace compattatore::test
