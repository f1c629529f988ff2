#include "json_minimo.h"

#include <cstdlib>
#include <stdexcept>

namespace compattatore::prova {

namespace {

class Lettore {
public:
    explicit Lettore(std::string_view t) : t_(t) {}

    ValoreJson documento() {
        ValoreJson v = valore();
        spazi();
        if (at_ != t_.size()) errore("testo dopo il documento");
        return v;
    }

private:
    [[noreturn]] void errore(const std::string& m) {
        throw std::runtime_error("JSON non valido all'offset " + std::to_string(at_) + ": " + m);
    }
    void spazi() {
        while (at_ < t_.size() && (t_[at_] == ' ' || t_[at_] == '\n' || t_[at_] == '\t' || t_[at_] == '\r')) ++at_;
    }
    char guarda() {
        spazi();
        if (at_ >= t_.size()) errore("fine inattesa");
        return t_[at_];
    }
    void atteso(char c) {
        if (guarda() != c) errore(std::string("atteso '") + c + "'");
        ++at_;
    }
    bool parola(std::string_view p) {
        if (t_.substr(at_, p.size()) != p) return false;
        at_ += p.size();
        return true;
    }

    ValoreJson valore() {
        const char c = guarda();
        ValoreJson v;
        if (c == '{') {
            v.tipo = ValoreJson::Tipo::oggetto;
            ++at_;
            if (guarda() == '}') {
                ++at_;
                return v;
            }
            for (;;) {
                if (guarda() != '"') errore("attesa una chiave");
                std::string k = stringa();
                atteso(':');
                v.membri.emplace_back(std::move(k), valore());
                if (guarda() == ',') {
                    ++at_;
                    continue;
                }
                atteso('}');
                return v;
            }
        }
        if (c == '[') {
            v.tipo = ValoreJson::Tipo::lista;
            ++at_;
            if (guarda() == ']') {
                ++at_;
                return v;
            }
            for (;;) {
                v.lista.push_back(valore());
                if (guarda() == ',') {
                    ++at_;
                    continue;
                }
                atteso(']');
                return v;
            }
        }
        if (c == '"') {
            v.tipo = ValoreJson::Tipo::testo;
            v.testo = stringa();
            return v;
        }
        if (parola("null")) return v;
        if (parola("true") || parola("false")) {
            v.tipo = ValoreJson::Tipo::booleano;
            v.booleano = t_.substr(at_ - 4, 4) == "true";
            return v;
        }
        v.tipo = ValoreJson::Tipo::numero;
        const std::size_t inizio = at_;
        if (at_ < t_.size() && t_[at_] == '-') ++at_;
        auto cifre = [&] {
            const std::size_t da = at_;
            while (at_ < t_.size() && t_[at_] >= '0' && t_[at_] <= '9') ++at_;
            if (at_ == da) errore("attesa una cifra");
        };
        cifre();
        if (at_ < t_.size() && t_[at_] == '.') {
            ++at_;
            cifre();
        }
        if (at_ < t_.size() && (t_[at_] == 'e' || t_[at_] == 'E')) {
            ++at_;
            if (at_ < t_.size() && (t_[at_] == '+' || t_[at_] == '-')) ++at_;
            cifre();
        }
        v.lessema = std::string(t_.substr(inizio, at_ - inizio));
        return v;
    }

    std::string stringa() {
        ++at_;  // the opening quote
        std::string r;
        for (;;) {
            if (at_ >= t_.size()) errore("testo non chiuso");
            const char c = t_[at_++];
            if (c == '"') return r;
            if (static_cast<unsigned char>(c) < 0x20) errore("carattere di controllo in un testo");
            if (static_cast<unsigned char>(c) >= 0x80) errore("byte non ASCII in un testo");
            if (c != '\\') {
                r += c;
                continue;
            }
            if (at_ >= t_.size()) errore("escape troncato");
            const char e = t_[at_++];
            switch (e) {
                case '"': r += '"'; break;
                case '\\': r += '\\'; break;
                case '/': r += '/'; break;
                case 'b': r += '\b'; break;
                case 'f': r += '\f'; break;
                case 'n': r += '\n'; break;
                case 'r': r += '\r'; break;
                case 't': r += '\t'; break;
                case 'u': {
                    if (at_ + 4 > t_.size()) errore("escape \\u troncato");
                    const std::string h(t_.substr(at_, 4));
                    at_ += 4;
                    char* fine = nullptr;
                    const long v = std::strtol(h.c_str(), &fine, 16);
                    if (fine != h.c_str() + 4 || v > 0xFF) errore("escape \\u fuori dal Latin-1");
                    r += static_cast<char>(v);
                    break;
                }
                default: errore("escape sconosciuto");
            }
        }
    }

    std::string_view t_;
    std::size_t at_ = 0;
};

}  // namespace

const ValoreJson& ValoreJson::operator[](std::string_view chiave) const {
    for (const auto& [k, v] : membri)
        if (k == chiave) return v;
    throw std::runtime_error("chiave JSON mancante: " + std::string(chiave));
}

bool ValoreJson::ha(std::string_view chiave) const {
    for (const auto& m : membri)
        if (m.first == chiave) return true;
    return false;
}

std::int64_t ValoreJson::intero() const {
    if (tipo != Tipo::numero || lessema.find_first_of(".eE") != std::string::npos)
        throw std::runtime_error("atteso un intero, trovato '" + lessema + "'");
    return std::stoll(lessema);
}

double ValoreJson::reale() const {
    if (tipo != Tipo::numero) throw std::runtime_error("atteso un numero");
    return std::strtod(lessema.c_str(), nullptr);
}

ValoreJson leggi_json(std::string_view testo) { return Lettore(testo).documento(); }

}  // namespace compattatore::prova
