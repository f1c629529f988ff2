#include "documents/tabella_scheda.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

#include "documents/colonne_scheda.h"
#include "documents/formato_documenti.h"
#include "tables/arrotonda.h"

namespace compattatore {

namespace {

constexpr std::size_t largo_velocita = larghezza(CellaScheda::limite), largo_km = larghezza(CellaScheda::km),
                      largo_nome = larghezza(CellaScheda::nome), largo_orario = larghezza(CellaScheda::orario),
                      largo_recupero = larghezza(CellaScheda::recupero);
static_assert(larghezza(CellaScheda::marcia) == largo_velocita && larghezza(CellaScheda::no_rs) == largo_velocita);

// A speed change this close after a station is at its exit switch, this
// close before one at its entry switch.
constexpr std::int32_t raggio_deviatoi = 1500;
// Spread posts: searched this far around their target, kept this far from
// the other rows and from one another.
constexpr std::int32_t ricerca_cippo = 6000;
constexpr std::int32_t distacco_righe = 700;
constexpr std::int32_t distacco_cippi = 3000;
// Without margins in the description: one half minute every 750 s of
// scheduled time to the next timed stop (4 %).
constexpr double secondi_per_mezzo_minuto = 750.0;

// Order of the rows that share a position.  Where the kilometre reference
// changes, the old count ends there: every other row of the place stands
// after the new count, in it.  The spacer row closes its stop's leg.
enum Ordine : int {
    cambio = 0,
    dopo_il_cambio = 1,
    velocita_al_luogo = 2,
    prima_del_luogo = 3,  // protection signals and posts
    al_luogo = 4,
    dopo_il_luogo = 5,
};

std::int64_t giu_a_50(std::int64_t m) { return (m >= 0 ? m : m - 49) / 50 * 50; }

// The running speed kept at a limit: a little under it at speed.
int marcia(int kmh) { return kmh >= 100 ? kmh - 5 : kmh; }

std::string velocita(std::optional<int> kmh) {
    return kmh ? a_destra(std::to_string(*kmh), largo_velocita - 1) + " " : std::string(largo_velocita, ' ');
}
// A limit in force; none before the first limit of the run.
std::optional<int> in_vigore(int kmh) { return kmh > 0 ? std::optional<int>(kmh) : std::nullopt; }
std::optional<int> di_marcia(int kmh) { return kmh > 0 ? std::optional<int>(marcia(kmh)) : std::nullopt; }

std::string km(std::int64_t metri, bool cambio_dopo = false) {
    return a_destra(testo_km(metri), largo_km - 1) + (cambio_dopo ? "/" : " ");
}

struct Celle {
    std::optional<int> limite, marcia, no_rs;
    bool segnaposto = false;  // " ___ " in column 4
    std::string km = std::string(largo_km, ' ');
    std::string nome;
    std::string orario = std::string(largo_orario, ' ');
    std::string recupero = std::string(largo_recupero, ' ');
};

std::string componi(const Celle& c) {
    return riga_tabella({velocita(c.limite), velocita(c.marcia), c.km, c.segnaposto ? " ___ " : velocita(c.no_rs),
                         a_sinistra(c.nome, largo_nome), c.orario, c.recupero});
}

// "16.14.30", or "16.14" on the minute.
std::string ora(std::int32_t orario) {
    const int s = orario % 60, m = orario / 60 % 60, h = orario / 3600 % 24;
    char t[16];
    if (s != 0)
        std::snprintf(t, sizeof t, "%02d.%02d.%02d", h, m, s);
    else
        std::snprintf(t, sizeof t, "%02d.%02d", h, m);
    return t;
}

// The time cell: the last station shows its arrival at character 2, the
// first its departure at character 10 (where a time with seconds does not
// fit, it stands where every other time stands, at character 6).
std::string cella_orario(std::int32_t orario, bool primo, bool ultimo) {
    const std::string t = ora(orario);
    if (ultimo) return a_sinistra(" " + t, largo_orario);
    if (primo && orario % 60 == 0) return a_sinistra(std::string(9, ' ') + t, largo_orario);
    return a_sinistra(std::string(5, ' ') + t, largo_orario);
}

std::string cella_recupero(std::string_view minuti) { return " " + a_sinistra(minuti, largo_recupero - 1); }

// The recovery margin of each station, as the description gives them or,
// without any, worked out from the time to the next timed stop.
std::vector<std::string> recuperi(const Corsa& c, const DatiDocumenti& d) {
    std::vector<std::string> r(c.stazioni.size(), std::string(largo_recupero, ' '));
    if (!d.recuperi.empty()) {
        for (const Recupero& x : d.recuperi)
            for (std::size_t i = 0; i < c.stazioni.size(); ++i)
                if (c.stazioni[i].posizione == x.posizione) r[i] = cella_recupero(x.minuti);
        return r;
    }
    std::optional<std::size_t> precedente;
    for (std::size_t i = 0; i < c.stazioni.size(); ++i) {
        if (c.stazioni[i].orario == 0) continue;
        if (precedente) {
            const double secondi = c.stazioni[i].orario - c.stazioni[*precedente].orario;
            const std::int64_t mezzi = arrotonda(secondi / secondi_per_mezzo_minuto);
            if (mezzi > 0)
                r[*precedente] = cella_recupero(std::to_string(mezzi / 2) + (mezzi % 2 != 0 ? ".5" : ""));
        }
        precedente = i;
    }
    return r;
}

struct Evento {
    std::int32_t posizione;
    int ordine;
    RigaScheda riga;
};

}  // namespace

// The rows but the posts are worked out once, in running order; each count
// of spread posts then only places its posts among them.
struct TabellaScheda::Righe {
    Righe(const Corsa& c, const DatiDocumenti& d) : c_(c), da_(c.origine()), a_(c.destinazione()) {
        stazioni(d);
        cambi_di_velocita();
        cambi_di_progressiva();
        cippi_dei_rallentamenti();
        std::stable_sort(eventi_.begin(), eventi_.end(), prima_di);
        for (const Evento& e : eventi_) occupate_.push_back(e.posizione);
    }

    static bool prima_di(const Evento& a, const Evento& b) {
        return a.posizione != b.posizione ? a.posizione < b.posizione : a.ordine < b.ordine;
    }

    RigheScheda con_cippi(int sparsi, bool spaziature) const {
        std::vector<std::int32_t> cippi = spargi_cippi(sparsi);
        if (spaziature) lascia_posto_alle_spaziature(cippi);
        std::vector<Evento> dei_cippi;
        for (std::size_t k = 0; k < dei_rallentamenti_.size() + cippi.size(); ++k) {
            const std::int32_t p = k < dei_rallentamenti_.size() ? dei_rallentamenti_[k] : cippi[k - dei_rallentamenti_.size()];
            Celle x;
            // The post after which the first restriction of the run begins
            // leaves column 4 to the driver, who writes the order's speed there.
            x.segnaposto = k < dei_rallentamenti_.size() && segnaposto_ == p;
            const int v = c_.limite(p);
            x.limite = in_vigore(v);
            x.marcia = di_marcia(v);
            x.km = km(c_.chilometro(p));
            x.nome = "Cippo Km " + testo_km(c_.chilometro(p));
            dei_cippi.push_back({p, prima_del_luogo, {TipoRigaScheda::cippo, p, componi(x)}});
        }
        std::stable_sort(dei_cippi.begin(), dei_cippi.end(), prima_di);
        RigheScheda r;
        for (Evento& e : dei_cippi) r.cippi.push_back(std::move(e.riga));
        // A post stands after a protection signal of its place, before a
        // station there (so never between a stop and its spacer row).
        r.ordine.reserve(eventi_.size() + r.cippi.size());
        std::size_t k = 0;
        for (const Evento& e : eventi_) {
            for (; k < r.cippi.size() && prima_di(dei_cippi[k], e); ++k) r.ordine.push_back(&r.cippi[k]);
            if (spaziature || e.riga.tipo != TipoRigaScheda::spaziatura) r.ordine.push_back(&e.riga);
        }
        for (; k < r.cippi.size(); ++k) r.ordine.push_back(&r.cippi[k]);
        return r;
    }

    // Spacer rows take their places from the spread posts.
    std::size_t senza_sparsi() const { return eventi_.size() - tappe_.size() + dei_rallentamenti_.size(); }

    void aggiungi(TipoRigaScheda tipo, std::int32_t p, int ordine, const Celle& x) {
        eventi_.push_back({p, ordine, {tipo, p, componi(x)}});
    }

    const CambioVelocita* cambio_a(std::int32_t p) const {
        for (const CambioVelocita& v : c_.velocita)
            if (v.posizione == p) return &v;
        return nullptr;
    }

    // The last signal at or before the first position of the station, after
    // the station before it: the signal that protects the station.
    std::optional<std::int32_t> protezione(std::size_t i) const {
        const StazioneCorsa& s = c_.stazioni[i];
        const auto dopo = std::upper_bound(c_.segnali.begin(), c_.segnali.end(), s.inizio);
        if (dopo == c_.segnali.begin()) return std::nullopt;
        const std::int32_t segnale = *std::prev(dopo);
        if (i > 0 && segnale <= c_.stazioni[i - 1].posizione) return std::nullopt;
        return segnale;
    }

    void stazioni(const DatiDocumenti& d) {
        const std::vector<std::string> rec = recuperi(c_, d);
        for (std::size_t i = 0; i < c_.stazioni.size(); ++i) {
            const StazioneCorsa& s = c_.stazioni[i];
            Celle x;
            // A change of limit at the station; at the origin, the limit the
            // train departs with.
            if (const CambioVelocita* v = cambio_a(s.posizione)) {
                x.limite = v->kmh;
                x.marcia = marcia(v->kmh);
                x.no_rs = v->kmh;
            } else if (i == 0) {
                x.limite = in_vigore(c_.limite(s.posizione));
                x.marcia = di_marcia(c_.limite(s.posizione));
            }
            x.km = km(c_.chilometro(s.posizione));
            x.nome = s.nome;
            if (s.orario != 0) x.orario = cella_orario(s.orario, i == 0, i + 1 == c_.stazioni.size());
            x.recupero = rec[i];
            aggiungi(TipoRigaScheda::stazione, s.posizione, al_luogo, x);

            if (s.orario != 0) fermate_.push_back(s.posizione);
            if (s.orario == 0 || i == 0) continue;
            if (i + 1 < c_.stazioni.size()) {
                aggiungi(TipoRigaScheda::spaziatura, s.posizione, dopo_il_luogo, Celle{});
                tappe_.push_back(s.posizione);
            }
            const std::optional<std::int32_t> prot = protezione(i);
            if (!prot) continue;
            Celle y;
            y.marcia = di_marcia(c_.limite(*prot));
            y.km = km(c_.chilometro(*prot));
            y.nome = "Segn.Prot.";
            aggiungi(TipoRigaScheda::protezione, *prot, prima_del_luogo, y);
        }
    }

    void cambi_di_velocita() {
        for (const CambioVelocita& v : c_.velocita) {
            if (v.posizione <= da_ || v.posizione > a_) continue;
            bool in_stazione = false;
            std::optional<std::int32_t> prima, dopo;
            for (const StazioneCorsa& s : c_.stazioni) {
                if (s.posizione == v.posizione) in_stazione = true;
                if (s.posizione <= v.posizione) prima = prima ? std::max(*prima, s.posizione) : s.posizione;
                if (s.posizione > v.posizione) dopo = dopo ? std::min(*dopo, s.posizione) : s.posizione;
            }
            if (in_stazione) continue;
            Celle x;
            x.limite = v.kmh;
            x.marcia = marcia(v.kmh);
            x.no_rs = v.kmh;
            x.km = km(c_.chilometro(v.posizione));
            if (prima && v.posizione - *prima <= raggio_deviatoi)
                x.nome = "Dev.U.";
            else if (dopo && *dopo - v.posizione <= raggio_deviatoi)
                x.nome = "Dev.I.";
            aggiungi(TipoRigaScheda::velocita, v.posizione, velocita_al_luogo, x);
        }
    }

    void cambi_di_progressiva() {
        for (const Progressiva& r : c_.progressive) {
            if (r.inizio <= da_ || r.inizio > a_) continue;
            const std::int64_t vecchio = c_.chilometro_prima(r.inizio);
            const int v = c_.limite(r.inizio);
            Celle x;
            x.limite = in_vigore(v);
            x.marcia = di_marcia(v);
            x.km = km(vecchio, true);
            x.nome = "C.C. Km " + testo_km(vecchio);
            aggiungi(TipoRigaScheda::cambio, r.inizio, cambio, x);
            Celle y;
            y.km = km(c_.chilometro(r.inizio));
            aggiungi(TipoRigaScheda::nuovo_valore, r.inizio, dopo_il_cambio, y);
        }
    }

    // The posts after which the restrictions of the run begin, where the run
    // passes one; the first restriction the train meets has the placeholder
    // on its post.
    void cippi_dei_rallentamenti() {
        bool primo = true;
        for (const RallentamentoCorsa& r : c_.rallentamenti) {
            if (r.inizio + r.lunghezza < da_ || r.inizio > a_) continue;
            const std::optional<std::int32_t> p = r.inizio >= da_ ? c_.cippo_prima(r.inizio, da_) : std::nullopt;
            if (primo && p) segnaposto_ = *p;
            primo = false;
            if (p && std::find(dei_rallentamenti_.begin(), dei_rallentamenti_.end(), *p) == dei_rallentamenti_.end())
                dei_rallentamenti_.push_back(*p);
        }
    }

    // Each spread post stands at a whole kilometre of its own reference,
    // nearest to its share of the run, away from the other rows.
    std::vector<std::int32_t> spargi_cippi(int sparsi) const {
        std::vector<std::int32_t> cippi;
        std::vector<std::int32_t> presi = dei_rallentamenti_;
        std::sort(presi.begin(), presi.end());
        const std::int64_t lunghezza = static_cast<std::int64_t>(a_) - da_;
        for (int k = 1; k <= sparsi; ++k) {
            const std::int64_t obiettivo = da_ + lunghezza * k / (sparsi + 1);
            std::optional<std::int64_t> migliore;
            for (std::int64_t p = giu_a_50(obiettivo) - ricerca_cippo; p < obiettivo + ricerca_cippo; p += 50) {
                if (p <= da_ || p > a_) continue;
                if (c_.chilometro(static_cast<std::int32_t>(p)) % 1000 != 0) continue;
                if (!lontano(occupate_, p, distacco_righe) || !lontano(presi, p, distacco_cippi)) continue;
                if (!migliore || std::llabs(p - obiettivo) < std::llabs(*migliore - obiettivo)) migliore = p;
            }
            if (!migliore) continue;
            const auto q = static_cast<std::int32_t>(*migliore);
            cippi.push_back(q);
            presi.insert(std::upper_bound(presi.begin(), presi.end(), q), q);
        }
        return cippi;
    }

    // No position of the ascending `da` within `distacco` of `p`.
    static bool lontano(const std::vector<std::int32_t>& da, std::int64_t p, std::int64_t distacco) {
        const auto dopo = std::lower_bound(da.begin(), da.end(), p);
        if (dopo != da.end() && *dopo - p < distacco) return false;
        return dopo == da.begin() || p - *std::prev(dopo) >= distacco;
    }

    // The spacer row that opens a leg takes the place of the first post
    // spread in that leg, so that the other posts keep their places and the
    // pages the rows they had.
    void lascia_posto_alle_spaziature(std::vector<std::int32_t>& cippi) const {
        for (std::int32_t tappa : tappe_) {
            const auto prossima = std::upper_bound(fermate_.begin(), fermate_.end(), tappa);
            const std::int64_t fine_tratta =
                prossima == fermate_.end() ? std::numeric_limits<std::int64_t>::max() : *prossima;
            auto primo = cippi.end();
            for (auto k = cippi.begin(); k != cippi.end(); ++k)
                if (*k > tappa && *k < fine_tratta && (primo == cippi.end() || *k < *primo)) primo = k;
            if (primo != cippi.end()) cippi.erase(primo);
        }
    }

    const Corsa& c_;
    std::int32_t da_, a_;                         // the run, origin to destination
    std::optional<std::int32_t> segnaposto_;      // the post that takes " ___ "
    std::vector<Evento> eventi_;                  // in running order
    std::vector<std::int32_t> occupate_;          // their positions
    std::vector<std::int32_t> dei_rallentamenti_;  // the posts the restrictions begin after
    std::vector<std::int32_t> fermate_;  // the timed stations, in running order
    std::vector<std::int32_t> tappe_;    // the intermediate stops, each followed by a spacer row
};

TabellaScheda::TabellaScheda(const Corsa& c, const DatiDocumenti& d) : righe_(std::make_unique<Righe>(c, d)) {}
TabellaScheda::~TabellaScheda() = default;

RigheScheda TabellaScheda::righe(int cippi_sparsi, bool spaziature) const {
    return righe_->con_cippi(cippi_sparsi, spaziature);
}

std::size_t TabellaScheda::senza_cippi_sparsi() const { return righe_->senza_sparsi(); }

}  // namespace compattatore
