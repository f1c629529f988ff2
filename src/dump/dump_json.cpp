// The JSON documents of `compattatore dump`.  Every document names its kind
// in "tipo_file" and carries the raw fields under the names the tables use;
// derived values ("metri", "nome_tipo", "ruolo", "significato", the plan
// summary) stand beside them and are never needed to rebuild the file.
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>

#include "compiled/descrizione.h"
#include "dump/dump.h"
#include "format/json.h"
#include "compiled/sommario_piano.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

constexpr std::int64_t versione_formato = 1;

void intestazione(ScrittoreJson& j, TipoFile tipo, std::size_t byte) {
    j.apri_oggetto();
    j.campo_testo("formato", "compattatore-dump");
    j.campo("versione", versione_formato);
    j.campo_testo("tipo_file", nome_tipo_file(tipo));
    j.campo("byte", static_cast<std::int64_t>(byte));
}

void opzionale(ScrittoreJson& j, std::string_view chiave, std::optional<double> v) {
    j.chiave(chiave);
    if (v)
        j.reale(*v);
    else
        j.nullo();
}

// Every field of a record, under its name in the layout table; `dopo(nome)`
// runs after each field, for the derived values that stand beside it.
template <class Tabella, class R, class Dopo>
void campi_record(ScrittoreJson& j, const Tabella& campi, const R& r, Dopo&& dopo) {
    codifica::per_ogni_campo(campi, [&](const auto& c) {
        const auto& v = r.*(c.membro);
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
            j.campo_testo(c.nome, v);
        else
            j.campo(c.nome, codifica::numero(v));
        dopo(c.nome);
    });
}

std::string_view nome_stato(ValoreTabella::Stato s) {
    switch (s) {
        case ValoreTabella::Stato::vuoto: return "vuoto";
        case ValoreTabella::Stato::intero16: return "intero16";
        case ValoreTabella::Stato::reale: return "reale";
    }
    return "";
}

std::int64_t tag_di(ValoreTabella::Stato s) {
    switch (s) {
        case ValoreTabella::Stato::vuoto: return tag_vuoto;
        case ValoreTabella::Stato::intero16: return tag_intero16;
        case ValoreTabella::Stato::reale: return tag_reale;
    }
    return -1;
}

// One column as runs of rows in the same state: the plan is long runs of
// reals between a few integers and empties, so this stays compact.  One
// reader finds where each run ends, a second one follows it with the values.
void colonna(ScrittoreJson& j, const SorgentePiano& p, int c) {
    j.apri_oggetto();
    j.campo_testo("coordinata", c == 0 ? "x" : "y");
    j.chiave("tratti");
    j.apri_lista();
    const std::unique_ptr<LettoreColonna> avanti = p.colonna(c), valori = p.colonna(c);
    std::int32_t r = 0;
    ValoreTabella primo{};
    if (r < p.righe()) primo = avanti->prossimo();
    while (r < p.righe()) {
        const ValoreTabella::Stato stato = primo.stato;
        std::int32_t fine = r + 1;
        for (; fine < p.righe(); ++fine) {
            primo = avanti->prossimo();
            if (primo.stato != stato) break;
        }
        j.apri_oggetto(true);
        j.campo("prima_riga", r);
        j.campo("righe", fine - r);
        j.campo("tag", tag_di(stato));
        j.campo_testo("stato", nome_stato(stato));
        if (stato != ValoreTabella::Stato::vuoto) {
            j.chiave("valori");
            j.apri_lista(true);
        }
        for (std::int32_t k = r; k < fine; ++k) {
            const ValoreTabella v = valori->prossimo();
            if (stato == ValoreTabella::Stato::intero16)
                j.intero(static_cast<std::int64_t>(v.valore));
            else if (stato == ValoreTabella::Stato::reale)
                j.reale(v.valore);
        }
        if (stato != ValoreTabella::Stato::vuoto) j.chiudi_lista();
        j.chiudi_oggetto();
        r = fine;
    }
    j.chiudi_lista();
    j.chiudi_oggetto();
}

}  // namespace

void json_griglia(std::ostream& out, std::size_t numero, const PerOgniCella& celle) {
    ScrittoreJson j(out);
    intestazione(j, TipoFile::griglia, numero * byte_cella);
    j.campo("numero_celle", static_cast<std::int64_t>(numero) - 1);
    j.chiave("celle");
    j.apri_lista();
    celle([&j](std::size_t k, const Cella& c) {
        if (cella_vuota(c)) return;
        j.apri_oggetto(true);
        j.campo("indice", static_cast<std::int64_t>(k));
        j.campo("metri", metro_di_cella(static_cast<std::int64_t>(k)));
        campi_record(j, campi_cella, c, [&](std::string_view campo) {
            if (campo == "tipo") j.campo_testo("nome_tipo", nome_tipo_cella(c.tipo));
        });
        j.campo_testo("dettaglio", dettaglio_cella(c));
        j.chiudi_oggetto();
    });
    j.chiudi_lista();
    j.chiudi_oggetto();
    j.fine();
}

void json_griglia(std::ostream& out, const std::vector<Cella>& celle) {
    json_griglia(out, celle.size(), celle_di(celle));
}

void json_voci(std::ostream& out, const Voci& voci, std::size_t byte) {
    const auto ruoli = ripartisci_voci(voci).ruoli;
    ScrittoreJson j(out);
    intestazione(j, TipoFile::voci, byte);
    j.chiave("voci");
    j.apri_lista();
    std::size_t offset = 0;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const Voce& v = voci[i];
        j.apri_oggetto(true);
        j.campo("voce", static_cast<std::int64_t>(i));
        j.campo("offset", static_cast<std::int64_t>(offset));
        j.campo_testo("ruolo", nome_ruolo(ruoli[i]));
        campi_record(j, campi_voce, v, [](std::string_view) {});
        j.campo_testo("significato", significato_voce(voci, static_cast<int>(i), ruoli[i]));
        j.chiudi_oggetto();
        offset += codifica::byte_record(campi_voce, v);
    }
    j.chiudi_lista();
    j.chiudi_oggetto();
    j.fine();
}

void json_piano(std::ostream& out, const SorgentePiano& p, std::size_t byte, std::int32_t passo) {
    const SommarioPiano s = riassumi_sorgente(p, passo);
    ScrittoreJson j(out);
    intestazione(j, TipoFile::piano, byte);
    j.campo("righe", s.righe);
    j.campo("lunghezza_estesa", s.righe - 1);
    j.chiave("sommario");
    j.apri_oggetto();
    j.campo("elementi_vuoti", s.vuoti);
    j.campo("elementi_interi", s.interi);
    j.campo("elementi_reali", s.reali);
    j.campo("righe_con_punto", s.righe_con_punto);
    j.campo("prima_riga", s.prima_riga);
    j.campo("ultima_riga", s.ultima_riga);
    j.chiave("riquadro");
    if (s.righe_con_punto == 0) {
        j.nullo();
    } else {
        j.apri_oggetto(true);
        j.campo_reale("x_min", s.x_min);
        j.campo_reale("x_max", s.x_max);
        j.campo_reale("y_min", s.y_min);
        j.campo_reale("y_max", s.y_max);
        j.chiudi_oggetto();
    }
    j.campo_reale("sviluppo", s.sviluppo);
    j.campo("passo", s.passo);
    j.chiave("punti");
    j.apri_lista();
    per_ogni_punto(p, passo, [&j](const PuntoPiano& q, std::optional<double> r) {
        j.apri_oggetto(true);
        j.campo("metro", q.metro);
        opzionale(j, "x", q.x);
        opzionale(j, "y", q.y);
        opzionale(j, "rotta", r);
        j.chiudi_oggetto();
    });
    j.chiudi_lista();
    j.chiudi_oggetto();
    j.chiave("colonne");
    j.apri_lista();
    colonna(j, p, 0);
    colonna(j, p, 1);
    j.chiudi_lista();
    j.chiudi_oggetto();
    j.fine();
}

void json_piano(std::ostream& out, const TabellaLinea& t, std::size_t byte, std::int32_t passo) {
    json_piano(out, SorgenteTabella(t), byte, passo);
}

}  // namespace compattatore
