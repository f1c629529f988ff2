#include "app/fallimenti.h"

#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "app/scenari_cartella.h"
#include "finishing/finitura.h"
#include "format/json.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace {

// A failure as it is told: its status, the message without the program's
// name, and the file it concerns.
struct Fallimento {
    StatoUscita stato;
    std::string messaggio;
    std::optional<std::string> file;
    bool col_nome = true;  // the message starts with "compattatore: "
};

// The name standard output goes by in a message.
constexpr const char* uscita_standard = "uscita standard";

std::optional<Fallimento> esegui(const std::function<StatoUscita()>& comando, StatoUscita& stato) {
    try {
        stato = comando();
        return std::nullopt;
    } catch (const ScenarioDaScegliere& e) {
        return Fallimento{stato::non_riuscito, e.what(), std::nullopt};
    } catch (const ErroreSegnalato& e) {
        return Fallimento{stato::non_riuscito, e.what(), std::nullopt, false};
    } catch (const IoError& e) {
        return Fallimento{stato::errore_io, path_text(e.file()) + ": " + e.reason(), path_text(e.file())};
    } catch (const std::bad_alloc&) {
        return Fallimento{stato::memoria_insufficiente, "memoria insufficiente per completare il lavoro",
                          std::nullopt};
    }
}

void di(std::ostream& err, const Fallimento& f) { err << (f.col_nome ? "compattatore: " : "") << f.messaggio << '\n'; }

// A write to `out` that failed, with the system's reason: that of the
// failed write when it is still known (a failed write leaves the stream
// failing, and nothing is written after it), else that of the final flush.
std::optional<Fallimento> scrittura_fallita(std::ostream& out) {
    if (out.good()) {
        clear_system_error();
        out.flush();
        if (out.good()) return std::nullopt;
    }
    const unsigned long codice = last_system_error();
    const std::string motivo = codice != 0 ? system_reason(codice) : std::string("scrittura non riuscita");
    return Fallimento{stato::errore_io, std::string(uscita_standard) + ": " + motivo, uscita_standard};
}

}  // namespace

void scrivi_fallimento_json(std::ostream& out, StatoUscita stato, std::string_view spiegazione,
                            const std::optional<std::string>& file) {
    ScrittoreJson j(out);
    j.apri_oggetto(true);
    j.campo("stato", stato);
    j.chiave("spiegazione");
    j.testo_utf8(spiegazione);
    j.chiave("file");
    if (file)
        j.testo_utf8(*file);
    else
        j.nullo();
    j.chiudi_oggetto();
    j.fine();
}

StatoUscita riporta_fallimenti(const std::function<StatoUscita()>& comando, std::ostream& err) {
    StatoUscita stato = stato::riuscito;
    if (const std::optional<Fallimento> f = esegui(comando, stato)) {
        di(err, *f);
        return f->stato;
    }
    return stato;
}

StatoUscita riporta_fallimenti(const std::function<StatoUscita()>& comando, std::ostream& out, std::ostream& err,
                               bool json) {
    StatoUscita stato = stato::riuscito;
    std::optional<Fallimento> f = esegui(comando, stato);
    if (f) {
        di(err, *f);
        if (json) scrivi_fallimento_json(out, f->stato, f->messaggio, f->file);
        stato = f->stato;
    }
    if (const std::optional<Fallimento> fallita = scrittura_fallita(out)) {
        di(err, *fallita);
        return fallita->stato;
    }
    return stato;
}

}  // namespace compattatore
