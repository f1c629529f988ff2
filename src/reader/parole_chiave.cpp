#include "reader/parole_chiave.h"

#include <algorithm>
#include <string>
#include <vector>

namespace compattatore::lettore {

namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr ParolaChiave elenco[] = {
    // The general section of the line text.
    {"lunghezza percorso", Contesto::generale, "lunghezza", "percorso"},
    {"progressiva chilometrica uno", Contesto::generale, "progressiva", "uno", true},
    {"progressiva chilometrica due", Contesto::generale, "progressiva", "due", true},
    {"progressiva chilometrica tre", Contesto::generale, "progressiva", "tre", true},
    {"sfondo uno", Contesto::generale, "sfondo", "uno", true},
    {"sfondo due", Contesto::generale, "sfondo", "due", true},
    {"sfondo tre", Contesto::generale, "sfondo", "tre", true},
    {"ripetizione segnali 9 codici", Contesto::generale, "ripetizione", "segnali", true},
    {"ripetizione segnali 4 codici", Contesto::generale, "ripetizione", "segnali", true},
    // The line records.
    {"pendenza", Contesto::linea, "pendenza", {}},
    {"curvas1", Contesto::linea, "curva", {}}, {"curvas2", Contesto::linea, "curva", {}},
    {"curvas3", Contesto::linea, "curva", {}}, {"curvas4", Contesto::linea, "curva", {}},
    {"curvas5", Contesto::linea, "curva", {}}, {"curvas6", Contesto::linea, "curva", {}},
    {"curvad1", Contesto::linea, "curva", {}}, {"curvad2", Contesto::linea, "curva", {}},
    {"curvad3", Contesto::linea, "curva", {}}, {"curvad4", Contesto::linea, "curva", {}},
    {"curvad5", Contesto::linea, "curva", {}}, {"curvad6", Contesto::linea, "curva", {}},
    {"montagna", Contesto::linea, "montagna", {}},
    {"indicatori_vmax", Contesto::linea, "indicatori_v", {}},
    {"cartello_indicatore", Contesto::linea, "cartello", "indicat"},
    // The train text.
    {"numero vetture", Contesto::treno, "vetture", {}},
    {"percentuale massa frenata", Contesto::treno, "massa", "frenata"},
    {"sabbia", Contesto::treno, "sabbia", {}},
    {"orologio", Contesto::treno, "orologio", {}},
    {"aderenza", Contesto::treno, "aderenza", {}},
    {"velocita", Contesto::treno, "velocit", {}},
    {"stazione", Contesto::treno, "stazione", {}},
    {"rallentamento", Contesto::treno, "rallentamento", {}},
    {"segnale", Contesto::treno, "segnale", {}},
    {"abbattimento", Contesto::treno, "abbattimento", {}},
    // Records of the driver's documents, in the train's general section.
    {"numero treno", Contesto::treno, "numero treno", {}, false, true},
    {"categoria", Contesto::treno, "categoria", {}, false, true},
    {"recupero", Contesto::treno, "recupero", {}, false, true},
};

bool trova(std::string_view campo, std::string_view parola, bool esatta) {
    return parola.empty() || (esatta ? contiene(campo, parola) : contiene_ci(campo, parola));
}

}  // namespace

bool contiene(std::string_view campo, std::string_view parola) {
    return campo.find(parola) != std::string_view::npos;
}

bool contiene_ci(std::string_view campo, std::string_view parola) {
    auto trovata = std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                               [](char a, char b) { return minuscola(a) == minuscola(b); });
    return trovata != campo.end() || parola.empty();
}

std::span<const ParolaChiave> parole_chiave() { return elenco; }

const ParolaChiave* riconosci(std::string_view campo, Contesto contesto) {
    for (const ParolaChiave& p : elenco) {
        if (p.contesto == contesto && trova(campo, p.prima, p.esatte) && trova(campo, p.seconda, p.esatte)) return &p;
    }
    return nullptr;
}

std::size_t distanza(std::string_view a, std::string_view b) {
    // Optimal string alignment: three rows of the table are enough.
    std::vector<std::size_t> due(b.size() + 1), una(b.size() + 1), ora(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) una[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        ora[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool uguali = minuscola(a[i - 1]) == minuscola(b[j - 1]);
            ora[j] = std::min({una[j] + 1, ora[j - 1] + 1, una[j - 1] + (uguali ? 0 : 1)});
            if (i > 1 && j > 1 && minuscola(a[i - 1]) == minuscola(b[j - 2]) &&
                minuscola(a[i - 2]) == minuscola(b[j - 1]))
                ora[j] = std::min(ora[j], due[j - 2] + 1);
        }
        std::swap(due, una);
        std::swap(una, ora);
    }
    return una[b.size()];
}

std::optional<std::string_view> parola_vicina(std::string_view campo, Contesto contesto) {
    // Only the words of a field are compared; a long field is no slip.
    if (campo.size() > 40) return std::nullopt;
    std::optional<std::string_view> migliore;
    std::size_t minima = 0;
    for (const ParolaChiave& p : elenco) {
        if (p.contesto != contesto) continue;
        const std::size_t d = distanza(campo, p.parola);
        if (!migliore || d < minima) {
            migliore = p.parola;
            minima = d;
        }
    }
    // A slip changes a few letters: at most one in three, and at least one.
    if (!migliore || minima > std::max<std::size_t>(1, migliore->size() / 3)) return std::nullopt;
    return migliore;
}

}  // namespace compattatore::lettore
