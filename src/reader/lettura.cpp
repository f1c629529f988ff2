#include "reader/lettura.h"

#include <limits>
#include <utility>

#include "reader/parole_chiave.h"

namespace compattatore::lettore {

void apri(Lettura& l, std::string file, std::string_view testo) {
    l.file_corrente = std::move(file);
    l.record.reset();
    l.campi.emplace(testo);
}

void chiudi(Lettura& l) {
    l.campi.reset();
    l.record.reset();
}

void registra_codice(Lettura& l, Codice codice) {
    l.esito.codice = codice;
    if (l.record && l.campi) {
        l.esito.origine = {l.file_corrente, l.record->riga, l.record->colonna, l.campi->testo_riga(*l.record)};
    } else {
        l.esito.origine = {};
    }
}

Esito ferma(Lettura& l, Codice codice) {
    registra_codice(l, codice);
    chiudi(l);
    return Esito::fermo;
}

Esito ferma(Lettura& l, Codice codice, std::int32_t posizione) {
    l.esito.posizione_errore = posizione;
    return ferma(l, codice);
}

bool leggi_chiave(Lettura& l, std::string& chiave) {
    LettoreCampi& f = l.f();
    if (f.fine()) return false;
    chiave = f.leggi_stringa();
    l.record = f.posizione_campo();
    if (f.fine()) return false;
    // A field with a hyphen is a comment; at most two in a row are passed over.
    for (int salti = 0; salti < 2 && contiene(chiave, "-"); ++salti) {
        chiave = f.leggi_stringa();
        l.record = f.posizione_campo();
        if (f.fine()) return false;
    }
    return true;
}

bool oltre_griglia(Lettura& l, std::int32_t posizione) {
    if (!l.s.griglia_esiste()) throw GuastoImprevisto("record prima della lunghezza della linea");
    if ((static_cast<double>(posizione) + 100.0) / 50.0 > static_cast<double>(l.s.numero_celle)) {
        l.esito.posizione_errore = posizione;
        registra_codice(l, Codice::oltre_la_griglia);
        return true;
    }
    return false;
}

Cella& cella(Lettura& l, std::int64_t indice) {
    Cella* c = cella_se_presente(l.s.celle, indice);
    if (!c) throw GuastoImprevisto("cella fuori dalla griglia");
    return *c;
}

Cella* cella_se_presente(std::vector<Cella>& celle, std::int64_t indice) {
    if (indice < 0 || indice >= static_cast<std::int64_t>(celle.size())) return nullptr;
    return &celle[static_cast<std::size_t>(indice)];
}

Esito dopo_posa(Lettura& l, Codice da_posa, std::int32_t posizione) {
    const Codice c = da_posa != Codice::nessuno ? da_posa : l.esito.codice;
    if (c == Codice::guasto) throw GuastoImprevisto("valore che non entra nella griglia");
    if (c != Codice::nessuno) return ferma(l, c, posizione);
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
