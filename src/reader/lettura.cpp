#include "reader/lettura.h"

#include <limits>
#include <system_error>

#include "platform/file_io.h"
#include "reader/parole_chiave.h"
#include "tables/nomi_file.h"

namespace compattatore::lettore {

Lettura::Lettura(Scenario& scenario)
    : s(scenario), file_linea(file_linea_txt(scenario)), file_treno(file_treno_txt(scenario)) {}

bool esiste_file(const std::filesystem::path& file) {
    std::error_code ec;
    const bool c = std::filesystem::exists(file, ec);
    if (ec) throw ErroreIO(file, ec.message());
    return c;
}

void apri(Lettura& l, const std::filesystem::path& file) {
    l.file_corrente = file;
    l.record.reset();
    l.campi.emplace(leggi_file(file));
}

void chiudi_ed_elimina(Lettura& l) {
    l.campi.reset();
    l.record.reset();
    elimina_sorgente(l.s, l.file_corrente);
}

void elimina_sorgente(const Scenario& s, const std::filesystem::path& file) {
    if (s.elimina_sorgenti) elimina_file(file);
}

void registra_codice(Lettura& l, std::int32_t codice) {
    l.s.codice_errore = codice;
    if (l.record && l.campi) {
        l.s.origine_errore = {l.file_corrente.filename().string(), l.record->riga,
                              l.campi->testo_riga(*l.record)};
    } else {
        l.s.origine_errore = {};
    }
}

Esito ferma(Lettura& l, std::int32_t codice) {
    registra_codice(l, codice);
    chiudi_ed_elimina(l);
    return Esito::fermo;
}

Esito ferma(Lettura& l, std::int32_t codice, std::int32_t posizione) {
    l.s.posizione_errore = posizione;
    return ferma(l, codice);
}

bool leggi_chiave(Lettura& l) {
    LettoreCampi& f = l.f();
    if (f.fine()) return false;
    l.s.riga = f.leggi_stringa();
    l.record = f.posizione_campo();
    if (f.fine()) return false;
    // A field with a hyphen is a comment; at most two in a row are passed over.
    for (int salti = 0; salti < 2 && contiene(l.s.riga, "-"); ++salti) {
        l.s.riga = f.leggi_stringa();
        l.record = f.posizione_campo();
        if (f.fine()) return false;
    }
    return true;
}

bool oltre_griglia(Lettura& l, std::int32_t posizione) {
    if (!l.s.griglia_esiste()) throw GuastoImprevisto("record prima della lunghezza della linea");
    if ((static_cast<double>(posizione) + 100.0) / 50.0 > static_cast<double>(l.s.numero_celle)) {
        l.s.posizione_errore = posizione;
        registra_codice(l, 15);
        return true;
    }
    return false;
}

Cella& cella(Lettura& l, std::int64_t indice) {
    Cella* c = cella_se_presente(l.s, indice);
    if (!c) throw GuastoImprevisto("cella fuori dalla griglia");
    return *c;
}

Cella* cella_se_presente(Scenario& s, std::int64_t indice) {
    if (indice < 0 || indice >= static_cast<std::int64_t>(s.celle.size())) return nullptr;
    return &s.celle[static_cast<std::size_t>(indice)];
}

Esito dopo_posa(Lettura& l, std::int32_t posizione) {
    if (l.s.codice_errore == 25) throw GuastoImprevisto("valore che non entra nella griglia");
    if (l.s.codice_errore > 0) return ferma(l, l.s.codice_errore, posizione);
    return Esito::avanti;
}

std::int32_t in_32(std::int64_t valore) {
    if (valore < std::numeric_limits<std::int32_t>::min() || valore > std::numeric_limits<std::int32_t>::max())
        throw GuastoImprevisto("valore oltre 32 bit");
    return static_cast<std::int32_t>(valore);
}

std::int16_t in_16(std::int64_t valore) {
    if (valore < std::numeric_limits<std::int16_t>::min() || valore > std::numeric_limits<std::int16_t>::max())
        throw GuastoImprevisto("valore oltre 16 bit");
    return static_cast<std::int16_t>(valore);
}

std::string testo_di_voce(std::string testo) {
    if (testo.size() > std::numeric_limits<std::uint16_t>::max()) throw GuastoImprevisto("testo oltre 65535 byte");
    return testo;
}

}  // namespace compattatore::lettore
