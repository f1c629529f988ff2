#include "compiled/descrizione.h"

#include <cstdio>

#include "platform/text_encoding.h"
#include "tables/chilometri.h"

namespace compattatore {

namespace {

std::string s(std::int64_t v) { return std::to_string(v); }

// A packed pair "left x 10 + right" of a signal's codes, as "l-r" digits.
struct Coppia {
    std::int64_t sinistra, destra;
};
Coppia separa(std::int64_t v) { return {v / 10, v % 10}; }

std::string velocita_rallentamento(const Cella& c) {
    std::string r = "velocita " + s(c.valore1) + " km/h";
    if (c.valore2 != 0) r += ", seconda velocita " + s(c.valore2) + " km/h";
    return r;
}

// One side of a maximum-speed board from the three packed values: rank
// speeds of the left board in hundreds, of the right board in units, both
// in fifths of km/h.
std::string cartello_velocita(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t strisce) {
    return s(a * 5) + "/" + s(b * 5) + "/" + s(c * 5) + " km/h, " + s(strisce) + (strisce == 1 ? " striscia" : " strisce");
}

}  // namespace

bool cella_vuota(const Cella& c) {
    return c.tipo == TipoCella::vuota && c.valore1 == 0 && c.valore2 == 0 && c.valore3 == 0 && c.valore4 == 0 && c.tempo == 0 &&
           c.preavviso == 0 && c.montagna == 0 && c.velocita == 0 && c.pendenza == 0 && c.aderenza == 0;
}

std::string dettaglio_cella(const Cella& c) {
    switch (c.tipo) {
        case TipoCella::segnale: {
            // Each value holds the left signal's code in the tens and the
            // right one's in the units; valore4 holds rapp in the tens and
            // sx x 3 + dx in the units (dx is 0, 1 or 2).
            if (c.valore1 < 0 || c.valore2 < 0 || c.valore3 < 0 || c.valore4 < 0) return "valori del segnale negativi";
            const Coppia p1 = separa(c.valore1), p2 = separa(c.valore2), p3 = separa(c.valore3);
            const std::int64_t rapp = c.valore4 / 10, lati = c.valore4 % 10;
            return "sinistro tipo " + s(lati / 3) + " codici " + s(p1.sinistra) + "-" + s(p2.sinistra) + "-" +
                   s(p3.sinistra) + ", destro tipo " + s(lati % 3) + " codici " + s(p1.destra) + "-" +
                   s(p2.destra) + "-" + s(p3.destra) + ", rapp " + s(rapp);
        }
        case TipoCella::fine_rallentamento:
        case TipoCella::inizio_rallentamento: {
            std::string r = velocita_rallentamento(c);
            if (c.valore3 != 0) r += ", f_tt " + s(c.valore3);
            return r;
        }
        case TipoCella::avviso_rallentamento: return velocita_rallentamento(c);
        case TipoCella::preavviso_rallentamento: return "preavviso " + s(c.valore1) + " di 4";
        case TipoCella::indicatore_v_max: {
            if (c.valore1 < 0 || c.valore2 < 0 || c.valore3 < 0 || c.valore4 < 0) return "valori dell'indicatore negativi";
            std::string r = "sinistro " + cartello_velocita(c.valore1 / 100, c.valore2 / 100, c.valore3 / 100, c.valore4 / 10);
            if (c.valore1 % 100 != 0 || c.valore2 % 100 != 0 || c.valore3 % 100 != 0 || c.valore4 % 10 != 0)
                r += "; destro " + cartello_velocita(c.valore1 % 100, c.valore2 % 100, c.valore3 % 100, c.valore4 % 10);
            return r;
        }
        case TipoCella::fermata: return "fermata della stazione in voce " + s(c.valore1);
        case TipoCella::codice: return "codice " + s(c.valore1);
        case TipoCella::cartello: return "testo in voce " + s(c.valore1);
        default: return "";
    }
}

std::string testo_orario(std::int64_t secondi) {
    const bool negativo = secondi < 0;
    const std::int64_t a = negativo ? -secondi : secondi;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%lld:%02lld:%02lld", negativo ? "-" : "",
                  static_cast<long long>(a / 3600), static_cast<long long>(a / 60 % 60),
                  static_cast<long long>(a % 60));
    return buffer;
}

std::string significato_voce(const Voci& voci, int indice, RuoloVoce ruolo) {
    const Voce& v = voci[static_cast<std::size_t>(indice)];
    if (ruolo == RuoloVoce::stazione) return v.orario == 0 ? "senza orario" : "orario " + testo_orario(v.orario);
    if (ruolo != RuoloVoce::intestazione) return "";
    switch (static_cast<std::size_t>(indice)) {
        case voce_progressiva_tre:
        case voce_progressiva_due:
        case voce_progressiva_uno: {
            if (v.inizio == 0 && v.fine == 0 && v.posizione == 0) return "progressiva chilometrica non usata";
            std::string verso = v.posizione == 0   ? "crescente"
                                : verso_decrescente(v.posizione) ? "decrescente"
                                                   : "verso " + s(v.posizione);
            return "progressiva chilometrica dalla posizione " + s(v.inizio) + " m: valore " + s(v.fine) + " m, " +
                   verso;
        }
        case voce_percorso:
            return "massa frenata " + s(v.inizio) + "%, lunghezza " + s(v.fine) + " m, " + s(v.posizione) + " vetture";
        case voce_linea:
            return "sfondo uno " + s(v.inizio) + ", due " + s(v.posizione) + ", tre " + s(v.fine) +
                   "; intestazione " + s(v.intero1) + ", codice gara " + s(v.orario);
        case voce_treno: {
            std::string r = v.fine == 0 ? std::string("senza ripetizione segnali")
                                        : "ripetizione segnali da " + s(v.inizio) + " a " + s(v.fine) + " m, " +
                                              s(v.posizione) + " codici";
            char orologio[32];
            std::snprintf(orologio, sizeof orologio, "%d:%02d:%02d", v.intero3, v.intero4, v.intero5);
            return r + "; sabbia " + s(v.intero1) + "; orologio " + orologio;
        }
    }
    return "";
}

std::string testo_leggibile(std::string_view byte) {
    std::string r;
    for (char ch : byte) {
        const auto b = static_cast<unsigned char>(ch);
        const char16_t u = windows_1252_character(b);
        if (b >= 0x20 && b < 0x7F) {
            r += ch;
        } else if (u >= 0xA0) {
            r += utf16_to_utf8(std::u16string_view(&u, 1));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", b);
            r += buffer;
        }
    }
    return r;
}

}  // namespace compattatore
