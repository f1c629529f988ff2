#include "app/comandi.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "compiled/fonte_byte.h"
#include "plot/grafico.h"
#include "platform/file_io.h"
#include "platform/mapped_file.h"
#include "platform/paths.h"
#include "platform/system_reason.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

void riporta(std::ostream& err, const std::filesystem::path& file, std::string_view tipo, const FileMalformato& e) {
    err << "compattatore: " << path_text(file) << " (file " << tipo << "): " << e.what() << '\n';
}

// Whether `file` exists; a folder that cannot be searched is an I/O failure.
bool esiste(const std::filesystem::path& file) {
    std::error_code ec;
    const bool c_e = std::filesystem::exists(file, ec);
    if (ec) throw IoError(file, system_reason(ec));
    return c_e;
}

}  // namespace

namespace {

const char* const non_un_file = "non è un file ma una cartella, un dispositivo o una pipe";

// The kind the file's name gives; none for a name of no kind.
std::optional<TipoFile> tipo_dal_nome(const std::filesystem::path& file) {
    try {
        return riconosci_file(file, {});
    } catch (const FileMalformato&) {
        return std::nullopt;
    }
}

// The whole file, once its size is known to be one a compiled file can have.
std::string tutto(FonteByte& fonte) {
    std::string byte(static_cast<std::size_t>(fonte.size()), '\0');
    std::size_t letti = 0;
    while (letti < byte.size()) {
        const std::size_t n = fonte.leggi(letti, byte.data() + letti, byte.size() - letti);
        if (n == 0) throw FileMalformato(letti, "il file è stato accorciato durante la lettura");
        letti += n;
    }
    return byte;
}

// A compiled file of kind `t`, read whole once it is known to be a file of
// a size its kind can have.
std::string leggi_compilato(const std::filesystem::path& file, TipoFile t) {
    FileHandle h = FileHandle::open_read(file);
    if (!h.is_regular()) throw IoError(file, non_un_file);
    FonteFile fonte(h);
    controlla_dimensione(t, fonte.size());
    return tutto(fonte);
}

// The three compiled files of a scenario, the plan only when it exists (a
// scenario compiled without it has none); none, with the file and the
// reason on `err`, when one breaks its layout.
std::optional<ScenarioCompilato> leggi_scenario(const FileScenario& s, std::ostream& err) {
    std::filesystem::path file;
    TipoFile tipo = TipoFile::voci;
    try {
        file = file_sim(s);
        Voci voci = decodifica_voci(leggi_compilato(file, tipo));
        file = file_griglia_dat(s);
        tipo = TipoFile::griglia;
        std::vector<Cella> celle = decodifica_griglia(leggi_compilato(file, tipo));
        file = file_linea_dat(s);
        tipo = TipoFile::piano;
        std::optional<TabellaLinea> piano;
        if (esiste(file)) piano = decodifica_tabella_linea(leggi_compilato(file, tipo));
        return ScenarioCompilato(s.nome_linea, s.nome_treno, std::move(celle), std::move(voci), std::move(piano));
    } catch (const FileMalformato& e) {
        riporta(err, file, nome_tipo_file(tipo), e);
        return std::nullopt;
    }
}

std::uint64_t massimo_di_ogni_tipo() {
    std::uint64_t m = 0;
    for (TipoFile t : {TipoFile::griglia, TipoFile::voci, TipoFile::piano}) m = std::max(m, massimo_byte_file(t));
    return m;
}

}  // namespace

int comando_dump(const std::filesystem::path& file, FormatoDump formato, std::int32_t passo, std::ostream& out,
                 std::ostream& err) {
    FileHandle h = FileHandle::open_read(file);
    if (!h.is_regular()) throw IoError(file, non_un_file);
    FonteFile fonte(h);
    const std::optional<TipoFile> dal_nome = tipo_dal_nome(file);
    std::string_view tipo = dal_nome ? nome_tipo_file(*dal_nome) : "non riconosciuto";
    try {
        if (dal_nome) {
            // Checked whole before the first line is written, then listed as it is read again.
            try {
                scrivi_dump(out, *dal_nome, fonte, formato, passo);
            } catch (const FileMalformato& e) {
                // A file of another kind under this name says so.
                if (fonte.size() > massimo_di_ogni_tipo()) throw;
                std::optional<TipoFile> dal_contenuto;
                try {
                    dal_contenuto = riconosci_file({}, tutto(fonte));
                } catch (const FileMalformato&) {
                }
                if (!dal_contenuto || *dal_contenuto == *dal_nome) throw;
                throw FileMalformato(e.offset(), e.motivo() + "; il contenuto è quello di un file " +
                                                     std::string(nome_tipo_file(*dal_contenuto)));
            }
            return 0;
        }
        // A name of no kind: the content tells, and a compiled file is small
        // enough to be looked at whole.
        if (fonte.size() > massimo_di_ogni_tipo())
            throw FileMalformato(0, "file di " + std::to_string(fonte.size()) +
                                        " byte: nessun file compilato ne ha più di " +
                                        std::to_string(massimo_di_ogni_tipo()));
        const std::string byte = tutto(fonte);
        const TipoFile t = riconosci_file(file, byte);
        tipo = nome_tipo_file(t);
        scrivi_dump(out, t, byte, formato, passo);
        return 0;
    } catch (const FileMalformato& e) {
        riporta(err, file, tipo, e);
        return 1;
    }
}

int comando_plot(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                 const std::filesystem::path& uscita, std::ostream& err) {
    const std::optional<ScenarioCompilato> s = leggi_scenario({cartella, linea, treno}, err);
    if (!s) return 1;
    replace_file(uscita, disegna_scenario(*s));
    return 0;
}

int comando_decompile(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                      const std::filesystem::path& uscita, bool forza, std::ostream& out,
                      std::ostream& err) {
    const FileScenario dentro{cartella, linea, treno};
    const FileScenario fuori{uscita, linea, treno};
    const std::filesystem::path testo_linea = file_linea_txt(fuori);
    const std::filesystem::path testo_treno = file_treno_txt(fuori);
    // Authors keep their edits in the description files.
    if (!forza) {
        bool esistenti = false;
        for (const std::filesystem::path& f : {testo_linea, testo_treno}) {
            if (!esiste(f)) continue;
            err << "compattatore: " << path_text(f) << ": esiste già; --force per sostituirlo\n";
            esistenti = true;
        }
        if (esistenti) {
            err << "nessun file scritto\n";
            return 1;
        }
    }

    std::optional<ScenarioCompilato> letto = leggi_scenario(dentro, err);
    if (!letto) return 1;
    const ScenarioCompilato& c = *letto;

    const Decompilazione d = decompila(c);
    {
        std::error_code ec;
        std::filesystem::create_directories(uscita, ec);
        if (ec) throw IoError(uscita, system_reason(ec));
        // Both files are written before either takes its name.
        OutputSet uscite;
        uscite.add(testo_linea, d.testo_linea);
        uscite.add(testo_treno, d.testo_treno);
        uscite.commit();
    }
    out << "scritti " << path_text(testo_linea) << " e " << path_text(testo_treno) << '\n';

    const std::string sim = path_text(file_sim(dentro).filename());
    const std::string griglia = path_text(file_griglia_dat(dentro).filename());
    if (!d.riprodotti()) {
        for (const std::string& r : d.differenze) err << r << '\n';
        err << "compattatore: la descrizione scritta è la più vicina trovata: compilata, non riproduce i valori "
            << "elencati sopra (" << d.differenze.size() << (d.differenze.size() == 1 ? " riga" : " righe") << ")\n";
        return 1;
    }
    if (c.piano()) {
        out << "compile riproduce " << path_text(file_linea_dat(dentro).filename()) << ", " << sim << " e " << griglia
            << " byte per byte\n";
    } else {
        out << "manca " << path_text(file_linea_dat(dentro).filename()) << ": nessuna curva scritta; compile --no-plan "
            << "riproduce " << sim << " e " << griglia << " byte per byte\n";
    }
    if (d.codice != 0) out << "avviso: la compilazione registra il codice " << d.codice << '\n';
    return 0;
}

}  // namespace compattatore
