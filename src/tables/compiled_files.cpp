#include "tables/compiled_files.h"

#include <limits>
#include <stdexcept>

#include "platform/file_io.h"
#include "tables/byte_buffer.h"
#include "tables/nomi_file.h"

namespace compattatore {

void codifica_cella(std::string& out, const Cella& c) {
    put_u8(out, c.tipo);
    put_i16(out, c.valore1);
    put_i16(out, c.valore2);
    put_i16(out, c.valore3);
    put_i16(out, c.valore4);
    put_u8(out, c.tempo);
    put_u8(out, c.preavviso);
    put_u8(out, c.montagna);
    put_u8(out, c.velocita);
    put_u8(out, c.pendenza);
    put_u8(out, c.aderenza);
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
    std::string out;
    out.reserve(s.celle.size() * byte_cella);
    for (const Cella& c : s.celle) codifica_cella(out, c);
    return out;
}

std::string codifica_voci(const Scenario& s) {
    std::string out;
    for (const Voce& v : s.voci) codifica_voce(out, v);
    return out;
}

std::string codifica_tabella_linea(const Scenario& s) {
    std::string out;
    out.reserve(s.tabella_linea.elementi.size() * 10);
    for (const ValoreTabella& e : s.tabella_linea.elementi) {
        switch (e.stato) {
            case ValoreTabella::Stato::vuoto:
                put_fixed16(out, tag_vuoto);
                break;
            case ValoreTabella::Stato::intero16:
                put_fixed16(out, tag_intero16);
                put_i16(out, static_cast<std::int16_t>(e.valore));
                break;
            case ValoreTabella::Stato::reale:
                put_fixed16(out, tag_reale);
                put_double(out, e.valore);
                break;
        }
    }
    return out;
}

void scrivi_file_compilati(const Scenario& s) {
    if (s.compila_linea != 0) sostituisci_file(file_linea_dat(s), codifica_tabella_linea(s));
    sostituisci_file(file_sim(s), codifica_voci(s));
    sostituisci_file(file_griglia_dat(s), codifica_griglia(s));
}

}  // namespace compattatore
