#include "decompile/decompilazione_testo.h"

#include <cstdio>
#include <string>

#include "reader/formato_descrizione.h"
#include "reader/impaginazione.h"

namespace compattatore::decompilazione {

namespace {

using lettore::IdRecord;

// The keyword the writers use for a record (its `variante`-th spelling).
std::string parola(IdRecord id, std::size_t variante = 0) {
    return std::string(lettore::record_formato(id).parole[variante]);
}

std::string v(std::int64_t x) { return std::to_string(x); }

// A record in the layout the program writes, from the texts of its values.
std::string scritto(IdRecord id, std::size_t variante, std::initializer_list<std::string> valori) {
    const std::vector<std::string> testi(valori);
    return lettore::impagina(*lettore::impaginazione(id), parola(id, variante), testi);
}
std::string scritto(IdRecord id, std::initializer_list<std::string> valori) { return scritto(id, 0, valori); }

// Appends rows, each closed by CR LF, and keeps which record each holds.
class Scrittore {
public:
    void riga(std::string_view testo, std::optional<RecordScritto> record = std::nullopt) {
        t_.byte.append(testo);
        t_.byte.append("\r\n");
        t_.righe.push_back(record);
    }
    TestoScritto fine(lettore::FileDescrizione f) {
        riga(lettore::intestazione_finale(f));
        return std::move(t_);
    }

private:
    TestoScritto t_;
};

bool blank(char c) { return c == ' ' || c == '\t'; }

// A text ending a row, as the closest field when no field reads it back.
std::string campo_o_vicino(std::string_view testo) {
    if (std::optional<std::string> c = campo_testo(testo)) return *c;
    std::string vicino;
    for (char c : testo)
        if (c != '"' && c != '\n' && c != '\r') vicino += c;
    return campo_testo(vicino).value_or("\"\"");
}

// An empty field stands for a right-hand board speed of 0.
std::string velocita_destra(std::int32_t v) { return v == 0 ? std::string() : std::to_string(v); }

RecordScritto rec(Sezione s, std::size_t i) { return {s, i}; }

}  // namespace

std::optional<std::string> campo_testo(std::string_view testo) {
    const bool fine_riga = testo.find('\n') != std::string_view::npos;
    if (fine_riga) return std::nullopt;
    if (testo.empty()) return std::string("\"\"");
    const bool a_capo = testo.find("\r\n") != std::string_view::npos;
    if (a_capo) return std::nullopt;
    const bool virgolette = testo.find('"') != std::string_view::npos;
    const bool da_chiudere = blank(testo.front()) || blank(testo.back()) || testo.find(',') != std::string_view::npos ||
                             testo.front() == '"';
    if (!da_chiudere) return std::string(testo);
    if (virgolette) return std::nullopt;
    return "\"" + std::string(testo) + "\"";
}

TestoScritto scrivi_linea(const Linea& l) {
    Scrittore s;
    s.riga(lettore::intestazione(IdRecord::lunghezza_percorso));
    s.riga(scritto(IdRecord::lunghezza_percorso, {v(l.lunghezza)}));
    const std::pair<IdRecord, const std::optional<Progressiva>*> progressive[] = {
        {IdRecord::progressiva_uno, &l.uno}, {IdRecord::progressiva_due, &l.due}, {IdRecord::progressiva_tre, &l.tre}};
    for (const auto& [id, p] : progressive)
        if (*p)
            s.riga(scritto(id, {v((*p)->inizio), v((*p)->valore), v((*p)->verso)}));
    s.riga(scritto(IdRecord::sfondo_uno, {v(l.sfondo_uno)}));
    s.riga(scritto(IdRecord::sfondo_due, {v(l.sfondo_due)}));
    s.riga(scritto(IdRecord::sfondo_tre, {v(l.sfondo_tre)}));
    // The first spelling names 9 codes, the second 4.
    if (l.ripetizione)
        s.riga(scritto(IdRecord::ripetizione_segnali, l.ripetizione->codici == 4 ? 1 : 0,
                       {v(l.ripetizione->inizio), v(l.ripetizione->fine)}));

    s.riga(lettore::intestazione(IdRecord::curva));
    for (std::size_t i = 0; i < l.curve.size(); ++i) {
        const Curva& c = l.curve[i];
        s.riga(scritto(IdRecord::curva, (c.sinistra ? 0 : 6) + static_cast<std::size_t>(c.classe - 1),
                       {v(c.inizio), v(c.lunghezza)}),
               rec(Sezione::curve, i));
    }
    s.riga(lettore::intestazione(IdRecord::pendenza));
    for (std::size_t i = 0; i < l.pendenze.size(); ++i)
        s.riga(scritto(IdRecord::pendenza, {v(l.pendenze[i].posizione), v(l.pendenze[i].valore)}), rec(Sezione::pendenze, i));
    s.riga(lettore::intestazione(IdRecord::montagna));
    for (std::size_t i = 0; i < l.montagne.size(); ++i) {
        const Montagna& m = l.montagne[i];
        s.riga(scritto(IdRecord::montagna, {v(m.inizio), v(m.fine), v(m.tipo)}), rec(Sezione::montagne, i));
    }
    s.riga(lettore::intestazione(IdRecord::indicatori_vmax));
    for (std::size_t i = 0; i < l.indicatori.size(); ++i) {
        const Indicatore& b = l.indicatori[i];
        s.riga(scritto(IdRecord::indicatori_vmax,
                       {v(b.posizione), v(b.sinistro[0]), v(b.sinistro[1]), v(b.sinistro[2]), v(b.strisce_sinistro),
                        velocita_destra(b.destro[0]), velocita_destra(b.destro[1]), velocita_destra(b.destro[2]),
                        v(b.strisce_destro)}),
               rec(Sezione::indicatori, i));
    }
    s.riga(lettore::intestazione(IdRecord::cartello_indicatore));
    for (std::size_t i = 0; i < l.cartelli.size(); ++i) {
        const Cartello& c = l.cartelli[i];
        s.riga(scritto(IdRecord::cartello_indicatore, {v(c.posizione), campo_o_vicino(c.testo)}), rec(Sezione::cartelli, i));
    }
    return s.fine(lettore::FileDescrizione::linea);
}

TestoScritto scrivi_treno(const Treno& t) {
    Scrittore s;
    s.riga(lettore::intestazione(IdRecord::numero_vetture));
    s.riga(scritto(IdRecord::numero_vetture, {v(t.vetture)}));
    s.riga(scritto(IdRecord::massa_frenata, {v(t.massa_frenata)}));
    s.riga(scritto(IdRecord::sabbia, {v(t.sabbia)}));
    s.riga(scritto(IdRecord::orologio, {v(t.ore), v(t.minuti), v(t.secondi)}));

    s.riga(lettore::intestazione(IdRecord::aderenza));
    for (std::size_t i = 0; i < t.aderenze.size(); ++i)
        s.riga(scritto(IdRecord::aderenza, {v(t.aderenze[i].posizione), v(t.aderenze[i].valore)}), rec(Sezione::aderenze, i));
    s.riga(lettore::intestazione(IdRecord::velocita));
    for (std::size_t i = 0; i < t.velocita.size(); ++i)
        s.riga(scritto(IdRecord::velocita, {v(t.velocita[i].posizione), v(t.velocita[i].valore)}), rec(Sezione::velocita, i));

    s.riga(lettore::intestazione(IdRecord::stazione));
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        const Stazione& st = t.stazioni[i];
        // A time is written with two-digit minutes and seconds; no time as 0, 0, 0.
        const bool con_orario = st.ore != 0 || st.minuti != 0 || st.secondi != 0;
        auto due_cifre = [con_orario](std::int32_t x) {
            char b[16];
            std::snprintf(b, sizeof b, con_orario ? "%02d" : "%d", x);
            return std::string(b);
        };
        s.riga(scritto(IdRecord::stazione,
                       {v(st.posizione), v(st.tipo), v(st.lunghezza), v(st.flag[0]), v(st.flag[1]), v(st.flag[2]),
                        v(st.gruppo_a[0]), v(st.gruppo_a[1]), v(st.gruppo_a[2]), v(st.gruppo_b[0]), v(st.gruppo_b[1]),
                        v(st.gruppo_b[2]), v(st.fermata), v(st.ore), due_cifre(st.minuti), due_cifre(st.secondi),
                        campo_o_vicino(st.nome)}),
               rec(Sezione::stazioni, i));
    }
    s.riga(lettore::intestazione(IdRecord::rallentamento));
    for (std::size_t i = 0; i < t.rallentamenti.size(); ++i) {
        const Rallentamento& r = t.rallentamenti[i];
        s.riga(scritto(IdRecord::rallentamento, {v(r.x), v(r.v), v(r.l), v(r.f_tt), v(r.f_ta), v(r.d_v)}),
               rec(Sezione::rallentamenti, i));
    }
    s.riga(lettore::intestazione(IdRecord::segnale));
    for (std::size_t i = 0; i < t.segnali.size(); ++i) {
        const Segnale& g = t.segnali[i];
        s.riga(scritto(IdRecord::segnale, {v(g.posizione), v(g.sx), v(g.s1), v(g.s2), v(g.s3), v(g.rapp), v(g.dx),
                                           v(g.d1), v(g.d2), v(g.d3), v(g.tempo)}),
               rec(Sezione::segnali, i));
    }
    s.riga(lettore::intestazione(IdRecord::abbattimento));
    for (std::size_t i = 0; i < t.abbattimenti.size(); ++i)
        s.riga(scritto(IdRecord::abbattimento, {v(t.abbattimenti[i].posizione), v(t.abbattimenti[i].codice)}),
               rec(Sezione::abbattimenti, i));
    return s.fine(lettore::FileDescrizione::treno);
}

bool togli_record(Descrizione& d, const RecordScritto& r) {
    auto togli = [&r](auto& lista) {
        if (r.indice >= lista.size()) return false;
        lista.erase(lista.begin() + static_cast<std::ptrdiff_t>(r.indice));
        return true;
    };
    switch (r.sezione) {
        case Sezione::generale: return false;
        case Sezione::curve: return togli(d.linea.curve);
        case Sezione::pendenze: return togli(d.linea.pendenze);
        case Sezione::montagne: return togli(d.linea.montagne);
        case Sezione::indicatori: return togli(d.linea.indicatori);
        case Sezione::cartelli: return togli(d.linea.cartelli);
        case Sezione::aderenze: return togli(d.treno.aderenze);
        case Sezione::velocita: return togli(d.treno.velocita);
        case Sezione::stazioni: return togli(d.treno.stazioni);
        case Sezione::rallentamenti: return togli(d.treno.rallentamenti);
        case Sezione::segnali: return togli(d.treno.segnali);
        case Sezione::abbattimenti: return togli(d.treno.abbattimenti);
    }
    return false;
}

}  // namespace compattatore::decompilazione
