#include "decompile/decompilazione.h"

#include "compile/compilazione.h"
#include "decompile/decompilazione_analisi.h"
#include "decompile/decompilazione_testo.h"
#include "tables/arrotonda.h"
#include "tables/nomi_file.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {

using namespace decompilazione;

std::int32_t pendenza_del_byte(std::uint8_t b) { return static_cast<std::int32_t>(b) - 100; }
std::int32_t velocita_del_byte(std::uint8_t b) { return static_cast<std::int32_t>(b) * 5; }
std::int32_t aderenza_del_byte(std::uint8_t b) { return b; }

// The line's length, from entry 84 when the grid and the plan have the size
// it gives them, or else from the plan (one row per metre) or the grid (one
// cell per 50 m): a wrong entry is one value, a wrong size every cell.
std::int32_t lunghezza(const ScenarioCompilato& c) {
    const auto ultima_cella = static_cast<std::int64_t>(c.celle().size()) - 1;
    auto misura = [&](std::int64_t l) {
        return l <= lunghezza_massima_linea && arrotonda(static_cast<double>(l + prolungamento_linea) / lunghezza_cella) == ultima_cella &&
               (!c.piano() || c.piano()->righe == l + prolungamento_linea + 1);
    };
    const std::int64_t dal_piano = c.piano() ? c.piano()->righe - 1 - prolungamento_linea
                                             : lunghezza_cella * ultima_cella - prolungamento_linea;
    for (std::int64_t l : {std::int64_t{c.voci()[voce_percorso].fine}, dal_piano, lunghezza_cella * ultima_cella - prolungamento_linea})
        if (misura(l)) return static_cast<std::int32_t>(l);
    return static_cast<std::int32_t>(dal_piano);
}

// A record that stops the reader loses every record after it: when the
// texts stop the compilation at a record, that record goes, and the texts
// are written and compiled again, this many times at most.
constexpr int record_tolti_massimi = 64;

}  // namespace

Descrizione descrivi(const ScenarioCompilato& c) {
    // Cell 1 carries the header stamp in valore1 and valore2; whatever stood
    // there before the stamp had them at zero.
    std::vector<Cella> celle = c.celle();
    if (celle.size() > 1) {
        celle[1].valore1 = 0;
        celle[1].valore2 = 0;
    }

    Descrizione d;
    generale_da_voci(c.voci(), d.linea, d.treno);
    d.linea.lunghezza = lunghezza(c);
    if (c.piano()) d.linea.curve = curve(*c.piano());
    d.linea.pendenze = profilo(celle, &Cella::pendenza, pendenza_del_byte);
    d.linea.montagne = montagne(celle);
    d.linea.indicatori = indicatori(celle);
    const RipartizioneVoci& r = c.ripartizione();
    d.linea.cartelli = cartelli(celle, c.voci(), r);

    d.treno.aderenze = profilo(celle, &Cella::aderenza, aderenza_del_byte);
    d.treno.velocita = profilo(celle, &Cella::velocita, velocita_del_byte);
    d.treno.stazioni = stazioni_da_voci(c.voci(), r.numero_stazioni);
    d.treno.rallentamenti = rallentamenti(celle);
    d.treno.segnali = segnali(celle);
    d.treno.abbattimenti = abbattimenti(celle);
    return d;
}

Decompilazione decompila(const ScenarioCompilato& c) {
    Decompilazione esito;
    esito.descrizione = descrivi(c);
    Compilazione r;
    for (int tolti = 0;; ++tolti) {
        TestoScritto linea = scrivi_linea(esito.descrizione.linea);
        TestoScritto treno = scrivi_treno(esito.descrizione.treno);
        r = compila_descrizioni({c.nome_linea(), c.nome_treno(), linea.byte, treno.byte, c.piano().has_value(), {}, {}});
        esito.testo_linea = std::move(linea.byte);
        esito.testo_treno = std::move(treno.byte);
        // The record at which the reader recorded its code, if any.
        const Luogo& o = r.esito.origine;
        if (o.riga <= 0 || tolti >= record_tolti_massimi) break;
        const auto& righe = o.file == nome_linea_txt(c.nome_linea()) ? linea.righe : treno.righe;
        const auto n = static_cast<std::size_t>(o.riga);
        if (n > righe.size() || !righe[n - 1] || !togli_record(esito.descrizione, *righe[n - 1])) break;
    }
    esito.codice = numero(r.esito.codice);
    esito.errore_segnalato = r.esito.errore_segnalato;
    esito.differenze = confronta(c, r);
    return esito;
}

}  // namespace compattatore
