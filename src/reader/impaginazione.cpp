#include "reader/impaginazione.h"

namespace compattatore::lettore {

namespace {

constexpr Colonna quattro_spazi[] = {{",    ", 0}, {",    ", 0}, {",    ", 0}};
constexpr Colonna c_curva[] = {{",  ", 0}, {",  ", 0}};
constexpr Colonna c_pendenza[] = {{",  ", 0}, {",   ", 0}};
constexpr Colonna c_montagna[] = {{",   ", 0}, {",  ", 0}, {",  ", 0}};
constexpr Colonna c_indicatori[] = {{",  ", 0}, {",  ", 0}, {",  ", 0}, {",  ", 0}, {",  ", 0},
                                    {",  ", 0}, {",  ", 0}, {",  ", 0}, {",  ", 0}};
constexpr Colonna c_cartello[] = {{",  ", 0}, {",   ", 0}};
constexpr Colonna c_orologio[] = {{",    ", 0}, {"              ", 0}, {"            ", 0}};
constexpr Colonna c_profilo[] = {{",", 8}, {",", 6}};
constexpr Colonna c_stazione[] = {{",", 8}, {",", 3}, {",", 5}, {",", 3}, {",", 2}, {",", 2},
                                  {",", 3}, {",", 1}, {",", 1}, {",", 3}, {",", 1}, {",", 1},
                                  {",", 5}, {",", 4}, {",", 2}, {",", 2}, {", ", 0}};
constexpr Colonna c_rallentamento[] = {{",  ", 0}, {",    ", 0}, {",  ", 0}, {", ", 0}, {",  ", 0}, {",  ", 0}};
constexpr Colonna c_segnale[] = {{",", 8}, {",", 4}, {",", 2}, {",", 2}, {",", 3}, {",", 2},
                                 {",", 5}, {",", 3}, {",", 1}, {",", 1}, {", ", 0}};

constexpr Impaginazione i_uno{std::span(quattro_spazi).first(1), false, ""};
constexpr Impaginazione i_due{std::span(quattro_spazi).first(2), false, ""};
constexpr Impaginazione i_tre{quattro_spazi, false, ""};
constexpr Impaginazione i_curva{c_curva, false, ""};
constexpr Impaginazione i_pendenza{c_pendenza, false, ""};
constexpr Impaginazione i_montagna{c_montagna, false, ""};
constexpr Impaginazione i_indicatori{c_indicatori, false, ""};
constexpr Impaginazione i_cartello{c_cartello, true, ""};
constexpr Impaginazione i_orologio{c_orologio, false, " "};
constexpr Impaginazione i_profilo{c_profilo, false, ""};
constexpr Impaginazione i_stazione{c_stazione, true, ""};
constexpr Impaginazione i_rallentamento{c_rallentamento, false, ""};
constexpr Impaginazione i_segnale{c_segnale, false, ""};

}  // namespace

const Impaginazione* impaginazione(IdRecord id) {
    switch (id) {
        case IdRecord::lunghezza_percorso:
        case IdRecord::sfondo_uno:
        case IdRecord::sfondo_due:
        case IdRecord::sfondo_tre:
        case IdRecord::numero_vetture:
        case IdRecord::massa_frenata:
        case IdRecord::sabbia: return &i_uno;
        case IdRecord::progressiva_uno:
        case IdRecord::progressiva_due:
        case IdRecord::progressiva_tre: return &i_tre;
        case IdRecord::ripetizione_segnali: return &i_due;
        case IdRecord::curva: return &i_curva;
        case IdRecord::pendenza: return &i_pendenza;
        case IdRecord::montagna: return &i_montagna;
        case IdRecord::indicatori_vmax: return &i_indicatori;
        case IdRecord::cartello_indicatore: return &i_cartello;
        case IdRecord::orologio: return &i_orologio;
        case IdRecord::aderenza:
        case IdRecord::velocita:
        case IdRecord::abbattimento: return &i_profilo;
        case IdRecord::stazione: return &i_stazione;
        case IdRecord::rallentamento: return &i_rallentamento;
        case IdRecord::segnale: return &i_segnale;
        case IdRecord::numero_treno:
        case IdRecord::categoria:
        case IdRecord::recupero: return nullptr;
    }
    return nullptr;
}

std::string impagina(const Impaginazione& imp, std::string_view parola, std::span<const std::string> valori) {
    std::string s(parola);
    for (std::size_t k = 0; k < imp.colonne.size() && k < valori.size(); ++k) {
        const Colonna& col = imp.colonne[k];
        const std::string& v = valori[k];
        s += col.prima;
        if (static_cast<int>(v.size()) < col.larghezza) s.append(static_cast<std::size_t>(col.larghezza) - v.size(), ' ');
        s += v;
    }
    s += imp.fine;
    return s;
}

}  // namespace compattatore::lettore
