#include "reader/profili.h"

#include "reader/avvisi.h"
#include "tables/arrotonda.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

namespace {

// The cell a profile record closes its stretch at.
std::int64_t cella_profilo(std::int32_t posizione) { return arrotonda(static_cast<double>(posizione) / lunghezza_cella); }

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
    if (quinto < 0 || quinto > 255) throw GuastoImprevisto("limite di velocità oltre il campo della cella", 2);
    return static_cast<std::uint8_t>(quinto);
}

namespace {

// The byte of the limit carried on: a limit that does not fit is the fault
// of the record that gave it, wherever the stretch gets written.  A reading
// that goes on past errors records it once and carries 0 instead.
std::uint8_t byte_portato(Lettura& l) {
    try {
        return byte_velocita(l.velocita_precedente);
    } catch (GuastoImprevisto& g) {
        g.campo = -1;
        g.record = l.ricordi.velocita_portata;
        g.note = {"il limite di velocità va da 0 a 1277 km/h: il suo quinto, arrotondato, sta in un byte"};
        if (!l.controllo) throw;
        guasto(l, g.what(), g.campo, false, g.note,
               g.record ? luogo_del_record(l.testi, *g.record) : luogo_campo(l, -1));
        l.velocita_precedente = 0;
        return 0;
    }
}

void controlla_profilo(Lettura& l, std::optional<std::int32_t>& precedente, std::int32_t p, std::string_view cosa) {
    posizione_negativa(l, p);
    if (!precedente && p != 0)
        avviso(l, Avviso::profilo_non_da_zero,
               "la prima riga \"" + std::string(cosa) + "\" è a " + std::to_string(p) + " m, non a 0 m",
               luogo_campo(l, 1), {"prima della prima riga il valore nelle celle è 0"});
    in_ordine(l, precedente, p, cosa);
}

}  // namespace

Esito pendenza(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t g = l.f().leggi_32();
    if (Esito e = dentro_griglia(l, p); e != Esito::avanti) return e;
    posizione_negativa(l, p);
    in_ordine(l, l.ricordi.pendenza, p, nome_corrente(l));
    troncato(l, g, 2);
    const std::int64_t c = cella_profilo(p);
    if (c > 0) stendi(l.s.celle, &Cella::pendenza, l.cella_pendenza, c, byte_pendenza(l.pendenza_precedente));
    l.pendenza_precedente = g;
    return Esito::avanti;
}

void coda_pendenza(Lettura& l) {
    if (!l.s.griglia_esiste()) senza_lunghezza(l);
    stendi(l.s.celle, &Cella::pendenza, l.cella_pendenza, fine_code(l.s), byte_pendenza(l.pendenza_precedente));
}

Esito velocita(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t v = l.f().leggi_32();
    if (Esito e = dentro_griglia(l, p); e != Esito::avanti) return e;
    controlla_profilo(l, l.ricordi.velocita, p, nome_corrente(l));
    // A limit the cell cannot hold is an error of its own.
    if (v <= limite_massimo_cella) velocita_plausibile(l, v, 2);
    multiplo_di_5(l, v, 2);
    const std::int64_t c = cella_profilo(p);
    // The speed run stops short of the grid's last cell; its counter stays there.
    if (c > 0 && l.cella_velocita < l.s.numero_celle) {
        const std::uint8_t b = byte_portato(l);
        do {
            if (l.cella_velocita >= l.s.numero_celle) break;
            cella(l, l.cella_velocita).velocita = b;
            ++l.cella_velocita;
        } while (l.cella_velocita < c);
    }
    l.velocita_precedente = v;
    l.ricordi.velocita_portata = record_corrente(l, 2);
    l.ricordi.limiti.push_back({p, v, record_corrente(l, 2)});
    return Esito::avanti;
}

void coda_velocita(Lettura& l) {
    if (!l.s.griglia_esiste()) senza_lunghezza(l);
    stendi(l.s.celle, &Cella::velocita, l.cella_velocita, fine_code(l.s), byte_portato(l));
}

Esito aderenza(Lettura& l) {
    const std::int32_t p = l.f().leggi_32();
    const std::int32_t a = l.f().leggi_32();
    if (Esito e = dentro_griglia(l, p); e != Esito::avanti) return e;
    controlla_profilo(l, l.ricordi.aderenza, p, nome_corrente(l));
    troncato(l, a, 2);
    const std::int64_t c = cella_profilo(p);
    if (c > 0) stendi(l.s.celle, &Cella::aderenza, l.cella_aderenza, c, byte_aderenza(l.aderenza_precedente));
    l.aderenza_precedente = a;
    return Esito::avanti;
}

void coda_aderenza(Lettura& l) {
    if (!l.s.griglia_esiste()) senza_lunghezza(l);
    stendi(l.s.celle, &Cella::aderenza, l.cella_aderenza, fine_code(l.s), byte_aderenza(l.aderenza_precedente));
}

}  // namespace compattatore::lettore
