#include "format/json.h"

#include "tables/utf8.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <ostream>
#include <stdexcept>

namespace compattatore {

namespace {

constexpr char cifre_esadecimali[] = "0123456789abcdef";

}  // namespace

std::string testo_json(std::string_view byte) {
    std::string r = "\"";
    for (char ch : byte) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
            case '"': r += "\\\""; break;
            case '\\': r += "\\\\"; break;
            case '\b': r += "\\b"; break;
            case '\f': r += "\\f"; break;
            case '\n': r += "\\n"; break;
            case '\r': r += "\\r"; break;
            case '\t': r += "\\t"; break;
            default:
                if (b < 0x20 || b >= 0x7F) {
                    r += "\\u00";
                    r += cifre_esadecimali[b >> 4];
                    r += cifre_esadecimali[b & 0xF];
                } else {
                    r += ch;
                }
        }
    }
    r += '"';
    return r;
}

std::string testo_json_utf8(std::string_view testo) {
    std::string r = "\"";
    const auto escape = [&r](std::uint32_t u) {
        r += "\\u";
        for (int i = 3; i >= 0; --i) r += cifre_esadecimali[(u >> (4 * i)) & 0xF];
    };
    for (std::size_t i = 0; i < testo.size();) {
        std::uint32_t punto = 0;
        const std::size_t n = static_cast<unsigned char>(testo[i]) < 0x80 ? 0 : sequenza_utf8(testo, i, punto);
        if (n == 0) {
            const std::string uno = testo_json(testo.substr(i, 1));
            r += uno.substr(1, uno.size() - 2);
            ++i;
            continue;
        }
        if (punto >= 0x10000) {
            punto -= 0x10000;
            escape(0xD800 + (punto >> 10));
            escape(0xDC00 + (punto & 0x3FF));
        } else {
            escape(punto);
        }
        i += n;
    }
    r += '"';
    return r;
}

std::string reale_json(double v) {
    if (!std::isfinite(v)) {
        std::uint64_t bit = std::bit_cast<std::uint64_t>(v);
        std::string r = "\"bits:";
        for (int i = 15; i >= 0; --i) r += cifre_esadecimali[(bit >> (4 * i)) & 0xF];
        return r + '"';
    }
    char buffer[64];
    auto [fine, errore] = std::to_chars(buffer, buffer + sizeof buffer, v);
    if (errore != std::errc{}) throw std::logic_error("numero reale non scrivibile");
    return std::string(buffer, fine);
}

void ScrittoreJson::a_capo() {
    out_ << '\n';
    for (std::size_t i = 0; i < livelli_.size(); ++i) out_ << "  ";
}

void ScrittoreJson::prima_del_valore() {
    if (dopo_chiave_) {
        dopo_chiave_ = false;
        return;
    }
    if (livelli_.empty()) return;
    Livello& l = livelli_.back();
    if (l.oggetto) throw std::logic_error("valore senza chiave in un oggetto JSON");
    if (!l.vuoto) out_ << ',';
    l.vuoto = false;
    if (!l.compatto) a_capo();
}

void ScrittoreJson::chiave(std::string_view nome) {
    if (livelli_.empty() || !livelli_.back().oggetto || dopo_chiave_)
        throw std::logic_error("chiave JSON fuori da un oggetto");
    Livello& l = livelli_.back();
    if (!l.vuoto) out_ << ',';
    l.vuoto = false;
    if (!l.compatto) a_capo();
    out_ << testo_json(nome) << (l.compatto ? ":" : ": ");
    dopo_chiave_ = true;
}

void ScrittoreJson::apri(bool oggetto, bool compatto, char segno) {
    prima_del_valore();
    const bool dentro_compatto = !livelli_.empty() && livelli_.back().compatto;
    out_ << segno;
    livelli_.push_back({oggetto, compatto || dentro_compatto});
}

void ScrittoreJson::chiudi(char segno) {
    Livello l = livelli_.back();
    livelli_.pop_back();
    if (!l.compatto && !l.vuoto) a_capo();
    out_ << segno;
}

void ScrittoreJson::apri_oggetto(bool compatto) { apri(true, compatto, '{'); }
void ScrittoreJson::apri_lista(bool compatto) { apri(false, compatto, '['); }

void ScrittoreJson::chiudi_oggetto() {
    if (livelli_.empty() || !livelli_.back().oggetto || dopo_chiave_)
        throw std::logic_error("chiusura di un oggetto JSON non aperto");
    chiudi('}');
}

void ScrittoreJson::chiudi_lista() {
    if (livelli_.empty() || livelli_.back().oggetto) throw std::logic_error("chiusura di una lista JSON non aperta");
    chiudi(']');
}

void ScrittoreJson::intero(std::int64_t v) {
    prima_del_valore();
    out_ << v;
}

void ScrittoreJson::reale(double v) {
    prima_del_valore();
    out_ << reale_json(v);
}

void ScrittoreJson::testo(std::string_view byte) {
    prima_del_valore();
    out_ << testo_json(byte);
}

void ScrittoreJson::testo_utf8(std::string_view t) {
    prima_del_valore();
    out_ << testo_json_utf8(t);
}

void ScrittoreJson::nullo() {
    prima_del_valore();
    out_ << "null";
}

void ScrittoreJson::booleano(bool v) {
    prima_del_valore();
    out_ << (v ? "true" : "false");
}

void ScrittoreJson::fine() {
    if (!livelli_.empty()) throw std::logic_error("documento JSON non chiuso");
    out_ << '\n';
}

}  // namespace compattatore
