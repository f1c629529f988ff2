#include "authoring/decodifica.h"

#include <algorithm>
#include <bit>
#include <cctype>

#include "tables/byte_buffer.h"
#include "tables/compiled_files.h"

namespace compattatore {

namespace {

std::string n(std::size_t v) { return std::to_string(v); }

std::int16_t i16(std::string_view b, std::size_t at) { return static_cast<std::int16_t>(get_fixed16(b, at)); }
std::int32_t i32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(get_fixed32(b, at)); }
std::uint8_t u8(std::string_view b, std::size_t at) { return static_cast<std::uint8_t>(b[at]); }

// Size of the fixed part of an entry before its text, and after it.
constexpr std::size_t testa_voce = 16;
constexpr std::size_t coda_voce = byte_voce_fissi - testa_voce;

bool finisce_con(std::string nome, std::string_view coda) {
    std::transform(nome.begin(), nome.end(), nome.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return nome.size() >= coda.size() && nome.compare(nome.size() - coda.size(), coda.size(), coda) == 0;
}

}  // namespace

FileMalformato::FileMalformato(std::size_t offset, const std::string& motivo)
    : std::runtime_error("offset " + n(offset) + ": " + motivo), offset_(offset), motivo_(motivo) {}

std::vector<Cella> decodifica_griglia(std::string_view byte) {
    if (byte.empty()) throw FileMalformato(0, "file della griglia vuoto: serve almeno una cella di 15 byte");
    const std::size_t resto = byte.size() % byte_cella;
    if (resto != 0) {
        const std::size_t at = byte.size() - resto;
        throw FileMalformato(at, "cella " + n(at / byte_cella) + " troncata: restano " + n(resto) +
                                     " byte dei 15 di una cella (lunghezza " + n(byte.size()) +
                                     " non multipla di 15)");
    }
    std::vector<Cella> celle(byte.size() / byte_cella);
    for (std::size_t k = 0; k < celle.size(); ++k) {
        const std::size_t at = k * byte_cella;
        Cella& c = celle[k];
        c.tipo = u8(byte, at);
        c.valore1 = i16(byte, at + 1);
        c.valore2 = i16(byte, at + 3);
        c.valore3 = i16(byte, at + 5);
        c.valore4 = i16(byte, at + 7);
        c.tempo = u8(byte, at + 9);
        c.preavviso = u8(byte, at + 10);
        c.montagna = u8(byte, at + 11);
        c.velocita = u8(byte, at + 12);
        c.pendenza = u8(byte, at + 13);
        c.aderenza = u8(byte, at + 14);
    }
    return celle;
}

Voci decodifica_voci(std::string_view byte) {
    Voci voci{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const std::size_t restano = byte.size() - at;
        if (restano < testa_voce)
            throw FileMalformato(at, "voce " + n(i) + " troncata: il file finisce all'offset " + n(byte.size()) +
                                         ", " + n(restano) + " byte dopo l'inizio della voce, prima della " +
                                         "lunghezza del nome (ne servono 16); un file .sim ha 87 voci");
        const std::size_t lunghezza = get_fixed16(byte, at + 14);
        if (restano < byte_voce_fissi + lunghezza)
            throw FileMalformato(at, "voce " + n(i) + " troncata: con un nome di " + n(lunghezza) +
                                         " byte occupa " + n(byte_voce_fissi + lunghezza) +
                                         " byte, ma il file finisce all'offset " + n(byte.size()));
        Voce& v = voci[i];
        v.tipo = u8(byte, at);
        v.inizio = i32(byte, at + 1);
        v.fine = i32(byte, at + 5);
        v.posizione = i32(byte, at + 9);
        v.byte1 = u8(byte, at + 13);
        v.nome = std::string(byte.substr(at + testa_voce, lunghezza));
        const std::size_t c = at + testa_voce + lunghezza;
        v.intero1 = i16(byte, c);
        v.intero2 = i16(byte, c + 2);
        v.intero3 = i16(byte, c + 4);
        v.intero4 = i16(byte, c + 6);
        v.intero5 = i16(byte, c + 8);
        v.byte2 = u8(byte, c + 10);
        v.byte3 = u8(byte, c + 11);
        v.byte4 = u8(byte, c + 12);
        v.byte5 = u8(byte, c + 13);
        v.orario = i32(byte, c + 14);
        at = c + coda_voce;
    }
    if (at != byte.size())
        throw FileMalformato(at, n(byte.size() - at) + " byte dopo la voce 86: un file .sim finisce con la sua " +
                                     "87a voce (lunghezza attesa " + n(at) + ", trovata " + n(byte.size()) + ")");
    return voci;
}

TabellaLinea decodifica_tabella_linea(std::string_view byte) {
    if (byte.empty()) throw FileMalformato(0, "file del tracciato vuoto: nessun elemento");
    std::vector<ValoreTabella> elementi;
    elementi.reserve(byte.size() / 10 + 1);
    std::size_t at = 0;
    while (at < byte.size()) {
        const std::size_t restano = byte.size() - at;
        if (restano < 2)
            throw FileMalformato(at, "elemento " + n(elementi.size()) +
                                         " troncato: resta 1 byte dove comincia un tag di 2 byte");
        const std::uint16_t tag = get_fixed16(byte, at);
        switch (tag) {
            case tag_vuoto:
                elementi.push_back({});
                at += 2;
                break;
            case tag_intero16:
                if (restano < 4)
                    throw FileMalformato(at, "elemento " + n(elementi.size()) + " troncato: il tag 2 chiede 2 byte " +
                                                 "di valore, ne restano " + n(restano - 2));
                elementi.push_back(ValoreTabella::intero(i16(byte, at + 2)));
                at += 4;
                break;
            case tag_reale:
                if (restano < 10)
                    throw FileMalformato(at, "elemento " + n(elementi.size()) + " troncato: il tag 5 chiede 8 byte " +
                                                 "di valore, ne restano " + n(restano - 2));
                elementi.push_back(ValoreTabella::reale_(std::bit_cast<double>(get_fixed64(byte, at + 2))));
                at += 10;
                break;
            default:
                throw FileMalformato(at, "elemento " + n(elementi.size()) + ": tag sconosciuto " + n(tag) +
                                             " (un elemento del tracciato ha tag 0, 2 o 5)");
        }
    }
    if (elementi.size() % 2 != 0)
        throw FileMalformato(byte.size(), "numero dispari di elementi (" + n(elementi.size()) +
                                              "): le due colonne del tracciato devono avere le stesse righe");
    TabellaLinea t;
    t.righe = static_cast<std::int32_t>(elementi.size() / 2);
    t.elementi = std::move(elementi);
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
    const std::string base = nome.filename().string();
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
    throw FileMalformato(0, "non e' riconoscibile dal nome ne' dal contenuto: non ha 87 voci, non e' una serie di " +
                                std::string("valori con tag 0, 2 o 5 e la sua lunghezza (") + n(byte.size()) +
                                ") non e' multipla di 15");
}

}  // namespace compattatore
