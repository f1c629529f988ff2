#include "lsp/server.h"

#include <new>
#include <stdexcept>

#include "lsp/funzioni.h"

namespace compattatore::lsp {

namespace {

json error_response(const json& id, int code, std::string message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", std::move(message)}}}};
}

json log_message(std::string text) {
    return {{"jsonrpc", "2.0"}, {"method", "window/logMessage"}, {"params", {{"type", 2}, {"message", std::move(text)}}}};
}

// A request's parameters that do not have the expected shape.
struct BadParams : std::runtime_error {
    using std::runtime_error::runtime_error;
};

json capabilities() {
    return {{"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", false}}},
            {"hoverProvider", true},
            {"completionProvider", {{"triggerCharacters", json::array({"[", ","})}}},
            {"documentSymbolProvider", true},
            {"definitionProvider", true},
            {"documentFormattingProvider", true},
            {"inlayHintProvider", true},
            {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}}};
}

// The byte offset of a protocol position in `text`.
std::size_t offset_of(const std::string& text, const json& pos) {
    const long long line = pos.at("line").get<long long>();
    const long long character = pos.at("character").get<long long>();
    if (line < 0 || character < 0) throw BadParams("posizione negativa");
    std::size_t start = 0;
    for (long long l = 0; l < line; ++l) {
        const std::size_t nl = text.find('\n', start);
        if (nl == std::string::npos) return text.size();
        start = nl + 1;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view riga(text.data() + start, end - start);
    if (!riga.empty() && riga.back() == '\r') riga.remove_suffix(1);
    return start + byte_di_colonna(riga, static_cast<std::size_t>(character));
}

}  // namespace

void apply_change(std::string& text, const json& change) {
    if (!change.is_object() || !change.contains("text") || !change["text"].is_string())
        throw BadParams("modifica senza testo");
    if (!change.contains("range")) {
        text = change["text"].get<std::string>();
        return;
    }
    const std::size_t from = offset_of(text, change["range"].at("start"));
    const std::size_t to = offset_of(text, change["range"].at("end"));
    if (to < from) throw BadParams("intervallo rovesciato");
    text.replace(from, to - from, change["text"].get<std::string>());
}

std::string Server::path_of(const json& params) const {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    std::string path;
    if (!percorso_di(uri, path)) throw BadParams("non è un file: " + uri);
    return path;
}

std::string Server::uri_of(const std::string& path) const {
    const auto i = uris_.find(path);
    return i == uris_.end() ? uri_di(path) : i->second;
}

void Server::changed(const std::string& path) {
    dirty_.insert(path);
    // The other files of its scenarios are checked again with it.
    for (const std::string& open : scenari_.percorsi_aperti())
        for (const auto& [linea, treno] : scenari_.coppie_di(open))
            if (linea == path || treno == path) dirty_.insert(open);
}

std::vector<json> Server::receive_body(std::string_view body) {
    json message = json::parse(body, nullptr, false);
    if (message.is_discarded()) return {error_response(nullptr, rpc_error::parse_error, "il messaggio non è JSON")};
    return receive(message);
}

std::vector<json> Server::receive(const json& message) {
    std::vector<json> out;
    if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
        // A response to a request of ours (none is sent) is dropped.
        if (message.is_object() && message.contains("id") && (message.contains("result") || message.contains("error")))
            return out;
        const json id = message.is_object() && message.contains("id") ? message["id"] : json(nullptr);
        out.push_back(error_response(id, rpc_error::invalid_request, "non è un messaggio JSON-RPC"));
        return out;
    }
    const std::string method = message["method"].get<std::string>();
    const json params = message.contains("params") ? message["params"] : json::object();
    const bool is_request = message.contains("id");
    const json id = is_request ? message["id"] : json(nullptr);
    if (is_request && !id.is_number_integer() && !id.is_string()) {
        out.push_back(error_response(nullptr, rpc_error::invalid_request, "id non valido"));
        return out;
    }
    try {
        if (!is_request) {
            notification(method, params, out);
        } else if (shutdown_) {
            out.push_back(error_response(id, rpc_error::invalid_request, "il server è stato chiuso (shutdown)"));
        } else if (!initialized_ && method != "initialize") {
            out.push_back(error_response(id, rpc_error::server_not_initialized, "il server attende initialize"));
        } else {
            json result = request(method, params);
            if (result.is_object() && result.contains("__error"))
                out.push_back(error_response(id, result["__error"].get<int>(), result["message"].get<std::string>()));
            else
                out.push_back({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
        }
    } catch (const BadParams& e) {
        if (is_request) out.push_back(error_response(id, rpc_error::invalid_params, e.what()));
        else out.push_back(log_message(method + ": " + e.what()));
    } catch (const json::exception& e) {
        if (is_request) out.push_back(error_response(id, rpc_error::invalid_params, std::string("parametri non validi: ") + e.what()));
        else out.push_back(log_message(method + ": parametri non validi: " + e.what()));
    } catch (const std::bad_alloc&) {
        if (is_request) out.push_back(error_response(id, rpc_error::internal_error, "memoria insufficiente"));
        else out.push_back(log_message(method + ": memoria insufficiente"));
    } catch (const std::exception& e) {
        if (is_request) out.push_back(error_response(id, rpc_error::internal_error, e.what()));
        else out.push_back(log_message(method + ": " + e.what()));
    }
    return out;
}

void Server::notification(const std::string& method, const json& params, std::vector<json>& out) {
    if (method == "exit") {
        exited_ = true;
        return;
    }
    if (method == "initialized" || method.rfind("$/", 0) == 0 || !initialized_ || shutdown_) return;
    if (method == "textDocument/didOpen") {
        const json& doc = params.at("textDocument");
        const std::string path = path_of(params);
        scenari_.apri(path, doc.at("text").get<std::string>());
        versions_[path] = doc.value("version", 0LL);
        uris_[path] = doc.at("uri").get<std::string>();
        if (scenari_.coppie_di(path).empty())
            out.push_back(log_message(path + " non è un file di descrizione (NOME_linea.txt o LINEA_TRENO-.txt): "
                                      "nessun controllo"));
        changed(path);
    } else if (method == "textDocument/didChange") {
        const std::string path = path_of(params);
        const std::string* current = scenari_.testo_aperto(path);
        if (!current) throw BadParams("documento non aperto: " + path);
        std::string text = *current;
        for (const json& change : params.at("contentChanges")) apply_change(text, change);
        scenari_.apri(path, std::move(text));
        versions_[path] = params["textDocument"].value("version", versions_[path] + 1);
        changed(path);
    } else if (method == "textDocument/didClose") {
        const std::string path = path_of(params);
        scenari_.chiudi(path);
        versions_.erase(path);
        dirty_.erase(path);
        closed_.push_back(uri_of(path));
        uris_.erase(path);
        // Its partners now read it from disk.
        for (const std::string& open : scenari_.percorsi_aperti()) {
            const std::size_t s = path.find_last_of("/\\");
            if (open.compare(0, s + 1, path, 0, s + 1) == 0) dirty_.insert(open);
        }
    }
}

json Server::request(const std::string& method, const json& params) {
    if (method == "initialize") {
        initialized_ = true;
        return {{"capabilities", capabilities()},
                {"serverInfo", {{"name", "compattatore"}}}};
    }
    if (method == "shutdown") {
        shutdown_ = true;
        return nullptr;
    }
    const bool known = method == "textDocument/hover" || method == "textDocument/completion" ||
                       method == "textDocument/documentSymbol" || method == "textDocument/definition" ||
                       method == "textDocument/formatting" || method == "textDocument/inlayHint" ||
                       method == "textDocument/codeAction";
    if (!known) return {{"__error", rpc_error::method_not_found}, {"message", "metodo sconosciuto: " + method}};
    const std::string path = path_of(params);
    const auto a = scenari_.analisi_di(path);
    const bool lists = method != "textDocument/hover" && method != "textDocument/definition";
    if (!a) return lists ? json::array() : json(nullptr);
    auto line = [&] { return params.at("position").at("line").get<int>(); };
    auto character = [&] { return params.at("position").at("character").get<std::size_t>(); };
    if (method == "textDocument/hover") return hover(*a, path, line(), character());
    if (method == "textDocument/completion") return completamento(*a, path, line(), character());
    if (method == "textDocument/documentSymbol") return simboli(*a, path);
    if (method == "textDocument/definition") return definizione(*a, path, line(), character());
    if (method == "textDocument/formatting") return formattazione(*a, path);
    if (method == "textDocument/inlayHint")
        return suggerimenti(*a, path, params.at("range").at("start").at("line").get<int>(),
                            params.at("range").at("end").at("line").get<int>());
    return azioni(*a, path, params.value("context", json::object()));
}

std::vector<json> Server::publish() {
    std::vector<json> out;
    for (const std::string& uri : closed_)
        out.push_back({{"jsonrpc", "2.0"},
                       {"method", "textDocument/publishDiagnostics"},
                       {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
    closed_.clear();
    for (const std::string& path : dirty_) {
        if (!scenari_.testo_aperto(path)) continue;
        json diagnostics = json::array();
        try {
            if (const auto a = scenari_.analisi_di(path)) diagnostics = diagnostiche_di(*a, path);
        } catch (const std::exception& e) {
            out.push_back(log_message(path + ": controllo non riuscito: " + e.what()));
        }
        json params = {{"uri", uri_of(path)}, {"diagnostics", std::move(diagnostics)}};
        if (const auto v = versions_.find(path); v != versions_.end()) params["version"] = v->second;
        out.push_back({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", std::move(params)}});
    }
    dirty_.clear();
    return out;
}

}  // namespace compattatore::lsp
