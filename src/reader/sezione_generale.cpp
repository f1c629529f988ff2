// Opening of the line file and its general section: the line length sizes
// the grid and the plan, the other keys fill the header entries of voci.
#include <string>

#include "placement/progressive.h"
#include "reader/fasi.h"
#include "reader/parole_chiave.h"
#include "tables/arrotonda.h"
#include "tables/nomi_file.h"

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
    VistaIntestazione{s.voci}.lunghezza_linea() = lunghezza;
    if (lunghezza > lunghezza_massima) return ferma(l, Codice::lunghezza_eccessiva);

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
    if (l.d.compila_linea) s.tabella_linea.crea(s.lunghezza_estesa);
    return Esito::avanti;
}

void leggi_progressiva(Lettura& l, Voce& v) {
    v.inizio = l.f().leggi_32();
    v.fine = l.f().leggi_32();
    v.posizione = l.f().leggi_32();
}

Esito ripetizione(Lettura& l, const std::string& chiave) {
    const VistaIntestazione h{l.s.voci};
    h.inizio_ripetizione() = l.f().leggi_32();
    h.fine_ripetizione() = l.f().leggi_32();
    if (h.inizio_ripetizione() % 50 != 0) return ferma(l, Codice::inizio_ripetizione_fuori_passo);
    if (h.fine_ripetizione() % 50 != 0) return ferma(l, Codice::fine_ripetizione_fuori_passo);
    if (contiene(chiave, "4")) {
        h.codici_ripetizione() = 4;
    } else if (contiene(chiave, "9")) {
        h.codici_ripetizione() = 9;
    } else {
        return ferma(l, Codice::ripetizione_senza_codici);
    }
    if (h.fine_ripetizione() == 0) h.codici_ripetizione() = 0;
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
    const VistaIntestazione h{s.voci};
    if (contiene_ci(chiave, "percorso") && contiene_ci(chiave, "lunghezza")) {
        if (Esito e = lunghezza(l); e != Esito::avanti) return e;
    }
    // The kilometre references, the backgrounds and the repetition match their
    // words exactly, case included.
    if (contiene(chiave, "progressiva")) {
        if (contiene(chiave, "tre")) leggi_progressiva(l, s.voci[voce_progressiva_tre]);
        if (contiene(chiave, "due")) leggi_progressiva(l, s.voci[voce_progressiva_due]);
        if (contiene(chiave, "uno")) leggi_progressiva(l, s.voci[voce_progressiva_uno]);
    }
    if (contiene(chiave, "sfondo")) {
        if (contiene(chiave, "uno")) h.sfondo_uno() = l.f().leggi_32();
        if (contiene(chiave, "due")) h.sfondo_due() = l.f().leggi_32();
        if (contiene(chiave, "tre")) h.sfondo_tre() = l.f().leggi_32();
    }
    if (contiene(chiave, "segnali") && contiene(chiave, "ripetizione")) {
        if (Esito e = ripetizione(l, chiave); e != Esito::avanti) return e;
    }
    return Esito::avanti;
}

}  // namespace

Esito apri_linea(Lettura& l) {
    Scenario& s = l.s;
    const VistaIntestazione h{s.voci};
    h.nome_linea() = s.nome_linea;
    h.nome_treno() = s.nome_treno;
    if (!l.d.linea) {
        registra_codice(l, Codice::linea_mancante);
        return Esito::fermo;
    }
    l.esito.letta_linea = true;
    apri(l, nome_linea_txt(s.nome_linea), *l.d.linea);
    LettoreCampi& f = l.f();
    // Whatever stands before "[generale]" is not read; a "[generale]" that is
    // the text's last field is not found either.
    for (;;) {
        if (f.fine()) return ferma(l, Codice::generale_mancante);
        const std::string campo = f.leggi_stringa();
        if (f.fine()) return ferma(l, Codice::generale_mancante);
        if (contiene_ci(campo, "[generale]")) return Esito::avanti;
    }
}

Esito sezione_generale(Lettura& l) {
    Scenario& s = l.s;
    LettoreCampi& f = l.f();
    std::string chiave;
    for (;;) {
        if (f.fine()) break;
        chiave = f.leggi_stringa();
        l.record = f.posizione_campo();
        if (f.fine()) break;
        for (int salto = 0; salto < salti_generale; ++salto) {
            if (!contiene(chiave, "-")) break;
            chiave = f.leggi_stringa();
            l.record = f.posizione_campo();
        }
        if (Esito e = applica_chiavi(l, chiave); e != Esito::avanti) return e;
        if (chiude_sezione(chiave)) break;
    }
    l.record.reset();

    if (const Codice c = progressive_ordina(s.voci); c != Codice::nessuno) registra_codice(l, c);
    if (l.d.compila_linea) {
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
