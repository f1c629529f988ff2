#include "compiled/plausibilita_voci.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "compiled/descrizione.h"
#include "tables/codifica.h"
#include "tables/costanti_formato.h"
#include "tables/file_compilati.h"

namespace compattatore {

namespace {

using std::to_string;

// One field of an entry: its name, its offset from the entry's first byte
// and, unless it is the text, its value.
struct CampoVoce {
    std::string_view nome;
    std::size_t offset = 0;
    std::int64_t valore = 0;
    bool testo = false;
};

std::vector<CampoVoce> campi_di(const Voce& v) {
    std::vector<CampoVoce> campi;
    std::size_t offset = 0;
    codifica::per_ogni_campo(campi_voce, [&](const auto& c) {
        using T = typename std::decay_t<decltype(c)>::Tipo;
        CampoVoce x{c.nome, offset};
        if constexpr (std::is_same_v<T, std::string>) {
            x.testo = true;
            offset += v.nome.size();
        } else {
            x.valore = static_cast<std::int64_t>(v.*(c.membro));
        }
        offset += codifica::larghezza<T>;
        campi.push_back(x);
    });
    return campi;
}

// Whether any number of the entry is set.
bool ha_numeri(const Voce& v) {
    const std::vector<CampoVoce> campi = campi_di(v);
    return std::any_of(campi.begin(), campi.end(), [](const CampoVoce& c) { return !c.testo && c.valore != 0; });
}

bool vuota(const Voce& v) { return v.nome.empty() && !ha_numeri(v); }

// A name from the file, readable, between double quotes.
std::string tra_virgolette(std::string_view byte) { return "\"" + testo_leggibile(byte) + "\""; }

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The fields the compiler writes in each header entry; the others stay 0.
struct CampiIntestazione {
    std::size_t voce;
    std::string_view ruolo;
    std::initializer_list<std::string_view> scritti;
};


const std::array<CampiIntestazione, 6>& campi_intestazione() {
    static const std::array<CampiIntestazione, 6> t{{
        {voce_progressiva_tre, "cambio di progressiva", {"inizio", "fine", "posizione"}},
        {voce_progressiva_due, "cambio di progressiva", {"inizio", "fine", "posizione"}},
        {voce_progressiva_uno, "cambio di progressiva", {"inizio", "fine", "posizione"}},
        {voce_percorso, "percorso", {"inizio", "fine", "posizione"}},
        {voce_linea, "linea", {"inizio", "fine", "posizione", "nome", "intero1", "orario"}},
        {voce_treno, "treno", {"inizio", "fine", "posizione", "nome", "intero1", "intero3", "intero4", "intero5"}},
    }};
    return t;
}

class Esame {
public:
    explicit Esame(const Voci& voci) : voci_(voci) {
        std::size_t at = 0;
        for (std::size_t k = 0; k < voci.size(); ++k) {
            inizio_[k] = at;
            at += byte_voce_fissi + voci[k].nome.size();
        }
    }

    std::vector<VoceInverosimile> risultato() && { return std::move(trovate_); }

    void segnala(std::size_t k, std::string_view campo, const std::string& motivo) {
        std::size_t offset = inizio_[k];
        for (const CampoVoce& c : campi_di(voci_[k]))
            if (c.nome == campo) offset += c.offset;
        trovate_.push_back({k, offset, "voce " + to_string(k) + ": " + motivo});
    }

    // Entry 0 is never written.
    void voce_zero() {
        const Voce& v = voci_[0];
        for (const CampoVoce& c : campi_di(v)) {
            if (c.testo && !v.nome.empty())
                segnala(0, c.nome, "ha il nome " + tra_virgolette(v.nome) + ", ma la voce 0 resta sempre vuota");
            else if (!c.testo && c.valore != 0)
                segnala(0, c.nome, std::string(c.nome) + " vale " + to_string(c.valore) +
                                       ", ma la voce 0 resta sempre vuota");
        }
    }

    void intestazione(std::optional<std::string_view> scenario) {
        for (const CampiIntestazione& h : campi_intestazione()) {
            const Voce& v = voci_[h.voce];
            const std::string dove = "(" + std::string(h.ruolo) + ") ";
            for (const CampoVoce& c : campi_di(v)) {
                if (std::find(h.scritti.begin(), h.scritti.end(), c.nome) != h.scritti.end()) continue;
                if (c.testo && !v.nome.empty())
                    segnala(h.voce, c.nome, dove + "ha il nome " + tra_virgolette(v.nome) + ", ma nessuna compilazione lo scrive");
                else if (!c.testo && c.valore != 0)
                    segnala(h.voce, c.nome, dove + std::string(c.nome) + " vale " + to_string(c.valore) +
                                                ", ma nessuna compilazione scrive questo campo in questa voce");
            }
        }
        const VistaIntestazione<const Voci> h{voci_};
        if (h.valore_intestazione() != valore_intestazione_voci)
            segnala(voce_linea, "intero1", "(linea) intero1 vale " + to_string(h.valore_intestazione()) +
                                               ", ma la compilazione vi scrive sempre " +
                                               to_string(valore_intestazione_voci));
        const std::int32_t codici = h.codici_ripetizione();
        if (h.fine_ripetizione() == 0 ? codici != 0 : codici != 0 && codici != 4 && codici != 9)
            segnala(voce_treno, "posizione",
                    "(treno) posizione vale " + to_string(codici) +
                        ", ma i codici della ripetizione dei segnali sono 4 o 9, e 0 quando la ripetizione " +
                        "non ha fine (qui la fine è " + to_string(h.fine_ripetizione()) + ")");
        if (h.nome_linea().empty()) segnala(voce_linea, "nome", "(linea) il nome della linea manca");
        if (h.nome_treno().empty()) segnala(voce_treno, "nome", "(treno) il nome del treno manca");
        if (scenario && !h.nome_linea().empty() && !h.nome_treno().empty() &&
            !uguali_senza_maiuscole(h.nome_linea() + "_" + h.nome_treno(), *scenario))
            segnala(voce_linea, "nome",
                    "(linea) i nomi della linea e del treno, " + tra_virgolette(h.nome_linea()) + " e " +
                        tra_virgolette(h.nome_treno()) + ", non sono quelli del nome del file, " + std::string(*scenario) + ".sim");
    }

    // Stations fill the entries from 1 upwards; only the last one can stop
    // half-way through (an error ends the reading), so every station below
    // it was placed whole.
    void stazioni() {
        std::size_t ultima = 0;
        for (std::size_t k = prima_stazione; k <= ultimo_cartello; ++k)
            if (ha_numeri(voci_[k])) ultima = k;
        for (std::size_t k = prima_stazione; k < ultima; ++k) {
            if (vuota(voci_[k])) {
                segnala(k, "tipo", "è vuota, ma la voce " + to_string(ultima) +
                                       " sopra di lei è una stazione: le stazioni occupano le voci dalla " +
                                       to_string(prima_stazione) + " in su senza lasciarne di vuote");
                continue;
            }
            stazione_intera(k);
        }
    }

private:
    void stazione_intera(std::size_t k) {
        const Voce& v = voci_[k];
        const VistaStazione<const Voce> st{v};
        const std::string chi = "(stazione " + tra_virgolette(v.nome) + ", tipo " + to_string(v.tipo) + ") ";
        const std::int64_t p = st.posizione(), inizio = st.inizio(), fine = st.fine();
        if (p % lunghezza_cella != 0)
            segnala(k, "posizione", chi + "la posizione " + to_string(p) + " m non è un multiplo di " +
                                        to_string(lunghezza_cella) + " m");

        // The length the station was given, from its start.
        std::int64_t lunghezza = 0;
        switch (regola_stazione(v.tipo)) {
            case RegolaStazione::fine_a_150_m:
                lunghezza = p - inizio;
                if (fine != p + oltre_fermata_in_testa)
                    segnala(k, "fine", chi + "finisce a " + to_string(fine) + " m, ma questo tipo finisce " +
                                           to_string(oltre_fermata_in_testa) + " m dopo la posizione, a " +
                                           to_string(p + oltre_fermata_in_testa) + " m");
                break;
            case RegolaStazione::doppia_lunghezza:
                lunghezza = p - inizio;
                if (fine != p + lunghezza)
                    segnala(k, "fine", chi + "va da " + to_string(inizio) + " a " + to_string(fine) +
                                           " m, ma questo tipo si stende tanto prima quanto dopo la posizione, " +
                                           to_string(p) + " m");
                break;
            case RegolaStazione::centrata: {
                lunghezza = 2 * (p - inizio);
                // The sixth value moves the end 50 m further; the first
                // station keeps the extra metres with the flag cleared.
                const std::int64_t oltre = fine - (p + (p - inizio));
                const bool ammesso = k == prima_stazione ? oltre == 0 || oltre == lunghezza_cella
                                                         : oltre == (st.fine_prolungata() != 0 ? lunghezza_cella : 0);
                if (!ammesso)
                    segnala(k, "fine", chi + "va da " + to_string(inizio) + " a " + to_string(fine) +
                                           " m, ma la sua posizione, " + to_string(p) + " m, non sta a metà" +
                                           (st.fine_prolungata() != 0 ? " (con byte4 la fine va 50 m più in là)"
                                                                      : ""));
                break;
            }
        }
        if (lunghezza % passo_lunghezza_stazione != 0)
            segnala(k, "inizio", chi + "comincia a " + to_string(inizio) + " m: la lunghezza che ne segue, " +
                                     to_string(lunghezza) + " m, non è un multiplo di " +
                                     to_string(passo_lunghezza_stazione) + " m");
        if (regola_stazione(v.tipo) != RegolaStazione::centrata && st.fine_prolungata() != 0)
            segnala(k, "byte4", chi + "byte4 vale " + to_string(st.fine_prolungata()) +
                                    ", ma per questo tipo la compilazione lo azzera");
        if (k == prima_stazione) {
            if (st.fine_prolungata() != 0)
                segnala(k, "byte4", chi + "byte4 vale " + to_string(st.fine_prolungata()) +
                                        ", ma la prima stazione lo ha sempre a 0");
            if (st.flag_b() != 0)
                segnala(k, "byte5", chi + "byte5 vale " + to_string(st.flag_b()) +
                                        ", ma la prima stazione lo ha sempre a 0");
        } else if (st.flag_b() != 0 && lunghezza < lunghezza_minima_flag_b) {
            segnala(k, "byte5", chi + "byte5 vale " + to_string(st.flag_b()) + ", ma si azzera sotto i " +
                                    to_string(lunghezza_minima_flag_b) + " m e la stazione ne misura " +
                                    to_string(lunghezza));
        }
        if (stazione_con_fermata(v.tipo) && fine <= 2 * lunghezza_cella)
            segnala(k, "fine", chi + "finisce a " + to_string(fine) + " m, ma una stazione con fermata finisce oltre i " +
                                   to_string(2 * lunghezza_cella) + " m");
        if (k > prima_stazione) {
            const Voce& prima = voci_[k - 1];
            if (inizio - distacco_minimo_stazioni < prima.fine)
                segnala(k, "inizio", chi + "comincia a " + to_string(inizio) + " m, meno di " +
                                         to_string(distacco_minimo_stazioni) + " m dopo la fine della precedente, " +
                                         tra_virgolette(prima.nome) + ", a " + to_string(prima.fine) + " m");
        }
    }

    const Voci& voci_;
    std::array<std::size_t, ultima_voce + 1> inizio_{};
    std::vector<VoceInverosimile> trovate_;
};

}  // namespace

std::vector<VoceInverosimile> esamina_voci(const Voci& voci, std::optional<std::string_view> scenario) {
    Esame e(voci);
    e.voce_zero();
    e.stazioni();
    e.intestazione(scenario);
    std::vector<VoceInverosimile> r = std::move(e).risultato();
    std::stable_sort(r.begin(), r.end(),
                     [](const VoceInverosimile& a, const VoceInverosimile& b) { return a.offset < b.offset; });
    return r;
}

}  // namespace compattatore
