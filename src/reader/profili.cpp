#include "reader/profili.h"

#include "tables/arrotonda.h"

namespace compattatore::lettore {

namespace {

// The cell a profile record closes its stretch at.
std::int64_t cella_profilo(std::int32_t posizione) { return arrotonda(static_cast<double>(posizione) / 50.0); }

// Writes `valore` into `campo` of the cells from `cella` on, the first one
// unconditionally, then while the counter stays below `limite`.  Cells
// outside the grid are passed over.
void stendi(std::vector<Cella>& celle, std::uint8_t Cella::*campo, std::int32_t& cella, std::int64_t limite,
            std::uint8_t valore) {
    do {
        if (Cella* c = cella_se_presente(celle, cella)) c->*campo = valore;
        ++cella;
    } while (cella < limite);
}

std::uint8_t byte_pendenza(std::int32_t pendenza) {
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(pendenza) + 100);
}

std::uint8_t byte_aderenza(std::int32_t aderenza) { return static_cast<std::uint8_t>(aderenza); }

std::int64_t fine_code(const Scenario& s) { return static_cast<std::int64_t>(s.numero_celle) - 2; }

}  // namespace

std::uint8_t byte_velocita(std::int32_t limite) {
    const std::int64_t quinto = arrotonda(static_cast<double>(limite) / 5.0);
    if (quinto < 0 || quinto > 255) throw GuastoImprevisto("limite di velocita oltre il byte");
    return static_cast<std::uint8_t>(quinto);
}

Esito pendenza(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t g = l.f().leggi_32();
    if (oltre_griglia(l, p)) return Esito::fine_file;
    const std::int64_t c = cella_profilo(p);
    if (c > 0) stendi(l.s.celle, &Cella::pendenza, l.cella_pendenza, c, byte_pendenza(l.pendenza_precedente));
    l.pendenza_precedente = g;
    return Esito::avanti;
}

void coda_pendenza(Lettura& l) {
    if (!l.s.griglia_esiste()) throw GuastoImprevisto("linea senza lunghezza");
    stendi(l.s.celle, &Cella::pendenza, l.cella_pendenza, fine_code(l.s), byte_pendenza(l.pendenza_precedente));
}

Esito velocita(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t v = l.f().leggi_32();
    if (oltre_griglia(l, p)) return Esito::fine_file;
    const std::int64_t c = cella_profilo(p);
    if (c > 0) {
        // The speed run stops short of the grid's last cell; its counter stays there.
        do {
            if (l.cella_velocita >= l.s.numero_celle) break;
            cella(l, l.cella_velocita).velocita = byte_velocita(l.velocita_precedente);
            ++l.cella_velocita;
        } while (l.cella_velocita < c);
    }
    l.velocita_precedente = v;
    return Esito::avanti;
}

void coda_velocita(Lettura& l) {
    if (!l.s.griglia_esiste()) throw GuastoImprevisto("linea senza lunghezza");
    stendi(l.s.celle, &Cella::velocita, l.cella_velocita, fine_code(l.s), byte_velocita(l.velocita_precedente));
}

Esito aderenza(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t a = l.f().leggi_32();
    if (oltre_griglia(l, p)) return Esito::fine_file;
    const std::int64_t c = cella_profilo(p);
    if (c > 0) stendi(l.s.celle, &Cella::aderenza, l.cella_aderenza, c, byte_aderenza(l.aderenza_precedente));
    l.aderenza_precedente = a;
    return Esito::avanti;
}

void coda_aderenza(Lettura& l) {
    if (!l.s.griglia_esiste()) throw GuastoImprevisto("linea senza lunghezza");
    stendi(l.s.celle, &Cella::aderenza, l.cella_aderenza, fine_code(l.s), byte_aderenza(l.aderenza_precedente));
}

}  // namespace compattatore::lettore
