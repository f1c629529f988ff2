#include "compiled/decodifica.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/paths.h"
#include "tables/codifica.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

std::string n(std::size_t v) { return std::to_string(v); }

bool finisce_con(std::string nome, std::string_view coda) {
    std::transform(nome.begin(), nome.end(), nome.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return nome.size() >= coda.size() && nome.compare(nome.size() - coda.size(), coda.size(), coda) == 0;
}

}  // namespace

std::uint64_t massimo_byte_file(TipoFile t) {
    constexpr std::uint64_t celle = 20141, righe = 1007001;
    switch (t) {
        case TipoFile::griglia: return celle * byte_cella;
        case TipoFile::voci: return (ultima_voce + 1) * (byte_voce_fissi + 65535);
        case TipoFile::piano: return righe * 2 * slot_piano::byte;
    }
    return 0;
}

void controlla_dimensione(TipoFile t, std::uint64_t byte) {
    const std::uint64_t massimo = massimo_byte_file(t);
    if (byte > massimo)
        throw FileMalformato(0, "file di " + std::to_string(byte) + " byte: un file " +
                                    std::string(nome_tipo_file(t)) + " ne ha al massimo " +
                                    std::to_string(massimo));
}

namespace {

// The codes of the cell types as runs: "da 0 a 6 o da 10 a 14".
std::string tipi_cella_ammessi() {
    std::string r;
    for (std::size_t i = 0; i < tipi_cella.size();) {
        std::size_t j = i;
        while (j + 1 < tipi_cella.size() &&
               codice_tipo_cella(tipi_cella[j + 1].codice) == codice_tipo_cella(tipi_cella[j].codice) + 1)
            ++j;
        if (!r.empty()) r += " o ";
        r += "da " + n(codice_tipo_cella(tipi_cella[i].codice)) + " a " + n(codice_tipo_cella(tipi_cella[j].codice));
        i = j + 1;
    }
    return r;
}

}  // namespace

void per_ogni_cella(FonteByte& fonte, bool tipi_noti, const std::function<void(std::size_t, const Cella&)>& cella) {
    const std::uint64_t byte = fonte.size();
    if (byte == 0) throw FileMalformato(0, "file della griglia vuoto: serve almeno una cella di 15 byte");
    controlla_dimensione(TipoFile::griglia, byte);
    const std::size_t resto = static_cast<std::size_t>(byte % byte_cella);
    if (resto != 0) {
        const std::size_t at = static_cast<std::size_t>(byte) - resto;
        throw FileMalformato(at, "cella " + n(at / byte_cella) + " troncata: restano " + n(resto) +
                                     " byte dei 15 di una cella (lunghezza " + n(static_cast<std::size_t>(byte)) +
                                     " non multipla di 15)");
    }
    const std::size_t numero = static_cast<std::size_t>(byte / byte_cella);
    // First every cell checked, then every cell handed over.
    for (const bool consegna : {false, true}) {
        Cursore c(fonte, 0);
        for (std::size_t k = 0; k < numero; ++k) {
            Cella x;
            codifica::leggi_record(campi_cella, x, c.prendi(byte_cella));
            if (!consegna && tipi_noti && !tipo_cella_noto(x.tipo))
                throw FileMalformato(k * byte_cella, "cella " + n(k) + ": tipo " + n(codice_tipo_cella(x.tipo)) +
                                                         " sconosciuto (una cella ha tipo " + tipi_cella_ammessi() + ")");
            if (consegna) cella(k, x);
        }
    }
}

std::vector<Cella> decodifica_griglia(std::string_view byte) {
    FonteMemoria fonte(byte);
    std::vector<Cella> celle;
    per_ogni_cella(fonte, false, [&celle](std::size_t, const Cella& c) { celle.push_back(c); });
    return celle;
}

Voci decodifica_voci(std::string_view byte) {
    Voci voci{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const std::size_t restano = byte.size() - at;
        if (restano < byte_testa_voce)
            throw FileMalformato(at, "voce " + n(i) + " troncata: il file finisce all'offset " + n(byte.size()) +
                                         ", " + n(restano) + " byte dopo l'inizio della voce, prima della " +
                                         "lunghezza del nome (ne servono " + n(byte_testa_voce) +
                                         "); un file .sim ha 87 voci");
        const std::size_t lunghezza = codifica::get_u16(byte.data() + at + byte_testa_voce - codifica::larghezza<std::string>);
        if (restano < byte_voce_fissi + lunghezza)
            throw FileMalformato(at, "voce " + n(i) + " troncata: con un nome di " + n(lunghezza) +
                                         " byte occupa " + n(byte_voce_fissi + lunghezza) +
                                         " byte, ma il file finisce all'offset " + n(byte.size()));
        at = static_cast<std::size_t>(codifica::leggi_record(campi_voce, voci[i], byte.data() + at) - byte.data());
    }
    if (at != byte.size())
        throw FileMalformato(at, n(byte.size() - at) + " byte dopo la voce 86: un file .sim finisce con la sua " +
                                     "87a voce (lunghezza attesa " + n(at) + ", trovata " + n(byte.size()) + ")");
    return voci;
}

namespace {

// The bytes of the element that starts at `p`, `restano` bytes before the
// end of the file, at offset `at`: its tag and its value, checked;
// `indice` names it in a report.
std::size_t byte_elemento(const char* p, std::uint64_t restano, std::size_t at, std::uint64_t indice) {
    if (restano < 2)
        throw FileMalformato(at, "elemento " + std::to_string(indice) +
                                     " troncato: resta 1 byte dove comincia un tag di 2 byte");
    const std::uint16_t tag = slot_piano::tag(p);
    switch (tag) {
        case tag_vuoto: return slot_piano::byte_vuoto;
        case tag_intero16:
            if (restano < slot_piano::byte_intero)
                throw FileMalformato(at, "elemento " + std::to_string(indice) + " troncato: il tag 2 chiede 2 byte " +
                                             "di valore, ne restano " + std::to_string(restano - 2));
            return slot_piano::byte_intero;
        case tag_reale:
            if (restano < slot_piano::byte_reale)
                throw FileMalformato(at, "elemento " + std::to_string(indice) + " troncato: il tag 5 chiede 8 byte " +
                                             "di valore, ne restano " + std::to_string(restano - 2));
            return slot_piano::byte_reale;
        default:
            throw FileMalformato(at, "elemento " + std::to_string(indice) + ": tag sconosciuto " + n(tag) +
                                         " (un elemento del tracciato ha tag 0, 2 o 5)");
    }
}

// The element at the cursor, checked.
ValoreTabella elemento(Cursore& c, std::uint64_t indice) {
    const std::uint64_t restano = c.restano();
    const std::size_t lunghezza = byte_elemento(c.guarda(static_cast<std::size_t>(std::min<std::uint64_t>(restano, 2))),
                                                restano, static_cast<std::size_t>(c.offset()), indice);
    return slot_piano::leggi(c.prendi(lunghezza));
}

}  // namespace

PianoInFile esamina_piano(FonteByte& fonte) {
    const std::uint64_t byte = fonte.size();
    if (byte == 0) throw FileMalformato(0, "file del tracciato vuoto: nessun elemento");
    controlla_dimensione(TipoFile::piano, byte);
    PianoInFile p;
    p.fonte = &fonte;
    std::uint64_t elementi = 0;
    for (Cursore c(fonte, 0); c.restano() > 0; ++elementi) {
        switch (elemento(c, elementi).stato) {
            case ValoreTabella::Stato::vuoto: ++p.vuoti; break;
            case ValoreTabella::Stato::intero16: ++p.interi; break;
            case ValoreTabella::Stato::reale: ++p.reali; break;
        }
    }
    if (elementi % 2 != 0)
        throw FileMalformato(static_cast<std::size_t>(byte), "numero dispari di elementi (" + std::to_string(elementi) +
                                              "): le due colonne del tracciato devono avere le stesse righe");
    p.righe = static_cast<std::int32_t>(elementi / 2);
    // The second column starts after the first one's elements.
    Cursore c(fonte, 0);
    for (std::int32_t i = 0; i < p.righe; ++i) elemento(c, static_cast<std::uint64_t>(i));
    p.inizio = {0, c.offset()};
    return p;
}

ColonnaPiano::ColonnaPiano(const PianoInFile& p, int coordinata)
    : cursore_(*p.fonte, p.inizio[static_cast<std::size_t>(coordinata)]) {}

ValoreTabella ColonnaPiano::prossimo() { return elemento(cursore_, 0); }

TabellaLinea decodifica_tabella_linea(std::string_view byte) {
    if (byte.empty()) throw FileMalformato(0, "file del tracciato vuoto: nessun elemento");
    controlla_dimensione(TipoFile::piano, byte.size());
    // The bytes of each element in the file: its tag and its value.
    auto misura = [&byte](std::size_t at, std::size_t indice) -> std::size_t {
        return byte_elemento(byte.data() + at, byte.size() - at, at, indice);
    };
    // How many whole reals follow one another from `at`: nearly the whole plan.
    auto reali = [&byte](std::size_t at) {
        std::size_t quanti = 0;
        while (at + slot_piano::byte_reale <= byte.size() && slot_piano::tag(byte.data() + at) == tag_reale) {
            at += slot_piano::byte_reale;
            ++quanti;
        }
        return quanti;
    };
    // First the elements are checked and counted; then each one's bytes go
    // to the start of its slot, whose layout is the file's (a run of reals
    // in one copy).
    std::size_t elementi = 0;
    for (std::size_t at = 0; at < byte.size();) {
        const std::size_t quanti = reali(at);
        if (quanti > 0) {
            at += quanti * slot_piano::byte_reale;
            elementi += quanti;
        } else {
            at += misura(at, elementi++);
        }
    }
    if (elementi % 2 != 0)
        throw FileMalformato(byte.size(), "numero dispari di elementi (" + n(elementi) +
                                              "): le due colonne del tracciato devono avere le stesse righe");
    TabellaLinea t;
    t.righe = static_cast<std::int32_t>(elementi / 2);
    t.elementi.crea(elementi);
    std::size_t i = 0;
    for (std::size_t at = 0; at < byte.size();) {
        const std::size_t quanti = std::max<std::size_t>(reali(at), 1);
        const std::size_t lunghezza = quanti > 1 ? quanti * slot_piano::byte_reale : misura(at, i);
        std::memcpy(t.elementi.slot(i), byte.data() + at, lunghezza);
        at += lunghezza;
        i += quanti;
    }
    return t;
}

std::string_view nome_tipo_file(TipoFile t) {
    switch (t) {
        case TipoFile::griglia: return "griglia";
        case TipoFile::voci: return "voci";
        case TipoFile::piano: return "piano";
    }
    return "";
}

TipoFile riconosci_file(const std::filesystem::path& nome, std::string_view byte) {
    const std::string base = path_text(nome.filename());
    if (finisce_con(base, "_linea.dat")) return TipoFile::piano;
    if (finisce_con(base, ".sim")) return TipoFile::voci;
    if (finisce_con(base, ".dat")) return TipoFile::griglia;
    try {
        decodifica_voci(byte);
        return TipoFile::voci;
    } catch (const FileMalformato&) {
    }
    try {
        decodifica_tabella_linea(byte);
        return TipoFile::piano;
    } catch (const FileMalformato&) {
    }
    if (!byte.empty() && byte.size() % byte_cella == 0) return TipoFile::griglia;
    throw FileMalformato(0, "non è riconoscibile dal nome né dal contenuto: non ha 87 voci, non è una serie di " +
                                std::string("valori con tag 0, 2 o 5 e la sua lunghezza (") + n(byte.size()) +
                                ") non è multipla di 15");
}

}  // namespace compattatore
