#include "app/scenari_cartella.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

bool finisce(const std::string& t, std::string_view coda) {
    return t.size() > coda.size() && t.compare(t.size() - coda.size(), coda.size(), coda) == 0;
}

std::vector<std::string> nomi_dei_file(const fs::path& cartella) {
    std::vector<std::string> nomi;
    std::error_code ec;
    fs::directory_iterator it(cartella, ec);
    // A folder that is not there holds no scenario.
    if (ec == std::errc::no_such_file_or_directory) return nomi;
    if (ec) throw IoError(cartella, system_reason(ec));
    // Every name counts, whatever it names: a description that is no file
    // is refused when it is read, with its reason.
    for (const fs::directory_entry& e : it) nomi.push_back(path_text(e.path().filename()));
    return nomi;
}

std::string elenco(const std::vector<NomiScenario>& scenari) {
    std::string r;
    for (const NomiScenario& s : scenari) r += "\n    --linea " + s.linea + " --treno " + s.treno;
    return r;
}

std::string cosa_cerco(FileCercati cercati) {
    return cercati == FileCercati::descrizioni ? "i file LINEA_linea.txt e LINEA_TRENO-.txt"
                                               : "i file compilati LINEA_TRENO.sim e LINEA_TRENO.dat";
}

}  // namespace

std::vector<NomiScenario> scenari_della_cartella(const fs::path& cartella, FileCercati cercati) {
    const std::vector<std::string> nomi = nomi_dei_file(cartella);
    std::set<std::string> linee;
    for (const std::string& n : nomi) {
        if (finisce(n, "_linea.txt")) linee.insert(n.substr(0, n.size() - 10));
        if (finisce(n, "_linea.dat")) linee.insert(n.substr(0, n.size() - 10));
    }
    const std::string_view coda = cercati == FileCercati::descrizioni ? "-.txt" : ".sim";
    std::set<NomiScenario> trovati;
    for (const std::string& n : nomi) {
        if (!finisce(n, coda)) continue;
        const std::string base = n.substr(0, n.size() - coda.size());
        // The author's notes are no train.
        if (finisce(base, "_note")) continue;
        bool con_linea = false;
        for (const std::string& l : linee) {
            if (base.size() <= l.size() + 1 || base.compare(0, l.size() + 1, l + "_") != 0) continue;
            if (cercati == FileCercati::descrizioni &&
                std::find(nomi.begin(), nomi.end(), l + "_linea.txt") == nomi.end())
                continue;
            trovati.insert({l, base.substr(l.size() + 1)});
            con_linea = true;
        }
        // A compiled scenario without the plan file: its line's name ends at the first '_'.
        if (!con_linea && cercati == FileCercati::compilati) {
            const std::size_t u = base.find('_');
            if (u != std::string::npos && u > 0 && u + 1 < base.size()) trovati.insert({base.substr(0, u), base.substr(u + 1)});
        }
    }
    return {trovati.begin(), trovati.end()};
}

NomiScenario scegli_scenario(const fs::path& cartella, FileCercati cercati, const std::optional<std::string>& linea,
                             const std::optional<std::string>& treno) {
    if (linea && treno) return {*linea, *treno};
    std::vector<NomiScenario> adatti;
    for (const NomiScenario& s : scenari_della_cartella(cartella, cercati))
        if ((!linea || s.linea == *linea) && (!treno || s.treno == *treno)) adatti.push_back(s);
    if (adatti.size() == 1) return adatti.front();

    const std::string dir = path_text(cartella);
    std::string nomi_dati;
    if (linea) nomi_dati = " con la linea " + *linea;
    if (treno) nomi_dati = " con il treno " + *treno;
    if (adatti.empty()) {
        const std::vector<NomiScenario> tutti = scenari_della_cartella(cartella, cercati);
        std::string m = dir + ": nessuno scenario" + nomi_dati + " (" + cosa_cerco(cercati) + ")";
        if (!tutti.empty()) m += "; la cartella contiene:" + elenco(tutti);
        if (cercati == FileCercati::descrizioni && tutti.empty())
            m += "; compattatore sources " + dir + " ne scrive uno";
        throw ScenarioDaScegliere(m);
    }
    throw ScenarioDaScegliere(dir + " contiene " + std::to_string(adatti.size()) + " scenari" + nomi_dati +
                              ": scegline uno con --linea e --treno" + elenco(adatti));
}

void nota_scenari_presenti(const fs::path& cartella, EsitoCompilazione& e) {
    for (Diagnostica& d : e.diagnostiche) {
        if (d.gravita != Gravita::errore) continue;
        std::vector<NomiScenario> s;
        try {
            s = scenari_della_cartella(cartella, FileCercati::descrizioni);
        } catch (const IoError&) {
            return;
        }
        if (s.empty()) {
            d.note.push_back("la cartella non contiene nessuno scenario (" + cosa_cerco(FileCercati::descrizioni) + ")");
            return;
        }
        d.note.push_back("la cartella contiene:");
        for (const NomiScenario& n : s) d.note.back() += (d.note.back().back() == ':' ? " " : ", ") + std::string("--linea ") + n.linea + " --treno " + n.treno;
        return;
    }
}

}  // namespace compattatore
