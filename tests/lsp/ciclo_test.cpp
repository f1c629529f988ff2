// The server on a byte stream: framing, bad frames, the end of the input.
#include "lsp/loop.h"

#include <gtest/gtest.h>

#include <memory>

#include "banco_lsp.h"
#include "lsp/framing.h"
#include "lsp/testo_editor.h"

namespace compattatore::test {
namespace {

// Runs the server on `input`, given in one piece; the messages it wrote.
std::vector<json> esegui(const std::string& input, int& stato, Disco& d) {
    // The reading thread may outlive the session (it is left waiting after
    // "exit"): what it reads is its own.
    struct Ingresso {
        std::string byte;
        std::size_t letto = 0;
    };
    auto ingresso = std::make_shared<Ingresso>(Ingresso{input});
    std::string uscita;
    stato = lsp::serve(
        [ingresso](char* into, std::size_t n) {
            const std::size_t k = std::min(n, ingresso->byte.size() - ingresso->letto);
            std::copy_n(ingresso->byte.data() + ingresso->letto, k, into);
            ingresso->letto += k;
            return k;
        },
        [&](std::string_view b) {
            uscita.append(b);
            return true;
        },
        d.per_server());
    lsp::FrameParser p;
    p.feed(uscita);
    std::vector<json> messaggi;
    while (p.has_frame()) {
        lsp::Frame f = p.next();
        EXPECT_TRUE(std::holds_alternative<std::string>(f));
        if (auto* b = std::get_if<std::string>(&f)) messaggi.push_back(json::parse(*b));
    }
    return messaggi;
}

std::string messaggio(const json& m) { return lsp::frame(m.dump()); }

TEST(Ciclo, ASessionWithBadFramesEndsWithItsStatus) {
    Disco d;
    d.file[percorso_linea] = testo_linea_predefinito();
    const std::string treno = testo_treno_predefinito();
    const std::string uri = lsp::uri_di(percorso_treno);
    std::string input = messaggio({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
    input += messaggio({{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
                        {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", treno}}}}}});
    // A length too large by 5: the body takes the start of the next frame with it.
    const std::string hover = json{{"jsonrpc", "2.0"}, {"id", 2}, {"method", "textDocument/hover"},
                                   {"params", {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 0}, {"character", 0}}}}}}
                                  .dump();
    input += "Content-Length: " + std::to_string(hover.size() + 5) + "\r\n\r\n" + hover;
    input += messaggio({{"jsonrpc", "2.0"}, {"id", 3}, {"method", "shutdown"}});
    input += "Content-Length: 3\r\n\r\n{x}";
    input += messaggio({{"jsonrpc", "2.0"}, {"method", "exit"}});
    int stato = -1;
    const auto out = esegui(input, stato, d);
    EXPECT_EQ(stato, 0);
    std::vector<std::string> visti;
    for (const json& m : out) {
        if (m.contains("id")) visti.push_back("risposta " + m["id"].dump() + (m.contains("error") ? " errore" : ""));
        else visti.push_back(m["method"]);
    }
    // The five bytes more make the hover's body no JSON: it is refused, and
    // the shutdown after it is read all the same.  The whole input came at
    // once, and "exit" ended the session before a pause: nothing was checked.
    EXPECT_EQ(visti, (std::vector<std::string>{"risposta 1", "risposta null errore", "risposta 3", "risposta null errore"}));
}

TEST(Ciclo, TheEndOfTheInputEndsTheServer) {
    Disco d;
    int stato = -1;
    const auto out = esegui(messaggio({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}}) + "Content-Length: 50\r\n\r\n{", stato, d);
    EXPECT_EQ(stato, 1);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1]["method"], "window/logMessage");
}

}  // namespace
}  // namespace compattatore::test
