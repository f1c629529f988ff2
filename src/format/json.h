// A small streaming JSON writer for the authors' tools.  Keys come out in the
// order they are written, so the same input always gives the same bytes.
// Texts are byte strings in the 8-bit code page of the compiled files: every
// byte outside printable ASCII is written as \u00XX of its Latin-1 value, so
// the output is pure ASCII and each text maps back to its exact bytes.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

// The JSON string literal (quotes included) of a byte string.
std::string testo_json(std::string_view byte);
// The same for a UTF-8 text (a message): each valid sequence is written as
// the \\u escape of its code point, any other byte as in testo_json.
std::string testo_json_utf8(std::string_view testo);

// The JSON form of a double: the shortest text that reads back to the same
// value.  NaN and infinities have no JSON number, so they are written as the
// string "bits:" followed by the 16 hexadecimal digits of their IEEE-754 bits.
std::string reale_json(double v);

class ScrittoreJson {
public:
    explicit ScrittoreJson(std::ostream& out) : out_(out) {}

    // A container opened as compact is written on one line, with everything
    // inside it; the others put each member on a line of its own.
    void apri_oggetto(bool compatto = false);
    void chiudi_oggetto();
    void apri_lista(bool compatto = false);
    void chiudi_lista();

    void chiave(std::string_view nome);
    void intero(std::int64_t v);
    void reale(double v);
    void testo(std::string_view byte);
    void testo_utf8(std::string_view testo);
    void nullo();
    void booleano(bool v);

    // Shorthands for a key followed by its value.
    void campo(std::string_view nome, std::int64_t v) { chiave(nome); intero(v); }
    void campo_testo(std::string_view nome, std::string_view v) { chiave(nome); testo(v); }
    void campo_reale(std::string_view nome, double v) { chiave(nome); reale(v); }

    // Ends the document with a line end.
    void fine();

private:
    struct Livello {
        bool oggetto;
        bool compatto;
        bool vuoto = true;
    };
    void prima_del_valore();
    void apri(bool oggetto, bool compatto, char segno);
    void chiudi(char segno);
    void a_capo();

    std::ostream& out_;
    std::vector<Livello> livelli_;
    bool dopo_chiave_ = false;
};

}  // namespace compattatore
