#include "support/ricodifica.h"

#include <bit>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>

#include "support/bytes.h"
#include "support/json.h"
#include "tables/file_compilati.h"

namespace compattatore::test {

namespace {

// A record from its JSON object: every field of its layout table by name.
template <class R, class Tabella>
R record(const nlohmann::json& o, const Tabella& campi) {
    R r;
    codifica::per_ogni_campo(campi, [&](const auto& c) {
        auto& v = r.*(c.membro);
        using T = std::decay_t<decltype(v)>;
        const nlohmann::json& valore = o.at(std::string(c.nome));
        if constexpr (std::is_same_v<T, std::string>)
            v = json_bytes(valore);
        else
            v = static_cast<T>(valore.get<std::int64_t>());
    });
    return r;
}

std::string griglia(const nlohmann::json& d) {
    const std::int64_t celle = d.at("numero_celle").get<std::int64_t>() + 1;
    std::string out(static_cast<std::size_t>(celle) * byte_cella, '\0');
    for (const nlohmann::json& c : d.at("celle")) {
        const auto indice = c.at("indice").get<std::size_t>();
        codifica::scrivi_record(campi_cella, record<Cella>(c, campi_cella), out.data() + indice * byte_cella);
    }
    return out;
}

std::string voci(const nlohmann::json& d) {
    std::string out;
    std::int64_t attesa = 0;
    for (const nlohmann::json& v : d.at("voci")) {
        if (v.at("voce").get<std::int64_t>() != attesa++) throw std::runtime_error("voci fuori ordine");
        codifica_voce(out, record<Voce>(v, campi_voce));
    }
    if (attesa != ultima_voce + 1) throw std::runtime_error("un file .sim ha 87 voci");
    return out;
}

double reale(const nlohmann::json& v) {
    if (v.is_string()) {
        const std::string t = v.get<std::string>();
        if (t.rfind("bits:", 0) != 0) throw std::runtime_error("reale scritto come testo senza bits:");
        return std::bit_cast<double>(std::strtoull(t.c_str() + 5, nullptr, 16));
    }
    return v.get<double>();
}

std::string piano(const nlohmann::json& d) {
    std::string out;
    const std::int64_t righe = d.at("righe").get<std::int64_t>();
    for (const nlohmann::json& colonna : d.at("colonne")) {
        std::int64_t prossima = 0;
        for (const nlohmann::json& t : colonna.at("tratti")) {
            if (t.at("prima_riga").get<std::int64_t>() != prossima) throw std::runtime_error("tratti non contigui");
            const std::int64_t n = t.at("righe").get<std::int64_t>();
            const std::int64_t tag = t.at("tag").get<std::int64_t>();
            for (std::int64_t k = 0; k < n; ++k) {
                ValoreTabella e;
                if (tag == tag_intero16) {
                    e = ValoreTabella::intero(t.at("valori").at(static_cast<std::size_t>(k)).get<std::int16_t>());
                } else if (tag == tag_reale) {
                    e = ValoreTabella::reale_(reale(t.at("valori").at(static_cast<std::size_t>(k))));
                } else if (tag != tag_vuoto) {
                    throw std::runtime_error("tag sconosciuto");
                }
                append_element(out, e);
            }
            prossima += n;
        }
        if (prossima != righe) throw std::runtime_error("colonna di lunghezza sbagliata");
    }
    return out;
}

}  // namespace

std::string ricodifica(const nlohmann::json& dump) {
    const std::string tipo = dump.at("tipo_file").get<std::string>();
    if (tipo == "griglia") return griglia(dump);
    if (tipo == "voci") return voci(dump);
    if (tipo == "piano") return piano(dump);
    throw std::runtime_error("tipo_file sconosciuto: " + tipo);
}

}  // namespace compattatore::test
