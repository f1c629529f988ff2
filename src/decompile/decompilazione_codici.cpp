// The code cells: which of them the finishing pass wrote by itself and which
// the train description has to give as "abbattimento" rows.
//
// The pass only adds code cells of value 180, on cells free at the time,
// and lowers codes above 180 to 180.  So a code cell of another value is a
// row; a code cell of 180 may be either.  The pass is run again here over
// the compiled grid, deciding each such cell the first time the pass asks
// whether it is free: free (the pass writes it, no row) is tried first, as an
// author leaves out what the pass adds.  A choice is wrong when the pass then
// wants a cell that the grid shows empty, lowers a code the grid shows above
// 180, or finds no free cell where it needs one (a scenario that compiles
// cleanly records no such code); the search then takes back the latest
// choice made nearby and makes it a row, as a depth-first search over the
// choices.  What no choice nearby mends is let be, as the pass does: the
// comparison after the compilation shows it.
#include <algorithm>
#include <set>
#include <utility>

#include "decompile/decompilazione_analisi.h"
#include "tables/costanti_formato.h"

namespace compattatore::decompilazione {

namespace {

constexpr std::int16_t valore_codice = 180;

enum class Stato : std::uint8_t {
    libera,    // empty in the grid: the pass must not write it
    elemento,  // another element
    dubbia,    // a code of 180 not decided yet
    sorgente,  // a code the description gives
    posta,     // a code the pass writes
};

// The ways a choice shows wrong.
enum class Guasto : std::uint8_t {
    codice_estraneo,  // a code where the grid has none
    codice_abbassato,  // a code the grid shows above 180 lowered
    nessuna_cella,    // no free cell for a code (codes 11, 12, 13)
};

struct Decisione {
    std::int64_t cella;
    bool sorgente;
};

struct Fallimento {
    std::int64_t cella;
    Guasto guasto;
    bool operator<(const Fallimento& a) const { return std::pair(cella, guasto) < std::pair(a.cella, a.guasto); }
};

// Unwinds the pass at a choice that does not give the grid.
struct Interruzione {};

// One run of the finishing pass over the compiled grid, with the choices of
// `prefisso` for the first decisions and "free" for the later ones.
class Passata {
public:
    Passata(const std::vector<Cella>& g, const std::vector<Stato>& iniziale, const std::vector<bool>& sorgibile,
            const std::vector<char>& prefisso, const std::set<Fallimento>& tollerati, bool tollera_tutto)
        : g_(g), stato_(iniziale), sorgibile_(sorgibile), prefisso_(prefisso), tollerati_(tollerati),
          tollera_tutto_(tollera_tutto), ultima_(static_cast<std::int64_t>(g.size()) - 1) {}

    bool esegui() {
        try {
            for (std::int64_t i = 1; i <= ultima_ - 2; ++i) {
                const TipoCella t = g_[static_cast<std::size_t>(i)].tipo;
                if (t == TipoCella::avviso_rallentamento) dietro_avviso(i);
                if (t == TipoCella::inizio_rallentamento) all_inizio(i);
            }
            return true;
        } catch (const Interruzione&) {
            return false;
        }
    }

    const std::vector<Stato>& stato() const { return stato_; }
    const std::vector<Decisione>& decisioni() const { return decisioni_; }
    const Fallimento& fallimento() const { return fallimento_; }

private:
    bool esiste(std::int64_t c) const { return c >= 0 && c <= ultima_; }

    TipoCella tipo(std::int64_t c) const {
        if (!esiste(c)) return TipoCella::vuota;
        switch (stato_[static_cast<std::size_t>(c)]) {
            case Stato::sorgente:
            case Stato::posta: return TipoCella::codice;
            case Stato::elemento: return g_[static_cast<std::size_t>(c)].tipo;
            default: return TipoCella::vuota;
        }
    }

    // Stops the run at a wrong choice, unless this one is let be.
    void guasto(std::int64_t c, Guasto g) {
        const Fallimento f{c, g};
        if (tollera_tutto_ || tollerati_.count(f) != 0) return;
        fallimento_ = f;
        throw Interruzione{};
    }

    // Whether the pass finds cell c free; a free cell takes the code at once.
    bool prendi(std::int64_t c) {
        if (!esiste(c)) return false;
        Stato& s = stato_[static_cast<std::size_t>(c)];
        switch (s) {
            case Stato::libera:
                guasto(c, Guasto::codice_estraneo);
                s = Stato::posta;
                return true;
            case Stato::dubbia: {
                bool sorgente = false;
                if (sorgibile_[static_cast<std::size_t>(c)]) {
                    const std::size_t n = decisioni_.size();
                    sorgente = n < prefisso_.size() && prefisso_[n] != 0;
                    decisioni_.push_back({c, sorgente});
                }
                s = sorgente ? Stato::sorgente : Stato::posta;
                return !sorgente;
            }
            default:
                return false;
        }
    }

    // minimo(180, code): a code the grid shows above 180 was not lowered.
    void abbassa(std::int64_t c) {
        if (stato_[static_cast<std::size_t>(c)] == Stato::sorgente &&
            g_[static_cast<std::size_t>(c)].valore1 > valore_codice)
            guasto(c, Guasto::codice_abbassato);
    }

    // A code before every signal in the 20 cells behind a warning board.
    void dietro_avviso(std::int64_t i) {
        for (std::int64_t k = 1; k <= 20; ++k) {
            const std::int64_t d = i - k;
            if (d < 3) return;
            if (tipo(d) != TipoCella::segnale) continue;
            if (prendi(d - 1) || prendi(d - 2)) continue;
            if (tipo(d - 1) == TipoCella::codice)
                abbassa(d - 1);
            else if (tipo(d - 2) == TipoCella::codice)
                abbassa(d - 2);
            else
                guasto(d, Guasto::nessuna_cella);
        }
    }

    void all_inizio(std::int64_t i) {
        // Approach codes: the first free cell of each group.
        struct Gruppo {
            std::int64_t limite, primo;
        };
        for (const Gruppo gr : {Gruppo{7, 5}, Gruppo{13, 11}, Gruppo{20, 18}}) {
            if (i <= gr.limite) continue;
            bool posto = false;
            for (std::int64_t k = gr.primo; k <= gr.primo + 2 && !posto; ++k) posto = prendi(i - k);
            if (!posto) guasto(i, Guasto::nessuna_cella);
        }
        // The walk to the end, with a code every 8 cells in a slow
        // restriction; a walk that meets the grid's end stops there.
        std::int64_t j = i;
        const bool lento = g_[static_cast<std::size_t>(i)].valore1 < 110;
        std::int64_t contatore = 0;
        do {
            if (j >= ultima_) {
                guasto(ultima_, Guasto::nessuna_cella);
                break;
            }
            ++j;
            ++contatore;
            if (lento && contatore == 8) {
                if (prendi(j))
                    contatore = 0;
                else if (prendi(j - 1))
                    contatore = 1;
                else if (prendi(j + 1))
                    contatore = -1;
                else
                    guasto(j, Guasto::nessuna_cella);
            }
        } while (tipo(j) != TipoCella::fine_rallentamento);
        // A code before the first signal within 12 cells after the end.
        std::int64_t prima = 0;
        for (std::int64_t k = j; k <= std::min(j + 12, ultima_); ++k) {
            if (tipo(k) == TipoCella::segnale) {
                prima = k - 1;
                break;
            }
        }
        if (prima > 0 && !prendi(prima) && !prendi(prima - 1)) guasto(j, Guasto::nessuna_cella);
    }

    const std::vector<Cella>& g_;
    std::vector<Stato> stato_;
    const std::vector<bool>& sorgibile_;
    const std::vector<char>& prefisso_;
    const std::set<Fallimento>& tollerati_;
    const bool tollera_tutto_;
    const std::int64_t ultima_;
    std::vector<Decisione> decisioni_;
    Fallimento fallimento_{};
};

// How far from the cell of a wrong outcome, in cells, a choice is taken back,
// and how many cells the runs of the search may go through together: the
// last run lets everything be.
constexpr std::int64_t finestra = 40;
constexpr std::size_t celle_percorse_massime = 50'000'000;

}  // namespace

std::vector<Abbattimento> abbattimenti(const std::vector<Cella>& celle) {
    const std::size_t n = celle.size();
    const auto ultima = static_cast<std::int64_t>(n) - 1;
    std::vector<Stato> iniziale(n, Stato::elemento);
    // A row can stand in cells 0 to ultima - 2, but not in cell 1, which
    // carries the header stamp.
    std::vector<bool> sorgibile(n, false);
    for (std::size_t c = 0; c < n; ++c) {
        const Cella& x = celle[c];
        sorgibile[c] = static_cast<std::int64_t>(c) <= ultima - 2 && c != 1;
        if (cella_libera(x))
            iniziale[c] = Stato::libera;
        else if (x.tipo == TipoCella::codice)
            iniziale[c] = x.valore1 == valore_codice ? Stato::dubbia : Stato::sorgente;
    }

    std::vector<char> prefisso;
    std::set<Fallimento> tollerati;
    std::vector<Stato> stato;
    const std::size_t tentativi_massimi = std::max<std::size_t>(20, celle_percorse_massime / std::max<std::size_t>(n, 1));
    for (std::size_t tentativo = 0;; ++tentativo) {
        Passata p(celle, iniziale, sorgibile, prefisso, tollerati, tentativo >= tentativi_massimi);
        if (p.esegui()) {
            stato = p.stato();
            break;
        }
        const std::vector<Decisione>& d = p.decisioni();
        const Fallimento& f = p.fallimento();
        // The latest choice still "free" among those near the wrong outcome.
        std::size_t j = d.size();
        while (j > 0 && (d[j - 1].sorgente || d[j - 1].cella < f.cella - finestra || d[j - 1].cella > f.cella + finestra))
            --j;
        prefisso.clear();
        for (std::size_t k = 0; k + 1 < j; ++k) prefisso.push_back(d[k].sorgente ? 1 : 0);
        if (j > 0) {
            prefisso.push_back(1);
        } else {
            for (const Decisione& x : d) prefisso.push_back(x.sorgente ? 1 : 0);
            tollerati.insert(f);
        }
    }

    std::vector<Abbattimento> righe;
    for (std::size_t c = 0; c < n; ++c) {
        const Cella& x = celle[c];
        const bool riga = x.tipo == TipoCella::abbattimento || stato[c] == Stato::sorgente || stato[c] == Stato::dubbia;
        if (!riga || !sorgibile[c]) continue;
        const std::int32_t codice = x.tipo == TipoCella::abbattimento ? 0 : x.valore1;
        righe.push_back({static_cast<std::int32_t>(c * lunghezza_cella), codice});
    }
    return righe;
}

}  // namespace compattatore::decompilazione
