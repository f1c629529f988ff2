#include "banco_lsp.h"

#include <gtest/gtest.h>

#include "lsp/testo_editor.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace compattatore::test {

std::string testo_linea_predefinito() { return componi_testo(righe_linea()); }
std::string testo_treno_predefinito() { return componi_testo(righe_treno()); }

lsp::Disco Disco::per_server() {
    lsp::Disco d;
    d.leggi = [this](const std::string& p) -> std::optional<std::string> {
        const auto i = file.find(p);
        if (i == file.end()) return std::nullopt;
        return i->second;
    };
    d.elenca = [this](const std::string& c) {
        std::vector<std::string> nomi;
        for (const auto& [p, t] : file)
            if (p.compare(0, c.size(), c) == 0 && p.find('/', c.size()) == std::string::npos) nomi.push_back(p.substr(c.size()));
        return nomi;
    };
    return d;
}

Sessione::Sessione(Disco& d) : server(d.per_server()) {
    const auto r = invia({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", "initialize"}, {"params", json::object()}});
    EXPECT_EQ(r.size(), 1u);
    notifica("initialized", json::object());
}

std::vector<json> Sessione::invia(const json& m) {
    // Through the text form, as the stream carries it.
    return server.receive_body(m.dump());
}

json Sessione::richiesta(const std::string& metodo, json parametri) {
    const int id = ++id_;
    const auto r = invia({{"jsonrpc", "2.0"}, {"id", id}, {"method", metodo}, {"params", std::move(parametri)}});
    for (const json& m : r)
        if (m.contains("id") && m["id"] == id) return m;
    ADD_FAILURE() << "nessuna risposta a " << metodo;
    return nullptr;
}

void Sessione::notifica(const std::string& metodo, json parametri) {
    const auto r = invia({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}});
    for (const json& m : r) EXPECT_NE(m.value("method", ""), "window/logMessage") << m.dump();
}

void Sessione::apri(const std::string& percorso, const std::string& testo) {
    versioni_[percorso] = 1;
    notifica("textDocument/didOpen",
             {{"textDocument", {{"uri", lsp::uri_di(percorso)}, {"languageId", "compattatore"}, {"version", 1}, {"text", testo}}}});
}

void Sessione::cambia(const std::string& percorso, const std::string& testo) {
    notifica("textDocument/didChange", {{"textDocument", {{"uri", lsp::uri_di(percorso)}, {"version", ++versioni_[percorso]}}},
                                        {"contentChanges", json::array({{{"text", testo}}})}});
}

std::map<std::string, json> Sessione::pubblicate() {
    std::map<std::string, json> r;
    for (const json& m : server.publish()) {
        EXPECT_EQ(m["method"], "textDocument/publishDiagnostics");
        std::string p;
        EXPECT_TRUE(lsp::percorso_di(m["params"]["uri"].get<std::string>(), p));
        r[p] = m["params"]["diagnostics"];
    }
    return r;
}

json Sessione::posizione(const std::string& percorso, int riga, int carattere) const {
    return {{"textDocument", {{"uri", lsp::uri_di(percorso)}}}, {"position", {{"line", riga}, {"character", carattere}}}};
}

std::string applica(const std::string& testo, const json& modifiche) {
    std::string t = testo;
    // From the last edit back, so that earlier offsets stay valid.
    std::vector<json> ordinate(modifiche.begin(), modifiche.end());
    std::sort(ordinate.begin(), ordinate.end(), [](const json& a, const json& b) {
        return a["range"]["start"]["line"].get<int>() > b["range"]["start"]["line"].get<int>();
    });
    for (const json& m : ordinate) lsp::apply_change(t, m.contains("newText") ? json{{"range", m["range"]}, {"text", m["newText"]}} : m);
    return t;
}

int riga_che_inizia(const std::string& testo, const std::string& inizio) {
    int n = 0;
    std::size_t i = 0;
    while (i <= testo.size()) {
        if (testo.compare(i, inizio.size(), inizio) == 0) return n;
        const std::size_t a = testo.find('\n', i);
        if (a == std::string::npos) break;
        i = a + 1;
        ++n;
    }
    return -1;
}

}  // namespace compattatore::test
