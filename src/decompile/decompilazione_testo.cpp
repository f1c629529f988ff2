#include "decompile/decompilazione_testo.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "reader/formato_descrizione.h"

namespace compattatore::decompilazione {

namespace {

using lettore::IdRecord;

// The keyword the writers use for a record (its `variante`-th spelling).
std::string parola(IdRecord id, std::size_t variante = 0) {
    return std::string(lettore::record_formato(id).parole[variante]);
}

// Appends rows, each closed by CR LF, and keeps which record each holds.
class Scrittore {
public:
    void riga(std::string_view testo, std::optional<RecordScritto> record = std::nullopt) {
        t_.byte.append(testo);
        t_.byte.append("\r\n");
        t_.righe.push_back(record);
    }
    template <class... Valori>
    void riga(std::optional<RecordScritto> record, const char* formato, Valori... valori) {
        char buffer[256];
        const int n = std::snprintf(buffer, sizeof buffer, formato, valori...);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer) throw std::length_error("riga troppo lunga");
        riga(std::string_view(buffer, static_cast<std::size_t>(n)), record);
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
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::lunghezza_percorso).c_str(), l.lunghezza);
    const std::pair<IdRecord, const std::optional<Progressiva>*> progressive[] = {
        {IdRecord::progressiva_uno, &l.uno}, {IdRecord::progressiva_due, &l.due}, {IdRecord::progressiva_tre, &l.tre}};
    for (const auto& [id, p] : progressive)
        if (*p)
            s.riga(std::nullopt, "%s,    %d,    %d,    %d", parola(id).c_str(), (*p)->inizio, (*p)->valore,
                   (*p)->verso);
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::sfondo_uno).c_str(), l.sfondo_uno);
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::sfondo_due).c_str(), l.sfondo_due);
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::sfondo_tre).c_str(), l.sfondo_tre);
    // The first spelling names 9 codes, the second 4.
    if (l.ripetizione)
        s.riga(std::nullopt, "%s,    %d,    %d", parola(IdRecord::ripetizione_segnali, l.ripetizione->codici == 4 ? 1 : 0).c_str(),
               l.ripetizione->inizio, l.ripetizione->fine);

    s.riga(lettore::intestazione(IdRecord::curva));
    for (std::size_t i = 0; i < l.curve.size(); ++i) {
        const Curva& c = l.curve[i];
        s.riga(rec(Sezione::curve, i), "%s,  %d,  %d",
               parola(IdRecord::curva, (c.sinistra ? 0 : 6) + static_cast<std::size_t>(c.classe - 1)).c_str(), c.inizio,
               c.lunghezza);
    }
    s.riga(lettore::intestazione(IdRecord::pendenza));
    for (std::size_t i = 0; i < l.pendenze.size(); ++i)
        s.riga(rec(Sezione::pendenze, i), "%s,  %d,   %d", parola(IdRecord::pendenza).c_str(), l.pendenze[i].posizione, l.pendenze[i].valore);
    s.riga(lettore::intestazione(IdRecord::montagna));
    for (std::size_t i = 0; i < l.montagne.size(); ++i) {
        const Montagna& m = l.montagne[i];
        s.riga(rec(Sezione::montagne, i), "%s,   %d,  %d,  %d", parola(IdRecord::montagna).c_str(), m.inizio, m.fine, m.tipo);
    }
    s.riga(lettore::intestazione(IdRecord::indicatori_vmax));
    for (std::size_t i = 0; i < l.indicatori.size(); ++i) {
        const Indicatore& b = l.indicatori[i];
        s.riga(rec(Sezione::indicatori, i), "%s,  %d,  %d,  %d,  %d,  %d,  %s,  %s,  %s,  %d",
               parola(IdRecord::indicatori_vmax).c_str(), b.posizione,
               b.sinistro[0], b.sinistro[1], b.sinistro[2], b.strisce_sinistro, velocita_destra(b.destro[0]).c_str(),
               velocita_destra(b.destro[1]).c_str(), velocita_destra(b.destro[2]).c_str(), b.strisce_destro);
    }
    s.riga(lettore::intestazione(IdRecord::cartello_indicatore));
    for (std::size_t i = 0; i < l.cartelli.size(); ++i) {
        const Cartello& c = l.cartelli[i];
        s.riga(parola(IdRecord::cartello_indicatore) + ",  " + std::to_string(c.posizione) + ",   " + campo_o_vicino(c.testo),
               rec(Sezione::cartelli, i));
    }
    return s.fine(lettore::FileDescrizione::linea);
}

TestoScritto scrivi_treno(const Treno& t) {
    Scrittore s;
    s.riga(lettore::intestazione(IdRecord::numero_vetture));
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::numero_vetture).c_str(), t.vetture);
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::massa_frenata).c_str(), t.massa_frenata);
    s.riga(std::nullopt, "%s,    %d", parola(IdRecord::sabbia).c_str(), t.sabbia);
    s.riga(std::nullopt, "%s,    %d              %d            %d ", parola(IdRecord::orologio).c_str(), t.ore, t.minuti,
           t.secondi);

    s.riga(lettore::intestazione(IdRecord::aderenza));
    for (std::size_t i = 0; i < t.aderenze.size(); ++i)
        s.riga(rec(Sezione::aderenze, i), "%s,%8d,%6d", parola(IdRecord::aderenza).c_str(), t.aderenze[i].posizione, t.aderenze[i].valore);
    s.riga(lettore::intestazione(IdRecord::velocita));
    for (std::size_t i = 0; i < t.velocita.size(); ++i)
        s.riga(rec(Sezione::velocita, i), "%s,%8d,%6d", parola(IdRecord::velocita).c_str(), t.velocita[i].posizione, t.velocita[i].valore);

    s.riga(lettore::intestazione(IdRecord::stazione));
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        const Stazione& st = t.stazioni[i];
        // A time is written with two-digit minutes and seconds; no time as 0, 0, 0.
        const bool con_orario = st.ore != 0 || st.minuti != 0 || st.secondi != 0;
        char orario[64];
        std::snprintf(orario, sizeof orario, con_orario ? "%4d,%02d,%02d" : "%4d,%2d,%2d", st.ore, st.minuti,
                      st.secondi);
        char campi[200];
        std::snprintf(campi, sizeof campi, "%s,%8d,%3d,%5d,%3d,%2d,%2d,%3d,%d,%d,%3d,%d,%d,%5d,%s, ",
                      parola(IdRecord::stazione).c_str(), st.posizione, st.tipo, st.lunghezza, st.flag[0], st.flag[1], st.flag[2], st.gruppo_a[0],
                      st.gruppo_a[1], st.gruppo_a[2], st.gruppo_b[0], st.gruppo_b[1], st.gruppo_b[2], st.fermata,
                      orario);
        s.riga(campi + campo_o_vicino(st.nome), rec(Sezione::stazioni, i));
    }
    s.riga(lettore::intestazione(IdRecord::rallentamento));
    for (std::size_t i = 0; i < t.rallentamenti.size(); ++i) {
        const Rallentamento& r = t.rallentamenti[i];
        s.riga(rec(Sezione::rallentamenti, i), "%s,  %d,    %d,  %d, %d,  %d,  %d",
               parola(IdRecord::rallentamento).c_str(), r.x, r.v, r.l, r.f_tt,
               r.f_ta, r.d_v);
    }
    s.riga(lettore::intestazione(IdRecord::segnale));
    for (std::size_t i = 0; i < t.segnali.size(); ++i) {
        const Segnale& g = t.segnali[i];
        s.riga(rec(Sezione::segnali, i), "%s,%8d,%4d,%2d,%2d,%3d,%2d,%5d,%3d,%d,%d, %d",
               parola(IdRecord::segnale).c_str(), g.posizione, g.sx, g.s1,
               g.s2, g.s3, g.rapp, g.dx, g.d1, g.d2, g.d3, g.tempo);
    }
    s.riga(lettore::intestazione(IdRecord::abbattimento));
    for (std::size_t i = 0; i < t.abbattimenti.size(); ++i)
        s.riga(rec(Sezione::abbattimenti, i), "%s,%8d,%6d", parola(IdRecord::abbattimento).c_str(), t.abbattimenti[i].posizione,
               t.abbattimenti[i].codice);
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
