#include "app/blocco_cartelle.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "platform/paths.h"

namespace compattatore {

namespace fs = std::filesystem;

BloccoCartelle::BloccoCartelle(const std::vector<std::pair<fs::path, UsoCartella>>& cartelle, std::ostream& err) {
    // By the identity of the lock file: one folder under two names locked
    // once (a second lock by the same run would wait for the first), and an
    // order that does not depend on how the folders were named.
    std::map<FileIdentity, std::pair<std::size_t, LockUse>> per_file;
    std::vector<FolderLock> aperti;
    std::set<std::string> detti;
    for (const auto& [cartella, uso] : cartelle) {
        const LockUse chiesto = uso == UsoCartella::scrittura ? LockUse::exclusive : LockUse::shared;
        FolderLock l(cartella);
        const std::optional<FileIdentity> id = l.identity();
        // No lock file: a folder that does not exist, which this run will
        // only fail to read or write, or one where none can be made or
        // opened (a folder read-only for this user, a folder of that
        // name), which is said, and read or written unlocked.
        if (!id) {
            const std::string nome = path_text(cartella);
            if (l.missing_reason() && detti.insert(nome).second)
                err << "compattatore: avviso: nella cartella " << nome << " il file di blocco "
                    << lock_file_name << " non si può usare (" << *l.missing_reason()
                    << "): le esecuzioni contemporanee in questa cartella non si escludono a vicenda" << std::endl;
            continue;
        }
        const auto [voce, nuova] = per_file.try_emplace(*id, aperti.size(), chiesto);
        if (nuova) {
            aperti.push_back(std::move(l));
        } else if (chiesto == LockUse::exclusive) {
            voce->second.second = LockUse::exclusive;
        }
    }
    for (const auto& [id, voce] : per_file) {
        FolderLock& l = aperti[voce.first];
        const std::string nome = path_text(l.folder());
        const FolderLock::Outcome esito = l.acquire(voce.second, [&err, &nome] {
            err << "compattatore: un'altra esecuzione sta lavorando nella cartella " << nome
                << ": attendo che finisca" << std::endl;
        });
        if (esito == FolderLock::Outcome::not_supported)
            err << "compattatore: avviso: la cartella " << nome
                << " non permette di bloccare i file: le esecuzioni contemporanee in questa cartella non si "
                   "escludono a vicenda"
                << std::endl;
        blocchi_.push_back(std::move(l));
    }
}

fs::path cartella_del_file(const fs::path& file) {
    const fs::path c = file.parent_path();
    return c.empty() ? fs::path(".") : c;
}

}  // namespace compattatore
