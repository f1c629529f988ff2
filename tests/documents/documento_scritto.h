// A document written by its writer into a fresh folder and read back, both as
// the bytes on disk and as its lines.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/output_set.h"
#include "support/temp_dir.h"
#include "tables/nomi_file.h"

namespace compattatore::test {

struct DocumentoScritto {
    std::string nome_file;
    std::string byte;
    std::vector<std::string> righe;
};

// The built-in identifiers, with the files going to `cartella`.
inline FileScenario scenario_in(const std::filesystem::path& cartella) {
    return {cartella, "Brunovale", "Quarzo"};
}

// Splits a text on CR LF; the text must end with CR LF and hold no CR or LF
// other than the line ends.
inline std::vector<std::string> righe_crlf(const std::string& testo) {
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        const std::size_t fine = testo.find("\r\n", inizio);
        EXPECT_NE(fine, std::string::npos) << "last line without CR LF";
        if (fine == std::string::npos) break;
        std::string riga = testo.substr(inizio, fine - inizio);
        EXPECT_EQ(riga.find_first_of("\r\n"), std::string::npos) << "stray CR or LF in: " << riga;
        righe.push_back(std::move(riga));
        inizio = fine + 2;
    }
    return righe;
}

// Runs `scrittore` on the built-in identifiers and reads back the one file it wrote.
template <typename Scrittore>
DocumentoScritto scrivi_e_rileggi(Scrittore scrittore) {
    TempDir dir;
    OutputSet uscite;
    scrittore(scenario_in(dir.path()), uscite);
    uscite.commit();
    DocumentoScritto doc;
    std::vector<std::filesystem::path> file;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) file.push_back(e.path());
    EXPECT_EQ(file.size(), 1u) << "the writer must leave exactly its own file";
    if (file.empty()) return doc;
    doc.nome_file = file.front().filename().string();
    doc.byte = read_bytes(file.front());
    doc.righe = righe_crlf(doc.byte);
    return doc;
}

}  // namespace compattatore::test
