// Fuzz target: arbitrary bytes as the two description files, compiled by the
// full driver in a private folder.
//
// Input layout (kept readable so that the corpus can be read and edited):
//   byte 0         low bit set: the plan and the compiled line file are asked
//                  for (memorizza_percorso with 1), otherwise with 0;
//   bytes 1..      the line description, up to the first separator line;
//   separator      "\n%%treno%%\n";
//   the rest       the train description.
// Without a separator there is no train description file at all.
//
// Besides the sanitizers, every run checks what the program promises about
// its folder: the description files are gone when the reader says so, the
// compiled files are complete or not there, and nothing else is left behind;
// and the report an author reads explains the code on one line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

#include "app/diagnostica.h"
#include "app/driver.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "tables/compiled_files.h"
#include "tables/nomi_file.h"
#include "tables/scenario.h"

namespace {

namespace fs = std::filesystem;
using namespace compattatore;

constexpr std::string_view separatore = "\n%%treno%%\n";

[[noreturn]] void violazione(const char* cosa, const Scenario& s) {
    std::fprintf(stderr, "fuzz_driver: %s (codice_errore %d, posizione_errore %d)\n", cosa,
                 static_cast<int>(s.codice_errore), static_cast<int>(s.posizione_errore));
    std::abort();
}

const fs::path& cartella() {
    static const fs::path percorso = [] {
        std::string modello = (fs::temp_directory_path() / "fuzz-driver-XXXXXX").string();
        if (!::mkdtemp(modello.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        // Removed at the end of the process, whichever way the fuzzer stops normally.
        static const std::string da_togliere = modello;
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(da_togliere, ec);
        });
        return fs::path(modello);
    }();
    return percorso;
}

std::set<std::string> file_presenti(const fs::path& dir) {
    std::set<std::string> nomi;
    for (const auto& e : fs::directory_iterator(dir)) nomi.insert(e.path().filename().string());
    return nomi;
}

std::uintmax_t dimensione(const fs::path& file) {
    std::error_code ec;
    const std::uintmax_t n = fs::file_size(file, ec);
    return ec ? static_cast<std::uintmax_t>(-1) : n;
}

std::uintmax_t byte_attesi_voci(const Scenario& s) {
    std::uintmax_t n = 0;
    for (const Voce& v : s.voci) n += byte_voce_fissi + v.nome.size();
    return n;
}

std::uintmax_t byte_attesi_piano(const Scenario& s) {
    std::uintmax_t n = 0;
    for (const ValoreTabella& e : s.tabella_linea.elementi) {
        switch (e.stato) {
            case ValoreTabella::Stato::vuoto: n += 2; break;
            case ValoreTabella::Stato::intero16: n += 4; break;
            case ValoreTabella::Stato::reale: n += 10; break;
        }
    }
    return n;
}

bool codice_noto(std::int32_t c) {
    static const std::set<std::int32_t> noti = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,  12,  13,
                                                15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103};
    return noti.count(c) != 0;
}

// Codes with which the reader stops inside the line file: only then may the
// train file stay where it was.  The finishing pass runs after such a stop
// and may replace the code with one of its own (11, 12, 13).
bool fermo_nella_linea(std::int32_t c) {
    return c == 102 || c == 1 || c == 3 || c == 4 || c == 5 || c == 103 || c == 6 || c == 21 || c == 11 ||
           c == 12 || c == 13;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n == 0) return 0;
    const std::int32_t j = (dati[0] & 1) ? 1 : 0;
    const std::string_view resto(reinterpret_cast<const char*>(dati) + 1, n - 1);
    const std::size_t taglio = resto.find(separatore);

    Scenario s;
    s.nome_linea = "Brunovale";
    s.nome_treno = "Quarzo";
    s.cartella = cartella();
    const fs::path linea_txt = file_linea_txt(s);
    const fs::path treno_txt = file_treno_txt(s);
    sostituisci_file(linea_txt, resto.substr(0, taglio));
    if (taglio != std::string_view::npos) sostituisci_file(treno_txt, resto.substr(taglio + separatore.size()));

    bool segnalato = false;
    try {
        memorizza_percorso(s, j);
    } catch (const ErroreSegnalato&) {
        // The error report: a legitimate end of the run, with no compiled file.
        segnalato = true;
    }

    if (!codice_noto(s.codice_errore)) violazione("codice sconosciuto", s);
    if (s.codice_errore != 0 && spiegazione_codice(s.codice_errore).empty()) violazione("codice senza spiegazione", s);
    if (descrivi_errore(s).find('\n') != std::string::npos) violazione("rapporto su piu' righe", s);
    (void)riga_del_record(s);
    for (const char c : diagnostica_json(s))
        if (static_cast<unsigned char>(c) < 0x20) violazione("JSON con un carattere di controllo", s);
    if (fs::exists(linea_txt)) violazione("il file della linea non e' stato eliminato", s);
    if (fs::exists(treno_txt) && !fermo_nella_linea(s.codice_errore))
        violazione("il file del treno non e' stato eliminato", s);

    std::set<std::string> attesi;
    if (fs::exists(treno_txt)) attesi.insert(treno_txt.filename().string());
    if (s.griglia_esiste() && !segnalato) {
        if (s.celle.size() != static_cast<std::size_t>(s.numero_celle) + 1)
            violazione("griglia di dimensione diversa da numero_celle + 1", s);
        if (dimensione(file_griglia_dat(s)) != byte_cella * s.celle.size()) violazione("file .dat incompleto", s);
        if (dimensione(file_sim(s)) != byte_attesi_voci(s)) violazione("file .sim incompleto", s);
        attesi.insert(file_griglia_dat(s).filename().string());
        attesi.insert(file_sim(s).filename().string());
        if (j != 0) {
            if (dimensione(file_linea_dat(s)) != byte_attesi_piano(s)) violazione("file _linea.dat incompleto", s);
            attesi.insert(file_linea_dat(s).filename().string());
        }
    }
    if (file_presenti(cartella()) != attesi) violazione("file inattesi nella cartella", s);

    for (const auto& e : fs::directory_iterator(cartella())) fs::remove(e.path());
    return 0;
}
