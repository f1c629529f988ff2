#include "reader/parole_chiave.h"

#include <algorithm>
#include <string>
#include <vector>

namespace compattatore::lettore {

namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool contiene(std::string_view campo, std::string_view parola) {
    return campo.find(parola) != std::string_view::npos;
}

bool contiene_ci(std::string_view campo, std::string_view parola) {
    // Every record of a description goes through this for each keyword of
    // its section: a field shorter than the word is passed over at once.
    if (parola.empty()) return true;
    if (parola.size() > campo.size()) return false;
    const char prima = minuscola(parola[0]);
    for (std::size_t i = 0; i + parola.size() <= campo.size(); ++i) {
        if (minuscola(campo[i]) != prima) continue;
        std::size_t k = 1;
        while (k < parola.size() && minuscola(campo[i + k]) == minuscola(parola[k])) ++k;
        if (k == parola.size()) return true;
    }
    return false;
}

const Record* riconosci(std::string_view campo, Contesto contesto) {
    for (const Record& r : formato_descrizione().records) {
        if (r.contesto == contesto && riconosce(r, campo)) return &r;
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
    for (const Record& r : formato_descrizione().records) {
        if (r.contesto != contesto) continue;
        for (const std::string_view parola : r.parole) {
            const std::size_t d = distanza(campo, parola);
            if (!migliore || d < minima) {
                migliore = parola;
                minima = d;
            }
        }
    }
    // A slip changes a few letters: at most one in three, and at least one.
    if (!migliore || minima > std::max<std::size_t>(1, migliore->size() / 3)) return std::nullopt;
    return migliore;
}

}  // namespace compattatore::lettore
