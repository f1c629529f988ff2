// The language server: JSON-RPC messages in, messages out.  It holds the
// editor's open documents and answers from them; reading and writing the
// standard streams is the loop's (loop.h).
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/scenari.h"
#include "lsp/testo_editor.h"

namespace compattatore::lsp {

class Server {
public:
    explicit Server(Disco disco) : scenari_(std::move(disco)) {}

    // One message body as it came: the messages to send back.  A body that
    // is no JSON, or no JSON-RPC message, gets an error response.
    std::vector<json> receive_body(std::string_view body);
    std::vector<json> receive(const json& message);

    // The diagnostics of every open document whose scenario changed since
    // the last call: one check per scenario, however many changes came.
    std::vector<json> publish();

    bool exited() const { return exited_; }
    // 0 after "shutdown" then "exit", 1 for an "exit" alone.
    int exit_status() const { return shutdown_ ? 0 : 1; }

private:
    json request(const std::string& method, const json& params);
    void notification(const std::string& method, const json& params, std::vector<json>& out);
    void changed(const std::string& path);
    std::string path_of(const json& params) const;

    Scenari scenari_;
    std::map<std::string, long long> versions_;
    std::map<std::string, std::string> uris_;  // as the editor wrote them
    std::string uri_of(const std::string& path) const;
    std::set<std::string> dirty_;
    std::vector<std::string> closed_;
    bool initialized_ = false, shutdown_ = false, exited_ = false;
};

// JSON-RPC error codes.
namespace rpc_error {
inline constexpr int parse_error = -32700;
inline constexpr int invalid_request = -32600;
inline constexpr int method_not_found = -32601;
inline constexpr int invalid_params = -32602;
inline constexpr int internal_error = -32603;
inline constexpr int server_not_initialized = -32002;
}  // namespace rpc_error

// Applies one change of textDocument/didChange (a range, or the whole text).
void apply_change(std::string& text, const json& change);

}  // namespace compattatore::lsp
