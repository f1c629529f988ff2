// The authors' guide runs as written: every command of its shell examples,
// one after the other in one empty folder, prints what the guide shows.
//
// After a change of what the commands print, COMPATTATORE_RISCRIVI_GUIDA=1
// writes the outputs of this run into docs/autori.md; read the difference
// before committing it.
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

const std::string guida = std::string(COMPATTATORE_SORGENTI) + "/docs/autori.md";

[[maybe_unused]] std::vector<std::string> righe_di(const std::string& testo) {
    std::vector<std::string> r;
    std::istringstream in(testo);
    for (std::string riga; std::getline(in, riga);) r.push_back(riga);
    return r;
}

TEST(GuidaAutori, OgniEsempioStampaQuelloCheLaGuidaMostra) {
#ifdef _WIN32
    GTEST_SKIP() << "the examples are POSIX shell commands";
#else
    const std::vector<std::string> righe = righe_di(test::read_bytes(guida));
    ASSERT_FALSE(righe.empty());
    test::TempDir dir;
    const std::string percorso = std::filesystem::path(COMPATTATORE_EXE).parent_path().string();

    std::vector<std::string> riscritta;
    int comandi = 0;
    int stato = 0;  // the last command's, for an example's `echo $?`
    bool in_esempio = false;
    for (std::size_t i = 0; i < righe.size();) {
        const std::string& riga = righe[i];
        if (!in_esempio) {
            in_esempio = riga == "```sh";
            riscritta.push_back(riga);
            ++i;
            continue;
        }
        if (riga == "```") {
            in_esempio = false;
            riscritta.push_back(riga);
            ++i;
            continue;
        }
        ASSERT_EQ(riga.rfind("$ ", 0), 0u) << "docs/autori.md:" << i + 1 << ": un esempio comincia con un comando";
        const std::string comando = riga.substr(2);
        std::vector<std::string> attese;
        for (++i; i < righe.size() && righe[i] != "```" && righe[i].rfind("$ ", 0) != 0; ++i)
            attese.push_back(righe[i]);
        const test::CommandResult r =
            test::run_program("/bin/sh", {"-c", "PATH='" + percorso + "':\"$PATH\"; (exit " + std::to_string(stato) + "); " + comando}, {dir.path()});
        stato = r.status;
        const std::vector<std::string> stampate = righe_di(r.output);
        EXPECT_EQ(stampate, attese) << "$ " << comando << "\n" << r.output;
        riscritta.push_back(riga);
        riscritta.insert(riscritta.end(), stampate.begin(), stampate.end());
        ++comandi;
    }
    EXPECT_FALSE(in_esempio) << "un esempio non è chiuso";
    EXPECT_GT(comandi, 10);

    if (std::getenv("COMPATTATORE_RISCRIVI_GUIDA")) {
        std::string testo;
        for (const std::string& riga : riscritta) testo += riga + "\n";
        test::write_bytes(guida, testo);
    }
#endif
}

}  // namespace
}  // namespace compattatore
