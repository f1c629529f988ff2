// compattatore: with no arguments, writes the built-in scenario and compiles
// it into the folder of the executable; the subcommands serve scenario authors.
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/esecuzione.h"
#include "authoring/comandi.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    using namespace compattatore;

    // Messages and arguments are UTF-8 text on every system.
    prepare_standard_streams();
    const std::vector<std::string> argomenti = command_line_arguments(argc, argv);
    std::vector<const char*> puntatori;
    for (const std::string& a : argomenti) puntatori.push_back(a.c_str());

    CLI::App app{"Compilatore di scenari: scrive e compila la linea Brunovale e il treno Quarzo."};
    app.require_subcommand(0, 1);

    std::string cartella_sorgenti;
    auto* sorgenti = app.add_subcommand("sources", "Scrive i file di descrizione predefiniti in DIR");
    sorgenti->add_option("DIR", cartella_sorgenti, "Cartella di destinazione")->required();

    std::string cartella_compila;
    std::string linea = linea_predefinita;
    std::string treno = treno_predefinito;
    bool senza_piano = false;
    auto* compila = app.add_subcommand("compile", "Compila i file di descrizione in DIR");
    compila->add_option("DIR", cartella_compila, "Cartella dei file di descrizione")->required();
    compila->add_option("--linea", linea, "Nome della linea")->capture_default_str();
    compila->add_option("--treno", treno, "Nome del treno")->capture_default_str();
    compila->add_flag("--no-plan", senza_piano, "Non calcola il tracciato e non scrive il file _linea.dat");
    bool compila_json = false;
    compila->add_flag("--json", compila_json, "Scrive l'esito come un oggetto JSON");

    std::string file_dump;
    std::string formato_dump = "text";
    std::int32_t passo = passo_piano_predefinito;
    auto* dump = app.add_subcommand("dump", "Elenca il contenuto di un file compilato (.dat, .sim, _linea.dat)");
    dump->add_option("FILE", file_dump, "File compilato")->required();
    dump->add_option("--format", formato_dump, "Formato dell'elenco")
        ->check(CLI::IsMember({"text", "json"}))
        ->capture_default_str();
    dump->add_option("--passo", passo, "Metri tra i punti del tracciato elencati")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();

    std::string cartella_plot;
    std::string linea_plot = linea_predefinita;
    std::string treno_plot = treno_predefinito;
    std::string file_svg;
    auto* plot = app.add_subcommand("plot", "Disegna in SVG la pianta e il profilo dello scenario compilato in DIR");
    plot->add_option("DIR", cartella_plot, "Cartella dei file compilati")->required();
    plot->add_option("--linea", linea_plot, "Nome della linea")->capture_default_str();
    plot->add_option("--treno", treno_plot, "Nome del treno")->capture_default_str();
    plot->add_option("-o,--output", file_svg, "File SVG da scrivere")->required();

    CLI11_PARSE(app, static_cast<int>(puntatori.size()), puntatori.data());

    return riporta_fallimenti(
        [&]() -> int {
            if (*sorgenti) return scrivi_sorgenti(path_from_text(cartella_sorgenti));
            if (*compila)
                return compila_sorgenti(path_from_text(cartella_compila), linea, treno, !senza_piano, std::cout,
                                        compila_json);
            if (*dump)
                return comando_dump(path_from_text(file_dump),
                                    formato_dump == "json" ? FormatoDump::json : FormatoDump::testo, passo, std::cout,
                                    std::cerr);
            if (*plot)
                return comando_plot(path_from_text(cartella_plot), linea_plot, treno_plot, path_from_text(file_svg),
                                    std::cerr);
            return esegui_lavoro(executable_folder(), std::cout, std::cerr);
        },
        std::cerr);
}
