// The server's answers on the built-in scenario, held in an in-memory folder.
#include "lsp/server.h"

#include <gtest/gtest.h>

#include "banco_lsp.h"
#include "lsp/testo_editor.h"

namespace compattatore::test {
namespace {

class ServerLsp : public ::testing::Test {
protected:
    ServerLsp() {
        disco.file[percorso_linea] = linea;
        disco.file[percorso_treno] = treno;
    }
    std::string linea = testo_linea_predefinito();
    std::string treno = testo_treno_predefinito();
    Disco disco;
};

std::string sostituisci(std::string t, const std::string& da, const std::string& a) {
    const std::size_t i = t.find(da);
    EXPECT_NE(i, std::string::npos) << da;
    if (i != std::string::npos) t.replace(i, da.size(), a);
    return t;
}

TEST_F(ServerLsp, TheBuiltInScenarioHasNoDiagnostics) {
    Sessione s(disco);
    s.apri(percorso_treno, treno);
    const auto p = s.pubblicate();
    ASSERT_EQ(p.count(percorso_treno), 1u);
    EXPECT_EQ(p.at(percorso_treno), json::array());
}

TEST_F(ServerLsp, ABrokenFieldIsReportedAtTheFieldAndClearedWhenFixed) {
    Sessione s(disco);
    s.apri(percorso_treno, treno);
    s.pubblicate();
    // A station length that is no multiple of 100 (code 9).
    const std::string riga = "stazione,       0,  8,  500,";
    const int n = riga_che_inizia(treno, riga);
    ASSERT_GE(n, 0);
    s.cambia(percorso_treno, sostituisci(treno, riga, "stazione,       0,  8,  550,"));
    auto p = s.pubblicate();
    ASSERT_EQ(p.at(percorso_treno).size(), 1u) << p.at(percorso_treno).dump(1);
    const json d = p.at(percorso_treno)[0];
    EXPECT_EQ(d["severity"], 1);
    EXPECT_EQ(d["code"], 9);
    EXPECT_EQ(d["range"], lsp::intervallo(n, 24, n, 27)) << d.dump(1);
    s.cambia(percorso_treno, treno);
    p = s.pubblicate();
    EXPECT_EQ(p.at(percorso_treno), json::array());
}

TEST_F(ServerLsp, AChangeInTheLineFileChecksTheTrainFileAgain) {
    Sessione s(disco);
    s.apri(percorso_linea, linea);
    s.apri(percorso_treno, treno);
    s.pubblicate();
    // The line shortened to 100 km: stations and signals beyond it fall off the grid.
    s.cambia(percorso_linea, sostituisci(linea, "lunghezza percorso,    334000", "lunghezza percorso,    100000"));
    const auto p = s.pubblicate();
    ASSERT_EQ(p.count(percorso_treno), 1u);
    ASSERT_FALSE(p.at(percorso_treno).empty());
    EXPECT_EQ(p.at(percorso_treno)[0]["code"], 15);
}

TEST_F(ServerLsp, ManyChangesMakeOneCheckOfTheLastText) {
    Sessione s(disco);
    s.apri(percorso_treno, treno);
    for (int i = 0; i < 5; ++i) s.cambia(percorso_treno, sostituisci(treno, "sabbia,    180", "sabbia,    18" + std::to_string(i)));
    const auto p = s.pubblicate();
    EXPECT_EQ(p.size(), 1u);
    EXPECT_TRUE(s.pubblicate().empty());
}

TEST_F(ServerLsp, AnUnknownKeywordGetsItsQuickFix) {
    Sessione s(disco);
    const std::string rotto = sostituisci(treno, "segnale,    1050,", "segnalle,    1050,");
    s.apri(percorso_treno, rotto);
    const auto p = s.pubblicate();
    ASSERT_FALSE(p.at(percorso_treno).empty());
    const json d = p.at(percorso_treno)[0];
    EXPECT_EQ(d["code"], "parola-chiave-sconosciuta");
    const int n = riga_che_inizia(rotto, "segnalle");
    EXPECT_EQ(d["range"], lsp::intervallo(n, 0, n, 8));
    json params = {{"textDocument", {{"uri", lsp::uri_di(percorso_treno)}}},
                   {"range", d["range"]},
                   {"context", {{"diagnostics", json::array({d})}}}};
    const json r = s.richiesta("textDocument/codeAction", params)["result"];
    ASSERT_EQ(r.size(), 1u);
    const json modifiche = r[0]["edit"]["changes"][lsp::uri_di(percorso_treno)];
    EXPECT_EQ(applica(rotto, modifiche), treno);
}

TEST_F(ServerLsp, HoverNamesTheFieldAndWhereItIsOnTheLine) {
    Sessione s(disco);
    s.apri(percorso_treno, treno);
    const int n = riga_che_inizia(treno, "segnale,    1050,");
    ASSERT_GE(n, 0);
    const json r = s.richiesta("textDocument/hover", s.posizione(percorso_treno, n, 13))["result"];
    const std::string t = r["contents"]["value"];
    EXPECT_NE(t.find("**segnale**, campo 1"), std::string::npos) << t;
    // 1050 m: cell 22, under the first kilometre reference (from 31100 m) the line's own 1.050.
    EXPECT_NE(t.find("cella 22, km 1.050"), std::string::npos) << t;
    EXPECT_NE(t.find("limite di velocità 100 km/h"), std::string::npos) << t;
    EXPECT_EQ(r["range"], lsp::intervallo(n, 12, n, 16));
}

TEST_F(ServerLsp, CompletionOffersTheKeywordsOfTheTextAndItsSections) {
    Sessione s(disco);
    s.apri(percorso_treno, treno);
    const json r = s.richiesta("textDocument/completion", s.posizione(percorso_treno, 1, 0))["result"];
    std::vector<std::string> etichette;
    for (const json& v : r) etichette.push_back(v["label"]);
    for (const char* attesa : {"segnale", "stazione", "orologio", "[segnali]", "[fine]"})
        EXPECT_NE(std::find(etichette.begin(), etichette.end(), attesa), etichette.end()) << attesa;
    EXPECT_EQ(std::find(etichette.begin(), etichette.end(), "pendenza"), etichette.end());
}

TEST_F(ServerLsp, SymbolsOutlineSectionsAndStations) {
    Sessione s(disco);
    s.apri(percorso_treno, treno);
    const json r = s.richiesta("textDocument/documentSymbol", {{"textDocument", {{"uri", lsp::uri_di(percorso_treno)}}}})["result"];
    std::vector<std::string> sezioni;
    std::size_t stazioni = 0;
    for (const json& x : r) {
        sezioni.push_back(x["name"]);
        if (x["name"] == "[stazioni]") stazioni = x["children"].size();
    }
    EXPECT_EQ(sezioni, (std::vector<std::string>{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                                 "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}));
    EXPECT_EQ(stazioni, 45u);
}

TEST_F(ServerLsp, DefinitionGoesToTheRecordThatHoldsTheCell) {
    Sessione s(disco);
    // A signal moved onto the cell of a line-speed board.
    const std::string rotto = sostituisci(treno, "segnale,    1050,", "segnale,    1000,");
    s.apri(percorso_treno, rotto);
    const int n = riga_che_inizia(rotto, "segnale,    1000,");
    const json r = s.richiesta("textDocument/definition", s.posizione(percorso_treno, n, 12))["result"];
    ASSERT_TRUE(r.is_object()) << r.dump();
    EXPECT_EQ(r["uri"], lsp::uri_di(percorso_linea));
    EXPECT_EQ(r["range"]["start"]["line"], riga_che_inizia(linea, "indicatori_vmax,  1000,"));
}

TEST_F(ServerLsp, InlayHintsGiveTheKilometrePost) {
    Sessione s(disco);
    s.apri(percorso_linea, linea);
    const int n = riga_che_inizia(linea, "cartello_indicatore,  330750,");
    const json r = s.richiesta("textDocument/inlayHint", {{"textDocument", {{"uri", lsp::uri_di(percorso_linea)}}},
                                                          {"range", lsp::intervallo(n, 0, n, 0)}})["result"];
    ASSERT_EQ(r.size(), 1u);
    // The sign itself reads "Km 81.300": the decreasing reference from 315950 m.
    EXPECT_EQ(r[0]["label"], " km 81.300");
}

TEST_F(ServerLsp, BadMessagesGetErrorsNeverACrash) {
    Sessione s(disco);
    auto codice = [](const std::vector<json>& r) { return r.size() == 1 && r[0].contains("error") ? r[0]["error"]["code"].get<int>() : 0; };
    EXPECT_EQ(codice(s.server.receive_body("{non json")), lsp::rpc_error::parse_error);
    EXPECT_EQ(codice(s.server.receive_body("[1,2]")), lsp::rpc_error::invalid_request);
    EXPECT_EQ(codice(s.invia({{"jsonrpc", "2.0"}, {"id", 7}, {"method", "textDocument/nonEsiste"}})), lsp::rpc_error::method_not_found);
    EXPECT_EQ(codice(s.invia({{"jsonrpc", "2.0"}, {"id", 8}, {"method", "textDocument/hover"}, {"params", {{"textDocument", 3}}}})),
              lsp::rpc_error::invalid_params);
    // A file that is no description: a log message, and no answer about it.
    const auto r = s.invia({{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
                            {"params", {{"textDocument", {{"uri", "file:///scenari/appunti.txt"}, {"version", 1}, {"text", "x"}}}}}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["method"], "window/logMessage");
    EXPECT_EQ(s.richiesta("textDocument/hover", s.posizione("/scenari/appunti.txt", 0, 0))["result"], nullptr);
    // After shutdown, requests are refused; exit ends with status 0.
    EXPECT_EQ(s.richiesta("shutdown", nullptr)["result"], nullptr);
    EXPECT_EQ(codice(s.invia({{"jsonrpc", "2.0"}, {"id", 99}, {"method", "textDocument/hover"}, {"params", json::object()}})),
              lsp::rpc_error::invalid_request);
    s.invia({{"jsonrpc", "2.0"}, {"method", "exit"}});
    EXPECT_TRUE(s.server.exited());
    EXPECT_EQ(s.server.exit_status(), 0);
}

TEST(ServerAvvio, RequestsBeforeInitializeAreRefused) {
    Disco d;
    lsp::Server server(d.per_server());
    const auto r = server.receive({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "textDocument/hover"}, {"params", json::object()}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["error"]["code"], lsp::rpc_error::server_not_initialized);
}

TEST(Uri, PathsGoAndComeBack) {
    for (const std::string p : {"/scenari/Brunovale_linea.txt", "/a b/Città_Treno 2-.txt", "C:/Scenari/X_linea.txt"}) {
        std::string q;
        ASSERT_TRUE(lsp::percorso_di(lsp::uri_di(p), q)) << p;
        EXPECT_EQ(q, p);
    }
    std::string q;
    EXPECT_TRUE(lsp::percorso_di("file:///c%3A/Scenari/X_linea.txt", q));
    EXPECT_EQ(q, "c:/Scenari/X_linea.txt");
    EXPECT_FALSE(lsp::percorso_di("untitled:Untitled-1", q));
}

}  // namespace
}  // namespace compattatore::test
