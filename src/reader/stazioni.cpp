// One station record: its voci entry (from slot 1 upwards), its extent
// along the line, and its stop cell and approach marks in the grid.
#include "reader/avvisi.h"
#include "reader/fasi.h"
#include "tables/arrotonda.h"
#include "tables/costanti_formato.h"

namespace compattatore::lettore {

namespace {

// A station needs this much grid beyond its position.
constexpr double margine_stazione = 800.0;

// Start and end of the station from its position P, length L and kind.
void estensione(Voce& v, std::int32_t lunghezza) {
    const std::int64_t p = v.posizione;
    const RegolaStazione regola = regola_stazione(v.tipo);
    if (regola == RegolaStazione::fine_a_150_m) {
        v.fine = in_32(p + oltre_fermata_in_testa);
        v.inizio = in_32(p - lunghezza);
        VistaStazione{v}.fine_prolungata() = 0;
    } else if (regola == RegolaStazione::doppia_lunghezza) {
        v.inizio = in_32(p - lunghezza);
        v.fine = in_32(p + lunghezza);
        VistaStazione{v}.fine_prolungata() = 0;
    } else {
        v.inizio = in_32(arrotonda(static_cast<double>(p) - static_cast<double>(lunghezza) / 2.0));
        v.fine = in_32(arrotonda(static_cast<double>(p) + static_cast<double>(lunghezza) / 2.0) +
                       (VistaStazione{v}.fine_prolungata() != 0 ? lunghezza_cella : 0));
    }
}

}  // namespace

Esito stazione(Lettura& l) {
    Scenario& s = l.s;
    LettoreCampi& f = l.f();
    const std::int32_t i = l.slot_stazione;
    ++l.ricordi.stazioni;
    Voce& v = s.voci[static_cast<std::size_t>(i)];

    v.posizione = f.leggi_32();
    const std::int32_t p = v.posizione;
    if ((static_cast<double>(p) + margine_stazione) / lunghezza_cella > static_cast<double>(s.numero_celle)) {
        const std::int64_t ultima = static_cast<std::int64_t>(s.numero_celle) * lunghezza_cella - 800;
        registra_errore(l, Codice::oltre_la_griglia, p, luogo_campo(l, 1), {},
                        {"l'ultima posizione accettata per una stazione è " + std::to_string(ultima) + " m"});
        return l.controllo ? Esito::salta : Esito::fine_file;
    }
    if (p % lunghezza_cella != 0) return ferma(l, Codice::stazione_fuori_passo, p, 1, {"la posizione va su un multiplo di " + std::to_string(lunghezza_cella) + " m"});
    v.tipo = f.leggi_u8();
    const std::int32_t lunghezza = f.leggi_32();
    if (lunghezza % passo_lunghezza_stazione != 0)
        return ferma(l, Codice::lunghezza_stazione_fuori_passo, p, 3,
                     {"la lunghezza va su un multiplo di " + std::to_string(passo_lunghezza_stazione) + " m"});

    const VistaStazione st{v};
    st.flag_a() = f.leggi_u8();
    st.flag_b() = f.leggi_u8();
    st.fine_prolungata() = f.leggi_u8();
    st.gruppo_a1() = f.leggi_16();
    st.gruppo_a2() = f.leggi_16();
    st.gruppo_a3() = f.leggi_u8();
    st.gruppo_b1() = f.leggi_16();
    st.gruppo_b2() = f.leggi_16();
    st.gruppo_b3() = f.leggi_16();
    st.valore_fermata() = f.leggi_u8();
    const std::int64_t ore = f.leggi_32();
    const std::int64_t minuti = f.leggi_32();
    const std::int64_t secondi = f.leggi_32();
    st.orario() = in_32((ore * 60 + minuti) * 60 + secondi, 14);
    if (st.orario() != 0) l.ricordi.orari.push_back({i, record_corrente(l, 14)});
    std::string nome = f.leggi_stringa();
    testo_letto(l, nome, 17, "il nome della stazione");
    if (nome.size() > colonne_nome_scheda)
        avviso(l, Avviso::nome_troppo_lungo,
               "nome di " + std::to_string(nome.size()) + " caratteri: la scheda orario ne mostra " +
                   std::to_string(colonne_nome_scheda),
               luogo_campo(l, 17), {"sulla scheda il nome diventa \"" + nome.substr(0, colonne_nome_scheda - 1) + ".\""});
    st.nome() = testo_di_voce(std::move(nome), 17);
    posizione_negativa(l, p);
    oltre_fine_linea(l, p, 1, "stazione");
    lunghezza_negativa(l, lunghezza, 3, "stazione di lunghezza negativa");
    orario(l, ore, minuti, secondi, 14);

    estensione(v, lunghezza);
    if (lunghezza < lunghezza_minima_flag_b) st.flag_b() = 0;
    // The first station keeps the extra 50 m its sixth field gave to `fine`.
    if (i == static_cast<std::int32_t>(prima_stazione)) {
        st.fine_prolungata() = 0;
        st.flag_b() = 0;
    }

    if (stazione_con_fermata(v.tipo)) {
        const double fine_celle = static_cast<double>(v.fine) / lunghezza_cella;
        if (regola_stazione(v.tipo) != RegolaStazione::fine_a_150_m) {
            for (int n = 1; n <= 4; ++n) {
                const double e = fine_celle - n - 1;
                if (e <= 1) continue;
                if (Cella* c = cella_se_presente(s.celle, arrotonda(e))) c->preavviso = static_cast<std::uint8_t>(80 + n);
            }
        }
        const double e = fine_celle - 1;
        if (e <= 1)
            return ferma(l, Codice::fermata_in_testa, 1,
                         {"la stazione finisce a " + std::to_string(v.fine) + " m: deve finire oltre i 100 m"});
        // The stop cell is written whatever it held.
        const std::int64_t j = arrotonda(e);
        if (Cella* c = cella_se_presente(s.celle, j)) {
            if (!cella_libera(*c))
                avviso(l, Avviso::fermata_su_elemento,
                       "la fermata della stazione prende la " + nome_cella(j) + ", che conteneva " + cosa_occupa(l, j),
                       luogo_campo(l, 1), {"quell'elemento sparisce dal file compilato"});
            c->tipo = TipoCella::fermata;
            c->valore1 = static_cast<std::int16_t>(i);
            segna_provenienza(l, j);
        }
    }

    if (i > 1 && static_cast<std::int64_t>(v.inizio) - distacco_minimo_stazioni <
                     s.voci[static_cast<std::size_t>(i - 1)].fine)
        return ferma(l, Codice::stazioni_troppo_vicine, p, 1,
                     {"la stazione comincia a " + std::to_string(v.inizio) + " m, la precedente, " +
                      s.voci[static_cast<std::size_t>(i - 1)].nome + ", finisce a " +
                      std::to_string(s.voci[static_cast<std::size_t>(i - 1)].fine) + " m"});

    if (i + 1 >= l.slot_testo) {
        // A reading that goes on keeps this slot for the next station: the
        // slots above belong to the signs' texts.
        if (!l.controllo) l.slot_stazione = i + 1;
        return ferma(l, Codice::posti_esauriti, 0, {"stazioni e cartelli indicatori occupano insieme al più 78 posti"});
    }
    l.slot_stazione = i + 1;
    return Esito::avanti;
}

}  // namespace compattatore::lettore
