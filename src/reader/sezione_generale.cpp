// Opening of the line file and its general section: the line length sizes
// the grid and the plan, the other keys fill the header entries of voci.
#include <string>

#include "placement/progressive.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "tables/arrotonda.h"

namespace compattatore::lettore {

namespace {

// Lines longer than this are refused (code 1).
constexpr std::int32_t lunghezza_massima = 1000000;
// The grid runs this far beyond the end of the line.
constexpr std::int32_t prolungamento = 7000;
// Comment fields passed over in a row at the top of the general section.
constexpr int salti_generale = 10;

Esito lunghezza(Lettura& l) {
    Scenario& s = l.s;
    std::int32_t lunghezza = l.f().leggi_32();
    s.voci[84].fine = lunghezza;
    if (lunghezza > lunghezza_massima) return ferma(l, 1);

    // Checked before anything changes: a refused length leaves the grid, the
    // plan and their sizes as an earlier length key made them.
    const std::int32_t estesa = lunghezza + prolungamento;
    const std::int32_t ultima_cella = in_32(arrotonda(static_cast<double>(estesa) / 50.0));
    // Cell 1 carries the header stamp: a line so short (negative) that the
    // grid has no cell 1 does not fit the grid.
    if (ultima_cella < 1) throw GuastoImprevisto("griglia senza la cella d'intestazione");

    s.lunghezza_estesa = estesa;
    s.numero_celle = ultima_cella;
    s.celle.assign(static_cast<std::size_t>(s.numero_celle) + 1, Cella{});
    if (s.compila_linea != 0) s.tabella_linea.crea(s.lunghezza_estesa);
    return Esito::avanti;
}

void leggi_progressiva(Lettura& l, Voce& v) {
    v.inizio = l.f().leggi_32();
    v.fine = l.f().leggi_32();
    v.posizione = l.f().leggi_32();
}

Esito ripetizione(Lettura& l, const std::string& chiave) {
    Voce& v = l.s.voci[86];
    v.inizio = l.f().leggi_32();
    v.fine = l.f().leggi_32();
    if (v.inizio % 50 != 0) return ferma(l, 3);
    if (v.fine % 50 != 0) return ferma(l, 4);
    if (contiene(chiave, "4")) {
        v.posizione = 4;
    } else if (contiene(chiave, "9")) {
        v.posizione = 9;
    } else {
        return ferma(l, 5);
    }
    if (v.fine == 0) v.posizione = 0;
    return Esito::avanti;
}

// A section header ends the general section; a comment never does.
bool chiude_sezione(const std::string& campo) {
    if (!contiene(campo, "[") || !contiene(campo, "]")) return false;
    std::size_t primo = campo.find_first_not_of(" \t");
    return primo == std::string::npos || campo[primo] != '-';
}

// The keys of one field of the general section, in their fixed order.
Esito applica_chiavi(Lettura& l, const std::string& chiave) {
    Scenario& s = l.s;
    if (contiene_ci(chiave, "percorso") && contiene_ci(chiave, "lunghezza")) {
        if (Esito e = lunghezza(l); e != Esito::avanti) return e;
    }
    // The kilometre references, the backgrounds and the repetition match their
    // words exactly, case included.
    if (contiene(chiave, "progressiva")) {
        if (contiene(chiave, "tre")) leggi_progressiva(l, s.voci[81]);
        if (contiene(chiave, "due")) leggi_progressiva(l, s.voci[82]);
        if (contiene(chiave, "uno")) leggi_progressiva(l, s.voci[83]);
    }
    if (contiene(chiave, "sfondo")) {
        if (contiene(chiave, "uno")) s.voci[85].inizio = l.f().leggi_32();
        if (contiene(chiave, "due")) s.voci[85].posizione = l.f().leggi_32();
        if (contiene(chiave, "tre")) s.voci[85].fine = l.f().leggi_32();
    }
    if (contiene(chiave, "segnali") && contiene(chiave, "ripetizione")) {
        if (Esito e = ripetizione(l, chiave); e != Esito::avanti) return e;
    }
    return Esito::avanti;
}

}  // namespace

Esito apri_linea(Lettura& l) {
    Scenario& s = l.s;
    s.voci[85].nome = s.nome_linea;
    s.voci[86].nome = s.nome_treno;
    if (!esiste_file(l.file_linea)) {
        registra_codice(l, 101);
        return Esito::fermo;
    }
    apri(l, l.file_linea);
    LettoreCampi& f = l.f();
    // Whatever stands before "[generale]" is not read; a "[generale]" that is
    // the file's last field is not found either.
    for (;;) {
        if (f.fine()) return ferma(l, 102);
        s.riga = f.leggi_stringa();
        if (f.fine()) return ferma(l, 102);
        if (contiene_ci(s.riga, "[generale]")) return Esito::avanti;
    }
}

Esito sezione_generale(Lettura& l) {
    Scenario& s = l.s;
    LettoreCampi& f = l.f();
    for (;;) {
        if (f.fine()) break;
        s.riga = f.leggi_stringa();
        l.record = f.posizione_campo();
        if (f.fine()) break;
        for (int salto = 0; salto < salti_generale; ++salto) {
            if (!contiene(s.riga, "-")) break;
            s.riga = f.leggi_stringa();
            l.record = f.posizione_campo();
        }
        const std::string chiave = s.riga;
        if (Esito e = applica_chiavi(l, chiave); e != Esito::avanti) return e;
        if (chiude_sezione(chiave)) break;
    }
    l.record.reset();

    progressive_ordina(s);
    s.numero_montagne = 0;
    if (s.compila_linea != 0) {
        // The line starts at the origin heading along the second coordinate.
        TabellaLinea& t = s.tabella_linea;
        if (t.righe < 2) throw GuastoImprevisto("piano senza le due righe iniziali");
        t(0, 0) = ValoreTabella::intero(0);
        t(0, 1) = ValoreTabella::intero(0);
        t(1, 0) = ValoreTabella::intero(0);
        t(1, 1) = ValoreTabella::intero(1);
    }
    return Esito::avanti;
}

}  // namespace compattatore::lettore
