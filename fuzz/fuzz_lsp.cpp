// Fuzz target: the language server's messages, from the bytes of its input
// stream to its answers.
//
// Input layout:
//   byte 0      k: the stream is fed in pieces of k % 64 + 1 bytes, as a
//               pipe may hand it over;
//   the rest    the stream.
// Each frame goes to the server, and the pending checks are published after
// each piece.  The server works on an in-memory folder holding a small line
// and train, so that the messages may open, change and ask about them.
// Besides the sanitizers the run checks that every answer is a JSON-RPC
// message and that every request with a valid id gets exactly one answer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lsp/framing.h"
#include "lsp/server.h"

namespace {

using compattatore::lsp::json;

const char* linea =
    "[generale]\r\nlunghezza percorso,    20000\r\n[pendenze]\r\npendenza,  0,   0\r\n[fine]\r\n";
const char* treno =
    "[generale]\r\nnumero vetture,    5\r\n[vel_limite]\r\nvelocita,       0,    80\r\n[stazioni]\r\n"
    "stazione,    2000,  8,  400,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Alfa\r\n"
    "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\r\n[fine]\r\n";

compattatore::lsp::Disco disco() {
    compattatore::lsp::Disco d;
    d.leggi = [](const std::string& p) -> std::optional<std::string> {
        if (p == "/s/A_linea.txt") return std::string(linea);
        if (p == "/s/A_B-.txt") return std::string(treno);
        return std::nullopt;
    };
    d.elenca = [](const std::string& c) {
        return c == "/s/" ? std::vector<std::string>{"A_linea.txt", "A_B-.txt"} : std::vector<std::string>{};
    };
    return d;
}

void controlla(const json& m) {
    if (!m.is_object() || m.value("jsonrpc", "") != "2.0" || !(m.contains("id") || m.contains("method"))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t pezzo = data[0] % 64 + 1;
    const std::string_view flusso(reinterpret_cast<const char*>(data) + 1, size - 1);
    compattatore::lsp::FrameParser parser;
    compattatore::lsp::Server server(disco());
    for (std::size_t i = 0; i < flusso.size() && !server.exited(); i += pezzo) {
        parser.feed(flusso.substr(i, pezzo));
        while (parser.has_frame() && !server.exited()) {
            compattatore::lsp::Frame f = parser.next();
            const auto* corpo = std::get_if<std::string>(&f);
            if (!corpo) continue;
            const json richiesta = json::parse(*corpo, nullptr, false);
            const auto risposte = server.receive_body(*corpo);
            std::size_t a_richiesta = 0;
            for (const json& m : risposte) {
                controlla(m);
                if (m.contains("id") && richiesta.is_object() && richiesta.contains("id") && m["id"] == richiesta["id"])
                    ++a_richiesta;
            }
            const bool id_valido = richiesta.is_object() && richiesta.contains("method") &&
                                   richiesta["method"].is_string() && richiesta.contains("id") &&
                                   (richiesta["id"].is_number_integer() || richiesta["id"].is_string());
            if (id_valido && a_richiesta != 1) std::abort();
            if (risposte.size() > 0 && risposte.front().contains("error") &&
                risposte.front()["error"]["code"] == compattatore::lsp::rpc_error::parse_error)
                parser.reject(*corpo);
        }
        for (const json& m : server.publish()) controlla(m);
    }
    parser.finish();
    while (parser.has_frame()) parser.next();
    return 0;
}
