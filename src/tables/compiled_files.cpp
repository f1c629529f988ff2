#include "tables/compiled_files.h"

#include <limits>
#include <stdexcept>
#include <string_view>

#include "platform/file_io.h"
#include "tables/byte_buffer.h"
#include "tables/nomi_file.h"

namespace compattatore {

namespace {

// The 15 bytes of a cell at `p`.
void scrivi_cella(char* p, const Cella& c) {
    auto u8 = [&p](std::uint8_t v) { *p++ = static_cast<char>(v); };
    auto i16 = [&p](std::int16_t v) {
        const auto u = static_cast<std::uint16_t>(v);
        *p++ = static_cast<char>(u & 0xFF);
        *p++ = static_cast<char>(u >> 8);
    };
    u8(c.tipo);
    i16(c.valore1);
    i16(c.valore2);
    i16(c.valore3);
    i16(c.valore4);
    u8(c.tempo);
    u8(c.preavviso);
    u8(c.montagna);
    u8(c.velocita);
    u8(c.pendenza);
    u8(c.aderenza);
}

// Hands `pezzo` the bytes of the plan file in order, as views into the
// table: each element's slot without its unused bytes, and each run of
// reals whole (its slots are exactly its file bytes).
template <class F>
void pezzi_tabella_linea(const TabellaLinea& t, F&& pezzo) {
    const ElementiTabella& e = t.elementi;
    const std::size_t n = e.size();
    std::size_t i = 0;
    while (i < n) {
        const std::byte* s = e.slot(i);
        const std::uint16_t tag = slot_piano::tag(s);
        std::size_t j = i + 1;
        std::size_t byte = slot_piano::byte_vuoto;
        if (tag == tag_reale) {
            while (j < n && slot_piano::tag(e.slot(j)) == tag_reale) ++j;
            byte = (j - i) * slot_piano::byte;
        } else if (tag == tag_intero16) {
            byte = slot_piano::byte_intero;
        }
        pezzo(std::string_view(reinterpret_cast<const char*>(s), byte));
        i = j;
    }
}

}  // namespace

void codifica_cella(std::string& out, const Cella& c) {
    char byte[byte_cella];
    scrivi_cella(byte, c);
    out.append(byte, byte_cella);
}

void codifica_voce(std::string& out, const Voce& v) {
    if (v.nome.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::length_error("testo di una voce troppo lungo per il file .sim");
    put_u8(out, v.tipo);
    put_i32(out, v.inizio);
    put_i32(out, v.fine);
    put_i32(out, v.posizione);
    put_u8(out, v.byte1);
    put_fixed16(out, static_cast<std::uint16_t>(v.nome.size()));
    out.append(v.nome);
    put_i16(out, v.intero1);
    put_i16(out, v.intero2);
    put_i16(out, v.intero3);
    put_i16(out, v.intero4);
    put_i16(out, v.intero5);
    put_u8(out, v.byte2);
    put_u8(out, v.byte3);
    put_u8(out, v.byte4);
    put_u8(out, v.byte5);
    put_i32(out, v.orario);
}

std::string codifica_griglia(const Scenario& s) {
    std::string out(s.celle.size() * byte_cella, '\0');
    for (std::size_t i = 0; i < s.celle.size(); ++i) scrivi_cella(out.data() + i * byte_cella, s.celle[i]);
    return out;
}

std::string codifica_voci(const Scenario& s) {
    std::string out;
    for (const Voce& v : s.voci) codifica_voce(out, v);
    return out;
}

std::string codifica_tabella_linea(const Scenario& s) {
    std::string out;
    pezzi_tabella_linea(s.tabella_linea, [&out](std::string_view p) { out.append(p); });
    return out;
}

void scrivi_file_compilati(const Scenario& s) {
    if (s.compila_linea != 0) {
        FileInSostituzione f(file_linea_dat(s));
        pezzi_tabella_linea(s.tabella_linea, [&f](std::string_view p) { f.scrivi(p); });
        f.conferma();
    }
    sostituisci_file(file_sim(s), codifica_voci(s));
    FileInSostituzione griglia(file_griglia_dat(s));
    for (const Cella& c : s.celle) {
        scrivi_cella(griglia.spazio(byte_cella), c);
        griglia.aggiunti(byte_cella);
    }
    griglia.conferma();
}

}  // namespace compattatore
