// The scenarios the open documents belong to.  A scenario is the pair of
// description texts in one folder: NAME_linea.txt and NAME_TRAIN-.txt.  The
// editor's unsaved text of a file wins over the file on disk; the other
// file of the pair is read from disk when the editor does not hold it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lsp/righe.h"
#include "reader/memorizza_dati.h"

namespace compattatore::lsp {

// What the server may read besides the editor's texts: a file's bytes
// (nullopt when there is none) and the file names in a folder.
struct Disco {
    std::function<std::optional<std::string>(const std::string& percorso)> leggi;
    std::function<std::vector<std::string>(const std::string& cartella)> elenca;
};

// The part a file plays, from its name.
struct RuoloFile {
    std::string cartella;  // with its final separator, "" for none
    std::string linea;
    std::optional<std::string> treno;  // none: the line file
};
std::optional<RuoloFile> ruolo_di(const std::string& percorso, const std::function<bool(const std::string&)>& c_e);

// One scenario read and checked: the texts as they were, their lines, and
// what the check made of them.
struct Analisi {
    std::string percorso_linea, percorso_treno;  // percorso_treno empty: a line without a train
    std::optional<std::string> linea, treno;
    std::vector<Riga> righe_linea, righe_treno;
    Compilazione compilazione;
};

// The open documents, by path, and the scenarios they make.
class Scenari {
public:
    explicit Scenari(Disco disco) : disco_(std::move(disco)) {}

    void apri(const std::string& percorso, std::string testo) { aperti_[percorso] = std::move(testo); }
    void chiudi(const std::string& percorso) { aperti_.erase(percorso); }
    const std::string* testo_aperto(const std::string& percorso) const;
    std::vector<std::string> percorsi_aperti() const;

    // The scenarios a file belongs to: one for a train file; for a line
    // file, one with each train file the editor holds in its folder, or the
    // first on disk, or none (the line alone).  Empty for a file that is no
    // description.
    std::vector<std::pair<std::string, std::string>> coppie_di(const std::string& percorso) const;

    // The check of the pair, remade only when a text changed.
    std::shared_ptr<const Analisi> analisi(const std::string& percorso_linea, const std::string& percorso_treno);
    // The check of the first scenario of `percorso`, if it is a description.
    std::shared_ptr<const Analisi> analisi_di(const std::string& percorso);

private:
    std::optional<std::string> testo(const std::string& percorso) const;
    bool esiste(const std::string& percorso) const;

    Disco disco_;
    std::map<std::string, std::string> aperti_;
    std::map<std::pair<std::string, std::string>, std::shared_ptr<const Analisi>> cache_;
};

// The line's reference of a position, "km 28.000".
std::string chilometri(long long metri_linea);

}  // namespace compattatore::lsp
