#include "ricodifica.h"

#include <bit>
#include <cstdlib>
#include <stdexcept>

#include "tables/byte_buffer.h"

namespace compattatore::prova {

namespace {

std::uint8_t u8(const ValoreJson& v, std::string_view k) { return static_cast<std::uint8_t>(v[k].intero()); }
std::int16_t i16(const ValoreJson& v, std::string_view k) { return static_cast<std::int16_t>(v[k].intero()); }
std::int32_t i32(const ValoreJson& v, std::string_view k) { return static_cast<std::int32_t>(v[k].intero()); }

std::string griglia(const ValoreJson& d) {
    const std::int64_t celle = d["numero_celle"].intero() + 1;
    std::string out(static_cast<std::size_t>(celle) * 15, '\0');
    for (const ValoreJson& c : d["celle"].lista) {
        std::string r;
        put_u8(r, u8(c, "tipo"));
        put_i16(r, i16(c, "valore1"));
        put_i16(r, i16(c, "valore2"));
        put_i16(r, i16(c, "valore3"));
        put_i16(r, i16(c, "valore4"));
        for (const char* k : {"tempo", "preavviso", "montagna", "velocita", "pendenza", "aderenza"}) put_u8(r, u8(c, k));
        out.replace(static_cast<std::size_t>(c["indice"].intero()) * 15, 15, r);
    }
    return out;
}

std::string voci(const ValoreJson& d) {
    std::string out;
    std::int64_t attesa = 0;
    for (const ValoreJson& v : d["voci"].lista) {
        if (v["voce"].intero() != attesa++) throw std::runtime_error("voci fuori ordine");
        put_u8(out, u8(v, "tipo"));
        put_i32(out, i32(v, "inizio"));
        put_i32(out, i32(v, "fine"));
        put_i32(out, i32(v, "posizione"));
        put_u8(out, u8(v, "byte1"));
        const std::string& nome = v["nome"].testo;
        put_fixed16(out, static_cast<std::uint16_t>(nome.size()));
        out += nome;
        for (const char* k : {"intero1", "intero2", "intero3", "intero4", "intero5"}) put_i16(out, i16(v, k));
        for (const char* k : {"byte2", "byte3", "byte4", "byte5"}) put_u8(out, u8(v, k));
        put_i32(out, i32(v, "orario"));
    }
    if (attesa != 87) throw std::runtime_error("un file .sim ha 87 voci");
    return out;
}

double reale(const ValoreJson& v) {
    if (v.tipo == ValoreJson::Tipo::testo) {
        if (v.testo.rfind("bits:", 0) != 0) throw std::runtime_error("reale scritto come testo senza bits:");
        return std::bit_cast<double>(std::strtoull(v.testo.c_str() + 5, nullptr, 16));
    }
    return v.reale();
}

std::string piano(const ValoreJson& d) {
    std::string out;
    const std::int64_t righe = d["righe"].intero();
    for (const ValoreJson& colonna : d["colonne"].lista) {
        std::int64_t prossima = 0;
        for (const ValoreJson& t : colonna["tratti"].lista) {
            if (t["prima_riga"].intero() != prossima) throw std::runtime_error("tratti non contigui");
            const std::int64_t n = t["righe"].intero();
            const std::int64_t tag = t["tag"].intero();
            for (std::int64_t k = 0; k < n; ++k) {
                put_fixed16(out, static_cast<std::uint16_t>(tag));
                if (tag == 2) put_i16(out, static_cast<std::int16_t>(t["valori"].lista.at(static_cast<std::size_t>(k)).intero()));
                if (tag == 5) put_double(out, reale(t["valori"].lista.at(static_cast<std::size_t>(k))));
            }
            prossima += n;
        }
        if (prossima != righe) throw std::runtime_error("colonna di lunghezza sbagliata");
    }
    return out;
}

}  // namespace

std::string ricodifica(const ValoreJson& dump) {
    const std::string& tipo = dump["tipo_file"].testo;
    if (tipo == "griglia") return griglia(dump);
    if (tipo == "voci") return voci(dump);
    if (tipo == "piano") return piano(dump);
    throw std::runtime_error("tipo_file sconosciuto: " + tipo);
}

}  // namespace compattatore::prova
