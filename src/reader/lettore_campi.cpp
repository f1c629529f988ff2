#include "reader/lettore_campi.h"

#include <limits>
#include <string_view>

namespace compattatore::lettore {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// A record has at most 18 fields; the list stops growing well beyond that.
constexpr std::size_t campi_ricordati = 64;

const char* descrizione(GuastoCampo::Causa c) {
    switch (c) {
        case GuastoCampo::Causa::fine_dati: return "lettura oltre la fine del file";
        case GuastoCampo::Causa::mancante: return "campo mancante alla fine del record";
        case GuastoCampo::Causa::non_numero: return "numero atteso";
        case GuastoCampo::Causa::fuori_campo: return "numero fuori dal campo";
        case GuastoCampo::Causa::virgolette: return "virgolette non chiuse sulla riga";
    }
    return "";
}

}  // namespace

GuastoCampo::GuastoCampo(Causa c, const PosizioneCampo& p, std::int64_t min, std::int64_t max)
    : std::runtime_error(descrizione(c)), causa(c), campo(p), minimo(min), massimo(max) {}

LettoreCampi::LettoreCampi(std::string_view dati) : dati_(dati) { salta_commenti(); }

// At the start of a line: passes over the lines whose first non-blank byte
// is '#', each with its line end.
void LettoreCampi::salta_commenti() {
    while (pos_ == inizio_riga_ && pos_ < dati_.size()) {
        std::size_t i = pos_;
        while (i < dati_.size() && blank(dati_[i])) ++i;
        if (i >= dati_.size() || dati_[i] != '#') return;
        while (i < dati_.size() && lunghezza_fine_riga(i) == 0) ++i;
        pos_ = i < dati_.size() ? i + lunghezza_fine_riga(i) : i;
        if (i < dati_.size()) ++riga_;
        inizio_riga_ = pos_;
        if (i >= dati_.size()) return;
    }
}

// Length of the line end that starts at byte i: 1 for LF, 2 for CR LF, 0 when
// byte i does not end a line.
std::size_t LettoreCampi::lunghezza_fine_riga(std::size_t i) const {
    if (dati_[i] == '\n') return 1;
    if (dati_[i] == '\r' && i + 1 < dati_.size() && dati_[i + 1] == '\n') return 2;
    return 0;
}

void LettoreCampi::salta_blank() {
    while (pos_ < dati_.size() && blank(dati_[pos_])) ++pos_;
}

// Consumes one comma or one line end, if the next byte starts either.
void LettoreCampi::consuma_delimitatore() {
    if (pos_ >= dati_.size()) {
        delimitatore_ = Delimitatore::fine_dati;
        return;
    }
    if (dati_[pos_] == ',') {
        ++pos_;
        delimitatore_ = Delimitatore::virgola;
        return;
    }
    if (std::size_t n = lunghezza_fine_riga(pos_)) {
        pos_ += n;
        ++riga_;
        inizio_riga_ = pos_;
        salta_commenti();
    }
    delimitatore_ = Delimitatore::fine_riga;
}

void LettoreCampi::inizia_campo() {
    const bool primo = pos_ == inizio_riga_;
    campo_ = {riga_, static_cast<int>(pos_ - inizio_riga_) + 1, inizio_riga_, 0, primo};
    // A record never continues on the next line.
    if (in_record_ && !campi_.empty() && (riga_ != campi_.front().riga || fine())) {
        PosizioneCampo dopo = campi_.back();
        dopo.colonna += dopo.larghezza;
        dopo.larghezza = 0;
        dopo.primo = false;
        throw GuastoCampo(GuastoCampo::Causa::mancante, dopo);
    }
    if (fine()) throw GuastoCampo(GuastoCampo::Causa::fine_dati, campo_);
    salta_blank();
    campo_.colonna = static_cast<int>(pos_ - inizio_riga_) + 1;
}

// The field ends before byte `fine_testo`; it goes into the record's list.
void LettoreCampi::chiudi_campo(std::size_t fine_testo) {
    const std::size_t inizio = campo_.inizio_riga + static_cast<std::size_t>(campo_.colonna - 1);
    campo_.larghezza = fine_testo > inizio ? static_cast<int>(fine_testo - inizio) : 0;
    if (campi_.size() < campi_ricordati) campi_.push_back(campo_);
}

std::string LettoreCampi::leggi_stringa() {
    inizia_campo();
    auto fuori_campo = [this](std::size_t i) {
        return i >= dati_.size() || dati_[i] == ',' || lunghezza_fine_riga(i) != 0;
    };

    if (pos_ < dati_.size() && dati_[pos_] == '"') {
        std::size_t chiusura = pos_ + 1;
        while (chiusura < dati_.size() && dati_[chiusura] != '"' && lunghezza_fine_riga(chiusura) == 0)
            ++chiusura;
        if (chiusura >= dati_.size() || dati_[chiusura] != '"') {
            chiudi_campo(chiusura);
            throw GuastoCampo(GuastoCampo::Causa::virgolette, campo_);
        }
        std::string campo(dati_.substr(pos_ + 1, chiusura - pos_ - 1));
        chiudi_campo(chiusura + 1);
        // Whatever stands between the closing quote and the delimiter is not
        // part of the field.
        pos_ = chiusura + 1;
        while (!fuori_campo(pos_)) ++pos_;
        consuma_delimitatore();
        return campo;
    }

    std::size_t inizio = pos_;
    while (!fuori_campo(pos_)) ++pos_;
    std::size_t fine_testo = pos_;
    while (fine_testo > inizio && blank(dati_[fine_testo - 1])) --fine_testo;
    std::string campo(dati_.substr(inizio, fine_testo - inizio));
    chiudi_campo(fine_testo);
    consuma_delimitatore();
    return campo;
}

std::int64_t LettoreCampi::leggi_numero(std::int64_t minimo, std::int64_t massimo) {
    inizia_campo();
    std::size_t inizio = pos_;
    while (pos_ < dati_.size() && dati_[pos_] != ',' && !blank(dati_[pos_]) &&
           lunghezza_fine_riga(pos_) == 0)
        ++pos_;
    std::string_view testo(dati_.data() + inizio, pos_ - inizio);
    chiudi_campo(pos_);
    // The blanks after a number, and one comma or line end after them, close it.
    salta_blank();
    consuma_delimitatore();

    if (testo.empty()) return 0;
    bool negativo = false;
    if (testo.front() == '+' || testo.front() == '-') {
        negativo = testo.front() == '-';
        testo.remove_prefix(1);
    }
    if (testo.empty()) throw GuastoCampo(GuastoCampo::Causa::non_numero, campo_);
    // Anything beyond this bound fits no member the reader fills.
    constexpr std::int64_t limite = std::int64_t{1} << 40;
    std::int64_t valore = 0;
    bool enorme = false;
    for (char c : testo) {
        if (c < '0' || c > '9') throw GuastoCampo(GuastoCampo::Causa::non_numero, campo_);
        if (!enorme) valore = valore * 10 + (c - '0');
        if (valore > limite) enorme = true;
    }
    if (negativo) valore = -valore;
    if (enorme || valore < minimo || valore > massimo) {
        GuastoCampo g(GuastoCampo::Causa::fuori_campo, campo_, minimo, massimo);
        g.sopra = !negativo;
        throw g;
    }
    return valore;
}

std::int32_t LettoreCampi::leggi_32() {
    return static_cast<std::int32_t>(leggi_numero(std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max()));
}

std::int16_t LettoreCampi::leggi_16() {
    return static_cast<std::int16_t>(leggi_numero(std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t LettoreCampi::leggi_u8() { return static_cast<std::uint8_t>(leggi_numero(0, 255)); }

std::string_view riga_del_testo(std::string_view testo, std::size_t inizio) {
    if (inizio > testo.size()) return {};
    std::size_t fine_testo = testo.find('\n', inizio);
    if (fine_testo == std::string_view::npos) fine_testo = testo.size();
    if (fine_testo > inizio && testo[fine_testo - 1] == '\r') --fine_testo;
    return testo.substr(inizio, fine_testo - inizio);
}

std::string_view LettoreCampi::riga(const PosizioneCampo& p) const { return riga_del_testo(dati_, p.inizio_riga); }

std::string LettoreCampi::testo_riga(const PosizioneCampo& p) const { return std::string(riga(p)); }

void LettoreCampi::salta_riga(int riga) {
    if (riga_ != riga) return;
    while (pos_ < dati_.size()) {
        if (std::size_t n = lunghezza_fine_riga(pos_)) {
            pos_ += n;
            ++riga_;
            inizio_riga_ = pos_;
            salta_commenti();
            return;
        }
        ++pos_;
    }
}

}  // namespace compattatore::lettore
