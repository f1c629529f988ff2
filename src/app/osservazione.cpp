#include "app/osservazione.h"

#include <filesystem>
#include <ostream>
#include <thread>
#include <vector>

#include "app/fallimenti.h"
#include "platform/console.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

// What tells one save from the next: each file's presence, size and time.
struct Stato {
    bool c_e = false;
    std::uintmax_t dimensione = 0;
    std::filesystem::file_time_type ora{};
    bool operator==(const Stato&) const = default;
};

std::vector<Stato> stato_dei_file(const OpzioniSorgenti& o) {
    const FileScenario f{o.cartella, o.linea, o.treno};
    std::vector<Stato> s;
    for (const auto& p : {file_linea_txt(f), file_treno_txt(f), file_note_autore(f)}) {
        std::error_code ec;
        Stato x;
        x.c_e = std::filesystem::is_regular_file(p, ec);
        if (x.c_e) {
            x.dimensione = std::filesystem::file_size(p, ec);
            x.ora = std::filesystem::last_write_time(p, ec);
        }
        s.push_back(x);
    }
    return s;
}

}  // namespace

StatoUscita osserva_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err,
                     const std::function<bool(int)>& continua, std::chrono::milliseconds periodo) {
    StatoUscita stato_finale = stato::riuscito;
    std::vector<Stato> visto;
    for (int resoconti = 0; continua(resoconti);) {
        const std::vector<Stato> ora = stato_dei_file(o);
        if (resoconti > 0 && ora == visto) {
            std::this_thread::sleep_for(periodo);
            continue;
        }
        visto = ora;
        clear_screen(err);
        stato_finale = riporta_fallimenti([&] { return controlla_sorgenti(o, out, err); }, err);
        err << "in attesa di modifiche ai file di descrizione (Ctrl+C per finire)" << std::endl;
        ++resoconti;
    }
    return stato_finale;
}

}  // namespace compattatore
