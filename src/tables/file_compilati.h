// The three compiled files the simulator loads: the plan of the track
// (_linea.dat), the entries (.sim) and the grid (.dat).  Each is a plain
// little-endian dump of one table, with no header.  The record layouts are
// declared here once, as field tables in file order, and every reader and
// writer of the files walks them with the coder of codifica.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>

#include "tables/codifica.h"
#include "tables/scenario.h"

namespace compattatore {

// The 15 bytes of a grid record.
inline constexpr auto campi_cella = std::tuple{
    codifica::campo("tipo", &Cella::tipo),           codifica::campo("valore1", &Cella::valore1),
    codifica::campo("valore2", &Cella::valore2),     codifica::campo("valore3", &Cella::valore3),
    codifica::campo("valore4", &Cella::valore4),     codifica::campo("tempo", &Cella::tempo),
    codifica::campo("preavviso", &Cella::preavviso), codifica::campo("montagna", &Cella::montagna),
    codifica::campo("velocita", &Cella::velocita),   codifica::campo("pendenza", &Cella::pendenza),
    codifica::campo("aderenza", &Cella::aderenza),
};

// An entry: 34 bytes and the bytes of its text.
inline constexpr auto campi_voce = std::tuple{
    codifica::campo("tipo", &Voce::tipo),         codifica::campo("inizio", &Voce::inizio),
    codifica::campo("fine", &Voce::fine),         codifica::campo("posizione", &Voce::posizione),
    codifica::campo("byte1", &Voce::byte1),       codifica::campo("nome", &Voce::nome),
    codifica::campo("intero1", &Voce::intero1),   codifica::campo("intero2", &Voce::intero2),
    codifica::campo("intero3", &Voce::intero3),   codifica::campo("intero4", &Voce::intero4),
    codifica::campo("intero5", &Voce::intero5),   codifica::campo("byte2", &Voce::byte2),
    codifica::campo("byte3", &Voce::byte3),       codifica::campo("byte4", &Voce::byte4),
    codifica::campo("byte5", &Voce::byte5),       codifica::campo("orario", &Voce::orario),
};

inline constexpr std::size_t byte_cella = codifica::byte_fissi(campi_cella);
inline constexpr std::size_t byte_voce_fissi = codifica::byte_fissi(campi_voce);  // a voce without its text
inline constexpr std::size_t byte_testa_voce = codifica::byte_prima_del_testo(campi_voce);  // up to the text
static_assert(byte_cella == 15 && byte_voce_fissi == 34 && byte_testa_voce == 16);

// Writes the cells at `p`, byte_cella bytes each.
inline char* scrivi_celle(const Cella* celle, std::size_t n, char* p) {
    for (std::size_t i = 0; i < n; ++i) p = codifica::scrivi_record(campi_cella, celle[i], p);
    return p;
}

void codifica_cella(std::string& out, const Cella& c);
// A text longer than the 16-bit length of the file raises std::length_error.
void codifica_voce(std::string& out, const Voce& v);

std::string codifica_griglia(const std::vector<Cella>& celle);  // the .dat grid file
std::string codifica_voci(const Voci& voci);                    // the .sim file
std::string codifica_tabella_linea(const TabellaLinea& t);      // the _linea.dat file

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
        pezzo(std::string_view(slot_piano::c(s), byte));
        i = j;
    }
}

}  // namespace compattatore
