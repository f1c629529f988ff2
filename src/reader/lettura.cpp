#include "reader/lettura.h"

#include <algorithm>
#include <limits>
#include <span>
#include <utility>

#include "reader/avvisi.h"
#include "reader/parole_chiave.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

void apri(Lettura& l, Testo quale, std::string_view testo) {
    l.testo_corrente = quale;
    l.file_corrente = l.testi.nomi[static_cast<std::size_t>(quale)];
    l.record.reset();
    l.campi.emplace(testo);
    l.ricordi.dopo_fine = false;
    l.ricordi.riga_silenziata = 0;
    l.ricordi.ultimo_record = nullptr;
    l.ricordi.riga_ultimo_record = 0;
}

void chiudi(Lettura& l) {
    l.campi.reset();
    l.record.reset();
}

Luogo luogo_di(const Lettura& l, Testo quale, const PosizioneCampo& p) {
    return luogo_del_record(l.testi, {static_cast<std::uint8_t>(quale), p.riga, p.colonna, p.inizio_riga, p.larghezza});
}

Luogo luogo_campo(const Lettura& l, int campo) {
    if (!l.campi || !l.record) return luogo_file(l.file_corrente);
    const std::vector<PosizioneCampo>& campi = l.campi->campi_record();
    if (campi.empty() || campo < 0) return luogo_di(l, l.testo_corrente, *l.record);
    const std::size_t i = std::min(static_cast<std::size_t>(campo), campi.size() - 1);
    return luogo_di(l, l.testo_corrente, campi[i]);
}

LuogoRecord record_corrente(const Lettura& l, int campo) {
    PosizioneCampo p = l.record.value_or(PosizioneCampo{});
    if (l.campi) {
        const std::vector<PosizioneCampo>& campi = l.campi->campi_record();
        if (!campi.empty() && campo >= 0) p = campi[std::min(static_cast<std::size_t>(campo), campi.size() - 1)];
    }
    return {static_cast<std::uint8_t>(l.testo_corrente), p.riga, p.colonna, p.inizio_riga, p.larghezza};
}

namespace {

// Which field of the current record a diagnostic at `luogo` points at,
// named as the format describes it: "campo 3 di 17: lunghezza del
// marciapiede, in m, da 0 a 1000000, multiplo di 100".  Nothing when it
// points at the keyword or at no field of the record.
std::optional<std::string> nota_del_campo(const Lettura& l, const Luogo& luogo) {
    if (!l.record_formato || !l.campi || luogo.file != l.file_corrente) return std::nullopt;
    const std::vector<PosizioneCampo>& letti = l.campi->campi_record();
    const std::span<const Campo> campi = l.record_formato->campi;
    for (std::size_t i = 1; i < letti.size() && i <= campi.size(); ++i) {
        if (letti[i].riga != luogo.riga || letti[i].colonna != luogo.colonna) continue;
        const Campo& c = campi[i - 1];
        std::string t = "campo " + std::to_string(i) + " di " + std::to_string(campi.size()) + ": " + std::string(c.nome);
        if (!c.unita.empty()) t += ", in " + std::string(c.unita);
        if (c.tipo == TipoCampo::testo) {
            t += ", al più " + std::to_string(c.massimo) + " caratteri";
        } else {
            t += ", da " + std::to_string(c.minimo) + " a " + std::to_string(c.massimo);
            if (c.multiplo != 0) t += ", multiplo di " + std::to_string(c.multiplo);
        }
        return t;
    }
    return std::nullopt;
}

void nomina_il_campo(const Lettura& l, const Luogo& luogo, std::vector<std::string>& note) {
    std::optional<std::string> n = nota_del_campo(l, luogo);
    if (!n) return;
    // A note that only repeats the field's range gives way to it.
    const std::size_t da = n->find(", da ");
    if (da != std::string::npos) {
        const std::string campo = "il campo va" + n->substr(da + 1);
        std::erase_if(note, [&campo](const std::string& x) { return x == campo; });
    }
    note.insert(note.begin(), std::move(*n));
}

}  // namespace

void registra_errore(Lettura& l, Codice codice, std::optional<std::int32_t> posizione, Luogo luogo,
                     std::string messaggio, std::vector<std::string> note) {
    nomina_il_campo(l, luogo, note);
    if (posizione) l.esito.posizione_errore = *posizione;
    l.esito.codice = codice;
    if (solo_contato(l, Gravita::errore)) return;
    l.esito.origine = luogo;
    Diagnostica d;
    d.gravita = Gravita::errore;
    d.numero = numero(codice);
    d.messaggio = messaggio.empty() ? std::string(spiegazione_codice(codice)) : std::move(messaggio);
    d.posizione = posizione;
    d.luogo = std::move(luogo);
    d.note = std::move(note);
    l.esito.aggiungi(std::move(d));
}

void errore_senza_codice(Lettura& l, Luogo luogo, std::string messaggio, std::vector<std::string> note) {
    Diagnostica d;
    d.gravita = Gravita::errore;
    d.messaggio = std::move(messaggio);
    d.luogo = std::move(luogo);
    d.note = std::move(note);
    l.esito.aggiungi(std::move(d));
}

void avviso(Lettura& l, Avviso quale, std::string messaggio, Luogo luogo, std::vector<std::string> note) {
    nomina_il_campo(l, luogo, note);
    Diagnostica d;
    d.gravita = Gravita::avviso;
    d.nome = std::string(nome_avviso(quale));
    d.messaggio = std::move(messaggio);
    d.luogo = std::move(luogo);
    d.note = std::move(note);
    l.esito.aggiungi(std::move(d));
}

bool solo_contato(Lettura& l, Gravita g) {
    if (l.esito.elenca(g) || (g == Gravita::errore && !l.controllo)) return false;
    l.esito.tralascia(g);
    return true;
}

namespace {

Esito ferma_a(Lettura& l, Codice codice, std::optional<std::int32_t> posizione, int campo,
              std::vector<std::string> note) {
    // The place is worked out only for an error that will be listed.
    const bool listato = l.esito.elenca(Gravita::errore) || !l.controllo;
    registra_errore(l, codice, posizione, listato ? luogo_campo(l, campo) : Luogo{}, {}, std::move(note));
    if (l.controllo) return Esito::salta;
    chiudi(l);
    return Esito::fermo;
}

}  // namespace

Esito ferma(Lettura& l, Codice codice, int campo, std::vector<std::string> note) {
    return ferma_a(l, codice, std::nullopt, campo, std::move(note));
}

Esito ferma(Lettura& l, Codice codice, std::int32_t posizione, int campo, std::vector<std::string> note) {
    return ferma_a(l, codice, posizione, campo, std::move(note));
}

bool leggi_chiave(Lettura& l, std::string& chiave) {
    LettoreCampi& f = l.f();
    if (f.fine()) return false;
    f.inizia_record();
    l.record_formato = nullptr;
    chiave = f.leggi_stringa();
    l.record = f.posizione_campo();
    if (f.fine()) return false;
    // A field with a hyphen is a comment; at most two in a row are passed over.
    for (int salti = 0; salti < 2 && contiene(chiave, "-"); ++salti) {
        numero_in_piu(l, chiave, *l.record);
        f.inizia_record();
        chiave = f.leggi_stringa();
        l.record = f.posizione_campo();
        if (f.fine()) return false;
    }
    return true;
}

void senza_lunghezza(const Lettura& l) {
    GuastoImprevisto g("manca \"lunghezza percorso\" nella sezione [generale]", -1, true,
                       {"la lunghezza del percorso dimensiona la griglia e il tracciato"});
    g.record = l.ricordi.generale_linea;
    throw g;
}

Esito dentro_griglia(Lettura& l, std::int32_t posizione, int campo) {
    if (!l.s.griglia_esiste())
        throw GuastoImprevisto("record prima della lunghezza del percorso", 0, true,
                               {"la griglia nasce da \"lunghezza percorso\" nella sezione [generale]: "
                                "senza di essa nessun record ha un posto"});
    if ((static_cast<double>(posizione) + 100.0) / lunghezza_cella > static_cast<double>(l.s.numero_celle)) {
        const std::int64_t ultima = static_cast<std::int64_t>(l.s.numero_celle) * lunghezza_cella - 100;
        registra_errore(l, Codice::oltre_la_griglia, posizione, luogo_campo(l, campo), {},
                        {"l'ultima posizione accettata è " + std::to_string(ultima) +
                         " m: la lunghezza del percorso più " + std::to_string(prolungamento_linea) + " m, meno 100"});
        return l.controllo ? Esito::salta : Esito::fine_file;
    }
    oltre_fine_linea(l, posizione, campo, nome_record(*l.record_formato));
    return Esito::avanti;
}

Cella& cella(Lettura& l, std::int64_t indice) {
    Cella* c = cella_se_presente(l.s.celle, indice);
    if (!c) throw GuastoImprevisto("posizione fuori dalla griglia", 1, false, {"la posizione cade prima della cella 0"});
    return *c;
}

Cella* cella_se_presente(std::vector<Cella>& celle, std::int64_t indice) {
    if (indice < 0 || indice >= static_cast<std::int64_t>(celle.size())) return nullptr;
    return &celle[static_cast<std::size_t>(indice)];
}

Esito dopo_posa(Lettura& l, Codice da_posa, std::int32_t posizione, std::int64_t cella_occupata) {
    if (da_posa == Codice::guasto) throw GuastoImprevisto("valore fuori dal suo campo nella griglia", -1);
    if (da_posa != Codice::nessuno)
        return ferma(l, da_posa, posizione, 1, {"la " + nome_cella(cella_occupata) + " contiene già " +
                                                cosa_occupa(l, cella_occupata)});
    if (l.controllo || l.esito.codice == Codice::nessuno) return Esito::avanti;

    // A code standing from before stops the compilation here; the code keeps
    // the place of the record that caused it.
    if (l.esito.codice == Codice::guasto) throw GuastoImprevisto("valore che non entra nella griglia");
    l.esito.posizione_errore = posizione;
    for (auto d = l.esito.diagnostiche.rbegin(); d != l.esito.diagnostiche.rend(); ++d) {
        if (d->gravita != Gravita::errore) continue;
        const Luogo qui = luogo_campo(l, 0);
        d->note.push_back("la lettura del treno si è fermata per questo codice al record di " + qui.file + ":" +
                          std::to_string(qui.riga));
        break;
    }
    chiudi(l);
    return Esito::fermo;
}

void segna_provenienza(Lettura& l, std::int64_t c) {
    Provenienze& p = l.provenienze;
    if (c < 0 || c >= static_cast<std::int64_t>(p.celle.size())) return;
    // The record is named by its position field.
    const LuogoRecord r = record_corrente(l, 1);
    if (p.record.empty()) p.record.push_back({});
    const LuogoRecord& ultimo = p.record.back();
    if (p.record.size() == 1 || ultimo.testo != r.testo || ultimo.riga != r.riga || ultimo.colonna != r.colonna)
        p.record.push_back(r);
    p.celle[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(p.record.size() - 1);
}

std::string cosa_occupa(const Lettura& l, std::int64_t c) {
    return cosa_contiene(l.provenienze, l.testi, l.s.celle, c);
}

std::int32_t in_32(std::int64_t valore, int campo) {
    if (valore < std::numeric_limits<std::int32_t>::min() || valore > std::numeric_limits<std::int32_t>::max())
        throw GuastoImprevisto("valore calcolato oltre i 32 bit", campo);
    return static_cast<std::int32_t>(valore);
}

std::int16_t in_16(std::int64_t valore, int campo) {
    if (valore < std::numeric_limits<std::int16_t>::min() || valore > std::numeric_limits<std::int16_t>::max())
        throw GuastoImprevisto("valore oltre il campo di 16 bit", campo, false, {"il campo va da -32768 a 32767"});
    return static_cast<std::int16_t>(valore);
}

std::string testo_di_voce(std::string testo, int campo) {
    if (testo.size() > std::numeric_limits<std::uint16_t>::max())
        throw GuastoImprevisto("testo troppo lungo", campo, false,
                               {"un testo ha al più 65535 byte; questo ne ha " + std::to_string(testo.size())});
    return testo;
}

Esito guasto(Lettura& l, const std::string& messaggio, int campo, bool definitivo, std::vector<std::string> note,
             std::optional<Luogo> dove) {
    registra_errore(l, Codice::guasto, std::nullopt, dove ? std::move(*dove) : luogo_campo(l, campo), messaggio,
                    std::move(note));
    if (l.controllo) return definitivo ? Esito::fermo : Esito::salta;
    // An unexpected failure consumes both description texts.
    chiudi(l);
    l.esito.letta_linea = true;
    l.esito.letto_treno = true;
    return Esito::fermo;
}

namespace {

// The fields of the current record that its line does not hold.
std::span<const Campo> campi_assenti(const Lettura& l) {
    if (!l.record_formato || !l.campi) return {};
    const std::span<const Campo> campi = l.record_formato->campi;
    const std::size_t letti = l.campi->campi_record().empty() ? 0 : l.campi->campi_record().size() - 1;
    return campi.subspan(std::min(letti, campi.size()));
}

std::string campi_mancanti(const Lettura& l) {
    const std::span<const Campo> assenti = campi_assenti(l);
    const std::string record = "del record \"" + std::string(l.record_formato ? nome_record(*l.record_formato) : std::string_view{}) + "\"";
    if (assenti.size() == 1) return "manca il campo \"" + std::string(assenti.front().nome) + "\" " + record;
    std::string nomi;
    for (const Campo& c : assenti) nomi += (nomi.empty() ? "" : ", ") + std::string(c.nome);
    return "mancano " + std::to_string(assenti.size()) + " campi " + record + ": " + nomi;
}

std::string nota_campi(const Lettura& l) {
    const std::size_t tutti = l.record_formato ? l.record_formato->campi.size() : 0;
    const std::size_t scritti = tutti - campi_assenti(l).size();
    return "un record sta tutto su una riga: \"" + std::string(l.record_formato ? nome_record(*l.record_formato) : std::string_view{}) + "\" ha " + std::to_string(tutti) +
           (tutti == 1 ? " campo" : " campi") + ", questa riga ne ha " + std::to_string(scritti);
}

}  // namespace

Esito guasto_campo(Lettura& l, const GuastoCampo& g) {
    const Luogo qui = luogo_di(l, l.testo_corrente, g.campo);
    switch (g.causa) {
        case GuastoCampo::Causa::fine_dati:
            return guasto(l, "il file finisce dentro il record: manca un campo", 0, false,
                          {"il record ha meno campi di quelli che la sua parola chiave chiede"},
                          l.record ? std::nullopt : std::optional<Luogo>(qui));
        case GuastoCampo::Causa::mancante: return guasto(l, campi_mancanti(l), -1, false, {nota_campi(l)}, qui);
        case GuastoCampo::Causa::non_numero: {
            const std::size_t da =
                std::min(qui.testo.size(), static_cast<std::size_t>(std::max(0, qui.colonna - qui.inizio_testo)));
            const std::string valore = qui.testo.substr(da, static_cast<std::size_t>(std::min(qui.larghezza, 40)));
            return guasto(l, "\"" + valore + "\" non è un numero", -1, false,
                          {"qui va un numero intero, senza decimali (un campo vuoto vale 0)"}, qui);
        }
        case GuastoCampo::Causa::fuori_campo:
            return guasto(l, g.sopra ? "numero troppo grande per il suo campo" : "numero troppo piccolo per il suo campo",
                          -1, false,
                          {"il campo va da " + std::to_string(g.minimo) + " a " + std::to_string(g.massimo)}, qui);
        case GuastoCampo::Causa::virgolette:
            return guasto(l, "virgolette non chiuse sulla riga", -1, false, {}, qui);
    }
    return Esito::fermo;
}

}  // namespace compattatore::lettore
