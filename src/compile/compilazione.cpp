#include "compile/compilazione.h"

#include <algorithm>
#include <string>

#include "finishing/finitura.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {

std::string nota_finitura(const CodiceDiFinitura& f, const Provenienze& p, const TestiLetti& t,
                          const std::vector<Cella>& celle) {
    switch (f.codice) {
        case Codice::codice_dietro_avviso:
            return "prima del segnale della " + nome_cella(f.cella) + " le due celle contengono " +
                   cosa_contiene(p, t, celle, f.cella - 1) + " e " + cosa_contiene(p, t, celle, f.cella - 2);
        case Codice::codici_di_avvicinamento:
            return "i codici vanno in una cella libera fra 5 e 7, fra 11 e 13 e fra 18 e 20 celle prima "
                   "dell'inizio del rallentamento, nella " + nome_cella(f.cella_elemento);
        default:
            return "nessuna cella libera per il codice intorno alla " + nome_cella(f.cella) +
                   ", nel rallentamento che comincia nella " + nome_cella(f.cella_elemento);
    }
}

// The diagnostics of the codes of the finishing pass, and of the stamp.
void diagnostiche_della_finitura(Compilazione& c, const TestiLetti& testi) {
    EsitoCompilazione& e = c.esito;
    for (const CodiceDiFinitura& f : e.finitura) {
        Diagnostica d;
        d.numero = numero(f.codice);
        d.messaggio = std::string(spiegazione_codice(f.codice));
        d.posizione = static_cast<std::int32_t>(f.cella * lunghezza_cella);
        if (const LuogoRecord* r = c.provenienze.di(f.cella_elemento)) d.luogo = luogo_del_record(testi, *r);
        d.note.push_back(nota_finitura(f, c.provenienze, testi, c.scenario.celle));
        e.origine = d.luogo;
        e.aggiungi(std::move(d));
    }
    if (e.errore_segnalato != 0) {
        Diagnostica d;
        d.numero = e.errore_segnalato;
        d.messaggio = "Errore n. " + std::to_string(e.errore_segnalato) + ": l'intestazione dello scenario trova "
                      "già occupato il suo posto nella cella 1";
        if (const LuogoRecord* r = c.provenienze.di(1)) d.luogo = luogo_del_record(testi, *r);
        d.note.push_back("la cella 1 (i primi 50 m) contiene " + cosa_contiene(c.provenienze, testi, c.scenario.celle, 1) +
                         ": la cella 1 resta libera per l'intestazione");
        e.aggiungi(std::move(d));
    }
}

}  // namespace

bool riuscita(const Compilazione& c) {
    const auto& d = c.esito.diagnostiche;
    return c.scenario.griglia_esiste() && c.esito.codice == Codice::nessuno && c.esito.errore_segnalato == 0 &&
           std::none_of(d.begin(), d.end(), [](const Diagnostica& x) { return x.gravita == Gravita::errore; });
}

std::int32_t codice_riportato(const EsitoCompilazione& e) {
    return e.errore_segnalato != 0 ? e.errore_segnalato : numero(e.codice);
}

Compilazione compila_descrizioni(const Descrizioni& d, bool controllo) {
    Compilazione c = memorizza_dati(d, controllo);
    Scenario& s = c.scenario;
    if (!s.griglia_esiste()) return c;
    completa_codici(s.celle, c.esito);
    c.esito.errore_segnalato = timbra_intestazione(s.voci, s.celle);
    diagnostiche_della_finitura(c, testi_letti(d));
    return c;
}

}  // namespace compattatore
