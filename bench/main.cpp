// The compiler's benchmark program: the cases of casi.cpp, then a summary
// of the ratios to their floors, of the growth with the line and of the
// peak memory.  Google Benchmark's own flags apply (--benchmark_filter,
// --benchmark_repetitions, --benchmark_out ...).
//
//   bench_compattatore --scrivi-linea KM DIR
// writes the description files of the generated line of KM km into DIR
// (Generata_linea.txt and Generata_Prova-.txt, for `compattatore compile
// DIR --linea Generata --treno Prova`).
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "banco.h"
#include "casi.h"
#include "editor.h"
#include "sources/linea_generata.h"
#include "processo.h"
#include "sintesi.h"

int main(int argc, char** argv) {
    using namespace compattatore;
    using namespace compattatore::banco;
    if (argc > 1 && std::strcmp(argv[1], opzione_misura_picco) == 0) return misura_picco(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--scrivi-linea") == 0) {
        // The description files of a generated line, to compile by hand.
        try {
            const DescrizioniGenerate d = genera_descrizioni(std::stoi(argv[2]) * 1000);
            scrivi_byte(std::string(argv[3]) + "/Generata_linea.txt", d.linea);
            scrivi_byte(std::string(argv[3]) + "/Generata_Prova-.txt", d.treno);
            return 0;
        } catch (const std::exception& e) {
            std::cerr << "bench_compattatore --scrivi-linea KM DIR (KM da 20 a 1000): " << e.what() << '\n';
            return 2;
        }
    }
    // Large blocks always come fresh from the system, as they do in the
    // program, which runs once: without this the allocator would keep and
    // reuse them from one iteration to the next, and the cases would not
    // pay the page faults that the program pays.
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    registra_casi();
    registra_casi_editor();

    auto opzioni = benchmark::ConsoleReporter::OO_Tabular;
    if (::isatty(STDOUT_FILENO))
        opzioni = static_cast<benchmark::ConsoleReporter::OutputOptions>(opzioni | benchmark::ConsoleReporter::OO_Color);
    Raccoglitore raccoglitore(opzioni);
    benchmark::RunSpecifiedBenchmarks(&raccoglitore);
    stampa_sintesi(raccoglitore.risultati(), std::cout);
    benchmark::Shutdown();
    return 0;
}
