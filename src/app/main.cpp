// compattatore: with no arguments, writes the built-in scenario and compiles
// it into the folder of the executable; the subcommands serve scenario authors.
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "app/esecuzione.h"
#include "platform/file_io.h"

int main(int argc, char** argv) {
    using namespace compattatore;

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

    CLI11_PARSE(app, argc, argv);

    return riporta_fallimenti(
        [&]() -> int {
            if (*sorgenti) return scrivi_sorgenti(cartella_sorgenti);
            Scenario s;
            if (*compila) return compila_sorgenti(s, cartella_compila, linea, treno, !senza_piano, std::cout);
            return esegui_lavoro(s, cartella_eseguibile(), std::cout, std::cerr);
        },
        std::cerr);
}
