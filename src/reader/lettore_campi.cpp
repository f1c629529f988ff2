#include "reader/lettore_campi.h"

#include <limits>
#include <string_view>

namespace compattatore::lettore {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

LettoreCampi::LettoreCampi(std::string_view dati) : dati_(dati) {}

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
    if (pos_ >= dati_.size()) return;
    if (dati_[pos_] == ',') {
        ++pos_;
        return;
    }
    if (std::size_t n = lunghezza_fine_riga(pos_)) {
        pos_ += n;
        ++riga_;
        inizio_riga_ = pos_;
    }
}

void LettoreCampi::inizia_campo() {
    if (fine()) throw GuastoCampo("lettura oltre la fine del file");
    salta_blank();
    campo_ = {riga_, static_cast<int>(pos_ - inizio_riga_) + 1, inizio_riga_};
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
        if (chiusura >= dati_.size() || dati_[chiusura] != '"')
            throw GuastoCampo("virgolette non chiuse sulla riga");
        std::string campo(dati_.substr(pos_ + 1, chiusura - pos_ - 1));
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
    // The blanks after a number, and one comma or line end after them, close it.
    salta_blank();
    consuma_delimitatore();

    if (testo.empty()) return 0;
    bool negativo = false;
    if (testo.front() == '+' || testo.front() == '-') {
        negativo = testo.front() == '-';
        testo.remove_prefix(1);
    }
    if (testo.empty()) throw GuastoCampo("numero atteso");
    // Anything beyond this bound fits no member the reader fills.
    constexpr std::int64_t limite = std::int64_t{1} << 40;
    std::int64_t valore = 0;
    for (char c : testo) {
        if (c < '0' || c > '9') throw GuastoCampo("numero atteso");
        valore = valore * 10 + (c - '0');
        if (valore > limite) throw GuastoCampo("numero troppo grande");
    }
    if (negativo) valore = -valore;
    if (valore < minimo || valore > massimo) throw GuastoCampo("numero fuori dal campo");
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

std::string LettoreCampi::testo_riga(const PosizioneCampo& p) const {
    std::size_t fine_testo = dati_.find('\n', p.inizio_riga);
    if (fine_testo == std::string_view::npos) fine_testo = dati_.size();
    if (fine_testo > p.inizio_riga && dati_[fine_testo - 1] == '\r') --fine_testo;
    return std::string(dati_.substr(p.inizio_riga, fine_testo - p.inizio_riga));
}

}  // namespace compattatore::lettore
