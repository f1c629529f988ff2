#include "reader/avvisi.h"

#include <algorithm>
#include <array>
#include <vector>

#include "tables/arrotonda.h"
#include "tables/utf8.h"
#include "tables/scenario.h"

namespace compattatore::lettore {

namespace {

bool ha_lettere(std::string_view t) {
    return std::any_of(t.begin(), t.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
    });
}

std::string_view nome_contesto(Contesto c) {
    switch (c) {
        case Contesto::generale: return "della sezione [generale] del file della linea";
        case Contesto::linea: return "del file della linea";
        case Contesto::treno: return "del file del treno";
    }
    return {};
}

std::string elenco_parole(Contesto c) {
    std::string r;
    for (const Record& k : formato_descrizione().records) {
        if (k.contesto != c) continue;
        // A family of keys (the twelve curves) shows as its first and last.
        if (k.parole.size() > 2) {
            if (!r.empty()) r += ", ";
            r += std::string(k.parole.front()) + ".." + std::string(k.parole.back());
            continue;
        }
        for (const std::string_view parola : k.parole) {
            if (!r.empty()) r += ", ";
            r += parola;
        }
    }
    return r;
}

// The keyword of another text or section that `campo` would be read as.
void fuori_posto(Lettura& l, const std::string& campo, Contesto contesto, const Luogo& qui, bool& trovato) {
    for (const Contesto altro : {Contesto::generale, Contesto::linea, Contesto::treno}) {
        if (altro == contesto) continue;
        const Record* k = riconosci(campo, altro);
        if (!k) continue;
        trovato = true;
        std::string messaggio = "\"" + campo + "\" è una parola chiave " + std::string(nome_contesto(altro)) +
                                ": qui è ignorata";
        std::vector<std::string> note;
        if (contesto == Contesto::generale && altro == Contesto::linea)
            note.push_back("la sezione [generale] finisce alla prima intestazione tra parentesi quadre, come "
                           "\"[curve]\": i record della linea vanno dopo di essa");
        else if (contesto == Contesto::linea && altro == Contesto::generale)
            note.push_back("le chiavi generali vanno prima della prima intestazione tra parentesi quadre");
        avviso(l, Avviso::record_fuori_posto, std::move(messaggio), qui, std::move(note));
        return;
    }
}

std::string testo_velocita(const Cartello& c) {
    return std::to_string(c.a) + "/" + std::to_string(c.b) + "/" + std::to_string(c.c) + " km/h";
}

bool intero(std::string_view t) {
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
}

bool blank(char c) { return c == ' ' || c == '\t'; }

// The field before the one at byte `da` of `riga`, without its blanks.
std::string_view campo_prima(std::string_view riga, std::size_t da) {
    std::size_t fine = std::min(da, riga.size());
    while (fine > 0 && blank(riga[fine - 1])) --fine;
    if (fine > 0 && riga[fine - 1] == ',') --fine;
    while (fine > 0 && blank(riga[fine - 1])) --fine;
    std::size_t inizio = fine;
    while (inizio > 0 && riga[inizio - 1] != ',' && !blank(riga[inizio - 1])) --inizio;
    return riga.substr(inizio, fine - inizio);
}

// Whether the field at byte `da` of `riga` follows a comma that follows the
// field before, with no blank between them: "-4,5".
bool attaccato_con_virgola(std::string_view riga, std::size_t da) {
    return da >= 2 && da <= riga.size() && riga[da - 1] == ',' && !blank(riga[da - 2]);
}

// Whether `riga` holds nothing but blanks and commas from byte `da` on.
bool nulla_dopo(std::string_view riga, std::size_t da) {
    return da >= riga.size() || riga.find_first_not_of(" \t,", da) == std::string_view::npos;
}

}  // namespace

bool numero_in_piu(Lettura& l, const std::string& campo, const PosizioneCampo& p) {
    if (p.primo || !intero(campo)) return false;
    if (p.riga == l.ricordi.riga_silenziata) return true;
    l.ricordi.riga_silenziata = p.riga;
    if (solo_contato(l)) return true;
    const Record* r = l.ricordi.riga_ultimo_record == p.riga ? l.ricordi.ultimo_record : nullptr;
    std::string messaggio = "numero " + campo + " in più";
    if (r) messaggio += " dopo i campi del record \"" + std::string(nome_record(*r)) + "\"";
    messaggio += ": è ignorato";
    std::vector<std::string> note;
    const std::string_view riga = l.f().riga(p);
    const std::size_t da = static_cast<std::size_t>(p.colonna - 1);
    const std::string_view prima = campo_prima(riga, da);
    const bool ultimo_numerico = r && !r->campi.empty() && r->campi.back().tipo != TipoCampo::testo;
    if (ultimo_numerico && intero(prima) && campo.find_first_not_of("0123456789") == std::string::npos &&
        nulla_dopo(riga, da + static_cast<std::size_t>(p.larghezza)) && attaccato_con_virgola(riga, da)) {
        const std::string letto(prima.front() == '+' ? prima.substr(1) : prima);
        note.push_back("la virgola separa i campi, non i decimali: \"" + std::string(prima) + "," + campo +
                       "\" è letto " + letto + " seguito da un campo in più");
        std::string scrivi = "i valori sono numeri interi, senza decimali: scrivi " + letto;
        if (campo.find_first_not_of('0') != std::string::npos) {
            const std::int64_t v = std::stoll(letto);
            scrivi += " o " + std::to_string(letto.front() == '-' ? v - 1 : v + 1);
        }
        note.push_back(std::move(scrivi));
    } else {
        note.push_back(r ? "\"" + std::string(nome_record(*r)) + "\" ha " + std::to_string(r->campi.size()) +
                               (r->campi.size() == 1 ? " campo" : " campi") + ": quelli dopo sono ignorati"
                         : "un record finisce con il suo ultimo campo");
    }
    avviso(l, Avviso::campo_in_piu, std::move(messaggio), luogo_di(l, l.testo_corrente, p), std::move(note));
    return true;
}

void campo_non_riconosciuto(Lettura& l, const std::string& campo, Contesto contesto) {
    const PosizioneCampo p = *l.record;
    if (contiene_ci(campo, "[fine]")) {
        l.ricordi.dopo_fine = true;
        return;
    }
    if (numero_in_piu(l, campo, p)) return;
    if (!ha_lettere(campo) || (contiene(campo, "[") && contiene(campo, "]"))) return;
    if (p.riga == l.ricordi.riga_silenziata) return;
    l.ricordi.riga_silenziata = p.riga;

    // A record of the documents: its text is its own.
    if (const Record* k = riconosci(campo, contesto); k && k->solo_documenti) return;
    if (solo_contato(l)) return;
    const Luogo qui = luogo_di(l, l.testo_corrente, p);
    if (!p.primo) {
        avviso(l, Avviso::campo_in_piu, "campo \"" + campo + "\" in più, fuori da ogni record: è ignorato", qui,
               {"un record finisce con il suo ultimo campo, e nessun testo può contenere virgole"});
        return;
    }
    bool trovato = false;
    fuori_posto(l, campo, contesto, qui, trovato);
    if (trovato) return;

    std::vector<std::string> note;
    if (const std::optional<std::string_view> vicina = parola_vicina(campo, contesto)) {
        if (distanza(campo, *vicina) == 0)
            note.push_back("\"progressiva\", \"sfondo\", \"ripetizione\", \"segnali\", \"uno\", \"due\" e \"tre\" "
                           "vanno scritte in minuscolo");
        else
            note.push_back("forse intendevi `" + std::string(*vicina) + "`?");
    } else {
        note.push_back("le parole chiave " + std::string(nome_contesto(contesto)) + " sono: " + elenco_parole(contesto));
    }
    avviso(l, Avviso::parola_chiave_sconosciuta, "parola chiave sconosciuta \"" + campo + "\": la riga è ignorata", qui,
           std::move(note));
}

void dopo_record(Lettura& l) {
    l.ricordi.ultimo_record = l.record_formato;
    l.ricordi.riga_ultimo_record = l.record ? l.record->riga : 0;
    if (!l.ricordi.dopo_fine) return;
    l.ricordi.dopo_fine = false;
    if (solo_contato(l)) return;
    avviso(l, Avviso::record_dopo_fine, "record dopo \"[fine]\": è letto lo stesso", luogo_campo(l, 0),
           {"\"[fine]\" è l'ultima riga del file: quello che la segue non è un commento"});
}

void chiave_generale(Lettura& l, const Record& r) {
    const std::uint32_t bit = std::uint32_t{1} << static_cast<int>(r.id);
    const std::string_view nome = nome_record(r);
    if ((l.ricordi.chiavi_generali & bit) && !solo_contato(l))
        avviso(l, Avviso::chiave_ripetuta, "\"" + std::string(nome) + "\" è già stata data: vale quest'ultima",
               luogo_campo(l, 0));
    l.ricordi.chiavi_generali |= bit;
}

void posizione_negativa(Lettura& l, std::int64_t posizione, int campo) {
    if (posizione >= 0 || solo_contato(l)) return;
    avviso(l, Avviso::posizione_negativa, "posizione negativa (" + std::to_string(posizione) + " m)", luogo_campo(l, campo),
           {"il percorso comincia a 0 m"});
}

void lunghezza_negativa(Lettura& l, std::int64_t lunghezza, int campo, std::string_view cosa) {
    if (lunghezza >= 0 || solo_contato(l)) return;
    avviso(l, Avviso::lunghezza_negativa, std::string(cosa) + " (" + std::to_string(lunghezza) + " m)",
           luogo_campo(l, campo));
}

void in_ordine(Lettura& l, std::optional<std::int32_t>& precedente, std::int32_t posizione, std::string_view cosa) {
    if (precedente && posizione < *precedente && !solo_contato(l))
        avviso(l, Avviso::righe_fuori_ordine,
               "riga \"" + std::string(cosa) + "\" a " + std::to_string(posizione) + " m dopo una a " +
                   std::to_string(*precedente) + " m",
               luogo_campo(l, 1), {"queste righe vanno in ordine crescente di posizione: in disordine cambiano il "
                                   "tratto a cui ciascuna si applica"});
    precedente = posizione;
}

void tratto_successivo(Lettura& l, Ricordi::Tratto& precedente, std::int32_t inizio, std::int64_t fine,
                       std::string_view cosa, Avviso nome_avviso, std::string nota) {
    if (precedente.inizio && inizio >= *precedente.inizio && inizio < precedente.fine && !solo_contato(l))
        avviso(l, nome_avviso,
               std::string(cosa) + " che comincia dentro la precedente, finita a " + std::to_string(precedente.fine) +
                   " m",
               luogo_campo(l, 1), {std::move(nota)});
    in_ordine(l, precedente.inizio, inizio, cosa);
    precedente.fine = fine;
}

std::string_view nome_corrente(const Lettura& l) {
    return l.record_formato ? nome_record(*l.record_formato) : std::string_view{};
}

void troncato(Lettura& l, std::int64_t valore, int campo) {
    const Campo& c = l.record_formato->campi[static_cast<std::size_t>(campo - 1)];
    troncato(l, valore, c.minimo, c.massimo, campo, c.nome);
}

void troncato(Lettura& l, std::int64_t valore, std::int64_t minimo, std::int64_t massimo, int campo,
              std::string_view cosa) {
    if ((valore >= minimo && valore <= massimo) || solo_contato(l)) return;
    const std::int64_t resto = ((valore - minimo) % 256 + 256) % 256;
    avviso(l, Avviso::valore_troncato,
           std::string(cosa) + " " + std::to_string(valore) + " fuori dal campo: nel file compilato diventa " +
               std::to_string(minimo + resto),
           luogo_campo(l, campo), {"il campo va da " + std::to_string(minimo) + " a " + std::to_string(massimo)});
}

void multiplo_di_5(Lettura& l, std::int32_t velocita, int campo) {
    if (velocita % 5 == 0 || solo_contato(l)) return;
    const std::int64_t arrotondata = arrotonda(static_cast<double>(velocita) / 5.0) * 5;
    avviso(l, Avviso::velocita_arrotondata,
           "velocità " + std::to_string(velocita) + " km/h non multipla di 5: diventa " +
               std::to_string(arrotondata) + " km/h",
           luogo_campo(l, campo), {"le velocità sono memorizzate in passi di 5 km/h"});
}

void testo_letto(Lettura& l, const std::string& testo, int campo, std::string_view cosa) {
    LettoreCampi& f = l.f();
    if (f.delimitatore() == Delimitatore::virgola) {
        const PosizioneCampo p = f.posizione_campo();
        const std::string_view riga = f.riga(p);
        std::size_t resto = std::min(riga.size(), static_cast<std::size_t>(p.colonna - 1 + p.larghezza));
        resto = riga.find(',', resto);
        const std::string_view dopo = resto == std::string_view::npos ? std::string_view{} : riga.substr(resto + 1);
        if (dopo.find_first_not_of(" \t") != std::string_view::npos) {
            if (!solo_contato(l))
                avviso(l, Avviso::virgola_nel_testo,
                       std::string(cosa) + " finisce alla virgola: il resto della riga è ignorato",
                       luogo_campo(l, campo),
                       {"un testo non può contenere virgole; il testo letto è \"" + testo + "\""});
            l.ricordi.riga_silenziata = p.riga;
        }
    }
    // Bytes that form UTF-8 sequences: the simulator reads one byte per character.
    bool multibyte = false;
    for (std::size_t i = 0; i < testo.size();) {
        std::uint32_t punto = 0;
        if (static_cast<unsigned char>(testo[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = sequenza_utf8(testo, i, punto);
        if (n == 0) return;
        multibyte = true;
        i += n;
    }
    if (multibyte && !solo_contato(l))
        avviso(l, Avviso::testo_utf8, std::string(cosa) + " è scritto in UTF-8: il simulatore ne mostra ogni byte come una lettera",
               luogo_campo(l, campo),
               {"salva il file nella codifica Windows-1252 (Europa occidentale), una lettera per byte"});
}

void orario(Lettura& l, std::int64_t ore, std::int64_t minuti, std::int64_t secondi, int campo) {
    if ((ore >= 0 && ore <= 47 && minuti >= 0 && minuti <= 59 && secondi >= 0 && secondi <= 59) || solo_contato(l))
        return;
    avviso(l, Avviso::orario_non_valido,
           "orario " + std::to_string(ore) + ", " + std::to_string(minuti) + ", " + std::to_string(secondi) +
               " non valido",
           luogo_campo(l, campo), {"ore da 0 a 47 (oltre la mezzanotte), minuti e secondi da 0 a 59"});
}

void annuncio(Lettura& l, std::int32_t vas, std::int32_t vbs, std::int32_t vcs, std::int32_t strisces,
              std::int32_t vad, std::int32_t vbd, std::int32_t vcd, std::int32_t strisced) {
    const std::array<Cartello, 2> cartelli = {Cartello{true, vas, vbs, vcs},
                                              Cartello{vad != 0 || vbd != 0 || vcd != 0, vad, vbd, vcd}};
    const std::array<std::int32_t, 2> strisce = {strisces, strisced};
    std::vector<std::string> lati;
    for (std::size_t lato = 0; lato < 2; ++lato) {
        const Cartello& c = cartelli[lato];
        if (!c.presente) continue;
        Cartello& vigore = l.ricordi.in_vigore[lato];
        Cartello& corsa = l.ricordi.annuncio[lato];
        if (strisce[lato] == 0) {
            vigore = c;
            corsa = {};
            continue;
        }
        // A run of striped boards with the same speeds is judged at its first board.
        if (corsa.presente && corsa.a == c.a && corsa.b == c.b && corsa.c == c.c) continue;
        corsa = c;
        if (!vigore.presente || c.a < vigore.a || c.b < vigore.b || c.c < vigore.c) continue;
        lati.push_back(std::string(lato == 0 ? "a sinistra " : "a destra ") + testo_velocita(c) + " dove vale già " +
                       testo_velocita(vigore));
    }
    if (lati.empty() || solo_contato(l)) return;
    avviso(l, Avviso::annuncio_prima_di_aumento,
           "cartelli con strisce che non annunciano una riduzione: " + lati[0] + (lati.size() > 1 ? ", " + lati[1] : ""),
           luogo_campo(l, 1),
           {"le strisce (2, 1, 0) annunciano una riduzione di velocità; un aumento si segna con un solo cartello "
            "senza strisce"});
}


void oltre_fine_linea(Lettura& l, std::int64_t posizione, int campo, std::string_view cosa) {
    if (!l.s.griglia_esiste()) return;
    const std::int64_t lunghezza = VistaIntestazione{l.s.voci}.lunghezza_linea();
    if (posizione <= lunghezza) return;
    avviso(l, Avviso::oltre_fine_linea,
           std::string(cosa) + " a " + std::to_string(posizione) + " m, oltre la fine della linea a " +
               std::to_string(lunghezza) + " m",
           luogo_campo(l, campo),
           {"la griglia va " + std::to_string(prolungamento_linea) + " m oltre la lunghezza del percorso, ma la linea finisce a " + std::to_string(lunghezza) +
            " m"});
}

void tabella_in_vigore(Lettura& l, std::int32_t posizione, bool cambia) {
    if (!cambia) return;
    std::int32_t rango = 0;
    for (const Cartello& c : l.ricordi.in_vigore)
        if (c.presente) rango = std::max({rango, c.a, c.b, c.c});
    l.ricordi.tabelle.push_back({posizione, rango, record_corrente(l, 1)});
}

void velocita_plausibile(Lettura& l, std::int64_t velocita, int campo) {
    if (velocita <= velocita_massima_rete) return;
    avviso(l, Avviso::velocita_implausibile,
           "velocità di " + std::to_string(velocita) + " km/h, oltre i " + std::to_string(velocita_massima_rete) +
               " km/h della linea più veloce",
           luogo_campo(l, campo), {"una cifra di troppo? i limiti si scrivono in km/h"});
}

}  // namespace compattatore::lettore
