// A server over an in-memory folder, and the messages a client sends.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "lsp/server.h"

namespace compattatore::test {

using lsp::json;

inline constexpr const char* cartella = "/scenari/";
inline const std::string percorso_linea = std::string(cartella) + "Brunovale_linea.txt";
inline const std::string percorso_treno = std::string(cartella) + "Brunovale_Quarzo-.txt";

std::string testo_linea_predefinito();
std::string testo_treno_predefinito();

// The files the server finds on "disk".
struct Disco {
    std::map<std::string, std::string> file;
    lsp::Disco per_server();
};

class Sessione {
public:
    explicit Sessione(Disco& d);
    // Sends a message; keeps what the server sends back.
    std::vector<json> invia(const json& m);
    json richiesta(const std::string& metodo, json parametri);
    void notifica(const std::string& metodo, json parametri);
    void apri(const std::string& percorso, const std::string& testo);
    void cambia(const std::string& percorso, const std::string& testo);
    // The diagnostics published since the last call, by path.
    std::map<std::string, json> pubblicate();
    json posizione(const std::string& percorso, int riga, int carattere) const;

    lsp::Server server;

private:
    int id_ = 0;
    std::map<std::string, int> versioni_;
};

// Applies text edits (one per line, as formatting answers) to `testo`.
std::string applica(const std::string& testo, const json& modifiche);

// The 0-based line of `testo` that starts with `inizio`, -1 when none does.
int riga_che_inizia(const std::string& testo, const std::string& inizio);

}  // namespace compattatore::test
