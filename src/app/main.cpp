// compattatore: with no arguments, writes the built-in scenario and compiles
// it into the folder of the executable; the subcommands serve scenario authors.
#include <iostream>
#include <string>
#include <vector>

#include "app/riga_di_comando.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    using namespace compattatore;
    // Messages and arguments are UTF-8 text on every system.
    prepare_standard_streams();
    return esegui_riga_di_comando(command_line_arguments(argc, argv), std::cout, std::cerr);
}
