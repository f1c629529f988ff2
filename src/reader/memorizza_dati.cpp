#include "reader/memorizza_dati.h"

#include "reader/fasi.h"
#include "reader/lettura.h"
#include "tables/nomi_file.h"
#include "tables/windows1252.h"

namespace compattatore {

TestiLetti testi_letti(const Descrizioni& d) {
    TestiLetti t;
    t.nomi[0] = d.file_linea.empty() ? nome_linea_txt(d.nome_linea) : d.file_linea;
    t.nomi[1] = d.file_treno.empty() ? nome_treno_txt(d.nome_linea, d.nome_treno) : d.file_treno;
    t.dati[0] = d.linea.value_or(std::string_view{});
    t.dati[1] = d.treno.value_or(std::string_view{});
    return t;
}

Compilazione memorizza_dati(const Descrizioni& d, bool fino_alla_fine) {
    using namespace lettore;
    Compilazione c;
    // The file names keep the names as text; the simulator reads them in its code page.
    c.scenario.nome_linea = nome_per_il_simulatore(d.nome_linea);
    c.scenario.nome_treno = nome_per_il_simulatore(d.nome_treno);
    c.provenienze.record.push_back({});
    Lettura l(d, c.scenario, c.esito, c.provenienze, fino_alla_fine);
    // The phases turn the failures of a record into code 25 themselves; what
    // fails outside a record (the general section's comments, the search for
    // "[generale]", the completion of a phase) is turned here.
    try {
        if (apri_linea(l) == Esito::fermo) return c;
        if (sezione_generale(l) == Esito::fermo) return c;
        if (record_linea(l) == Esito::fermo) return c;
        record_treno(l);
    } catch (const GuastoCampo& g) {
        guasto_campo(l, g);
    } catch (const GuastoImprevisto& g) {
        guasto(l, g.what(), g.campo, g.definitivo, g.note,
               g.record ? std::optional<Luogo>(luogo_del_record(l.testi, *g.record)) : std::nullopt);
    }
    return c;
}

}  // namespace compattatore
