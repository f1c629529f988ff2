// compattatore: with no arguments, writes the built-in scenario and compiles
// it into the folder of the executable; the subcommands serve scenario authors.
#include <iostream>
#include <string>
#include <vector>

#include "app/riga_di_comando.h"
#include "platform/console_window.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    using namespace compattatore;
    // Messages and arguments are UTF-8 text on every system.
    prepare_standard_streams();
    const int stato = esegui_riga_di_comando(command_line_arguments(argc, argv), std::cout, std::cerr);
    // Started from Explorer, the window would close and take the messages
    // (the error report among them) with it.
    if (console_closes_with_program(console_state())) {
        std::cerr << '\n' << press_a_key << std::endl;
        wait_for_key();
    }
    return stato;
}
