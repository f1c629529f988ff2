// Quick fixes: the keyword the author probably meant, and the warnings that
// have one obvious repair.
#include <charconv>

#include "lsp/funzioni.h"

namespace compattatore::lsp {

namespace {

json correzione(const std::string& percorso, const std::string& titolo, const json& diagnostica, std::string testo) {
    json modifica = {{"range", diagnostica["range"]}, {"newText", std::move(testo)}};
    return {{"title", titolo},
            {"kind", "quickfix"},
            {"diagnostics", json::array({diagnostica})},
            {"isPreferred", true},
            {"edit", {{"changes", {{uri_di(percorso), json::array({modifica})}}}}}};
}

// The text a range of one line covers.
std::optional<std::string_view> testo_in(const Analisi& a, const std::string& percorso, const json& range) {
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe || !range.is_object()) return std::nullopt;
    const int riga = range.value("/start/line"_json_pointer, -1);
    if (riga < 0 || static_cast<std::size_t>(riga) >= righe->size() || range.value("/end/line"_json_pointer, -1) != riga)
        return std::nullopt;
    const Riga& r = (*righe)[static_cast<std::size_t>(riga)];
    const std::size_t da = byte_di_colonna(r.testo, range.value("/start/character"_json_pointer, std::size_t{0}));
    const std::size_t a_byte = byte_di_colonna(r.testo, range.value("/end/character"_json_pointer, std::size_t{0}));
    if (a_byte < da) return std::nullopt;
    return r.testo.substr(da, a_byte - da);
}

}  // namespace

json azioni(const Analisi& a, const std::string& percorso, const json& contesto) {
    json lista = json::array();
    if (!contesto.is_object() || !contesto.contains("diagnostics") || !contesto["diagnostics"].is_array()) return lista;
    for (const json& d : contesto["diagnostics"]) {
        if (!d.is_object() || !d.contains("range")) continue;
        const std::string messaggio = d.value("message", std::string());
        const std::string codice = d.contains("code") && d["code"].is_string() ? d["code"].get<std::string>() : "";
        constexpr std::string_view forse = "forse intendevi `";
        if (const std::size_t i = messaggio.find(forse); i != std::string::npos) {
            const std::size_t fine = messaggio.find('`', i + forse.size());
            if (fine != std::string::npos) {
                const std::string parola = messaggio.substr(i + forse.size(), fine - i - forse.size());
                lista.push_back(correzione(percorso, "Sostituisci con `" + parola + "`", d, parola));
            }
        }
        if (codice == "velocita-arrotondata") {
            const auto t = testo_in(a, percorso, d["range"]);
            long long v = 0;
            if (t && std::from_chars(t->data(), t->data() + t->size(), v).ec == std::errc()) {
                const long long resto = ((v % 5) + 5) % 5;
                const long long arrotondata = resto < 3 ? v - resto : v + 5 - resto;
                lista.push_back(correzione(percorso, "Arrotonda a " + std::to_string(arrotondata) + " km/h", d,
                                           std::to_string(arrotondata)));
            }
        }
    }
    return lista;
}

}  // namespace compattatore::lsp
