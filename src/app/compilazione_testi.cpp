#include "app/compilazione_testi.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "reader/memorizza_dati.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

namespace fs = std::filesystem;

// The reader takes its texts from files: they go to a folder of their own,
// removed with them afterwards.
class CartellaDiLavoro {
public:
    CartellaDiLavoro() {
        std::error_code ec;
        const fs::path base = fs::temp_directory_path(ec);
        if (ec) throw ErroreIO("cartella temporanea", ec.message());
        const auto seme = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
        for (unsigned long long i = 0; i < 1000; ++i) {
            fs::path p = base / ("compattatore-decompila-" + std::to_string(seme + i));
            if (fs::create_directory(p, ec)) {
                percorso_ = p;
                return;
            }
            if (ec) throw ErroreIO(p, ec.message());
        }
        throw ErroreIO(base, "nessun nome libero per una cartella di lavoro");
    }
    ~CartellaDiLavoro() {
        std::error_code ec;
        fs::remove_all(percorso_, ec);
    }
    CartellaDiLavoro(const CartellaDiLavoro&) = delete;
    CartellaDiLavoro& operator=(const CartellaDiLavoro&) = delete;

    const fs::path& percorso() const { return percorso_; }

private:
    fs::path percorso_;
};

// The number of the error report, from its message " Errore n. NNNN".
std::int32_t numero_errore(const ErroreSegnalato& e) {
    const std::string m = e.what();
    const std::size_t i = m.find_last_not_of("0123456789");
    return i + 1 < m.size() ? std::stoi(m.substr(i + 1)) : -1;
}

}  // namespace

Ricompilazione compila_testi(const std::string& linea, const std::string& treno, const std::string& testo_linea,
                             const std::string& testo_treno, bool piano) {
    CartellaDiLavoro cartella;
    Scenario s;
    s.nome_linea = linea;
    s.nome_treno = treno;
    s.cartella = cartella.percorso();
    sostituisci_file(file_linea_txt(s), testo_linea);
    sostituisci_file(file_treno_txt(s), testo_treno);

    s.compila_linea = piano ? 1 : 0;
    s.codice_errore = 0;
    memorizza_dati(s);

    Ricompilazione r;
    r.codice = s.codice_errore;
    if (r.codice != 0) {
        r.file_errore = s.origine_errore.file;
        r.riga_errore = s.origine_errore.riga;
    }
    if (!s.griglia_esiste()) return r;
    completa_codici(s);
    try {
        timbra_intestazione(s);
    } catch (const ErroreSegnalato& e) {
        r.errore_segnalato = numero_errore(e);
        return r;
    }
    r.codice = s.codice_errore;
    r.celle = std::move(s.celle);
    r.voci = s.voci;
    r.piano = std::move(s.tabella_linea);
    return r;
}

}  // namespace compattatore
