#include "authoring/comandi.h"

#include <ostream>
#include <sstream>

#include "authoring/grafico.h"
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

// Reads and decodes one compiled file; `tipo` names it in a report.
template <class Decodifica>
auto decodifica_file(const std::filesystem::path& file, TipoFile tipo, Decodifica&& decodifica,
                     std::filesystem::path& in_lettura, std::string_view& tipo_in_lettura) {
    in_lettura = file;
    tipo_in_lettura = nome_tipo_file(tipo);
    const MappedFile f(file);
    return decodifica(f.bytes());
}

// Whether `file` exists; a folder that cannot be searched is an I/O failure.
bool esiste(const std::filesystem::path& file) {
    std::error_code ec;
    const bool c_e = std::filesystem::exists(file, ec);
    if (ec) throw IoError(file, system_reason(ec));
    return c_e;
}

}  // namespace

int comando_dump(const std::filesystem::path& file, FormatoDump formato, std::int32_t passo, std::ostream& out,
                 std::ostream& err) {
    const std::string byte = read_file(file);
    std::string_view tipo = "non riconosciuto";
    try {
        const TipoFile t = riconosci_file(file, byte);
        tipo = nome_tipo_file(t);
        // The whole listing is built before anything is printed, so a file
        // that breaks down half-way prints nothing but the error.
        std::ostringstream listato;
        scrivi_dump(listato, t, byte, formato, passo);
        out << listato.str();
        return 0;
    } catch (const FileMalformato& e) {
        riporta(err, file, tipo, e);
        return 1;
    }
}

int comando_plot(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                 const std::filesystem::path& uscita, std::ostream& err) {
    const FileScenario s{cartella, linea, treno};
    std::filesystem::path file;
    std::string_view tipo;
    try {
        file = file_sim(s);
        tipo = nome_tipo_file(TipoFile::voci);
        const Voci voci = decodifica_voci(read_file(file));
        file = file_griglia_dat(s);
        tipo = nome_tipo_file(TipoFile::griglia);
        const std::vector<Cella> celle = decodifica_griglia(read_file(file));
        file = file_linea_dat(s);
        tipo = nome_tipo_file(TipoFile::piano);
        TabellaLinea piano;
        const bool con_piano = std::filesystem::exists(file);
        if (con_piano) piano = decodifica_tabella_linea(read_file(file));
        replace_file(uscita, disegna_scenario(celle, voci, con_piano ? &piano : nullptr));
        return 0;
    } catch (const FileMalformato& e) {
        riporta(err, file, tipo, e);
        return 1;
    }
}

int comando_decompile(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                      const std::filesystem::path& uscita, bool forza, const Compilatore& compila, std::ostream& out,
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

    Compilati c;
    c.nome_linea = linea;
    c.nome_treno = treno;
    std::filesystem::path file;
    std::string_view tipo;
    try {
        c.voci = decodifica_file(file_sim(dentro), TipoFile::voci, decodifica_voci, file, tipo);
        c.celle = decodifica_file(file_griglia_dat(dentro), TipoFile::griglia, decodifica_griglia, file, tipo);
        if (esiste(file_linea_dat(dentro)))
            c.piano = decodifica_file(file_linea_dat(dentro), TipoFile::piano, decodifica_tabella_linea, file, tipo);
    } catch (const FileMalformato& e) {
        riporta(err, file, tipo, e);
        return 1;
    }

    const Decompilazione d = decompila(c, compila);
    {
        std::error_code ec;
        std::filesystem::create_directories(uscita, ec);
        if (ec) throw IoError(uscita, system_reason(ec));
        // Both files are written before either takes its name.
        ReplacedFile l(testo_linea);
        ReplacedFile t(testo_treno);
        l.write(d.testo_linea);
        t.write(d.testo_treno);
        l.commit();
        t.commit();
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
    if (c.piano) {
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
