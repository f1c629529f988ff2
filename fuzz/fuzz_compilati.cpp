// Fuzz target: arbitrary bytes as a compiled file, read as `dump` and
// `decompile` read one.
//
// Layout: byte 0 chooses the kind (0 the grid, 1 the entries, 2 the plan,
// 3 none: the content tells, as for a file of no known name); the rest is
// the file.  The file is listed as text and as JSON, and decoded into the
// model; a grid or entries that decode are then decompiled with the other
// parts of the built-in scenario, and a plan with its grid and entries.
//
// Besides the sanitizers, every run checks that a file that breaks its
// layout is reported as such (FileMalformato, with an offset inside the
// file), never by any other failure, and that the plausibility check of
// the entries points inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>

#include "compile/compilazione.h"
#include "compiled/decodifica.h"
#include "compiled/plausibilita_voci.h"
#include "compiled/scenario_compilato.h"
#include "decompile/decompilazione.h"
#include "dump/dump.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace {

using namespace compattatore;

// A stream that takes every byte and keeps none.
class Scarico : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The built-in scenario, compiled once.
const Scenario& predefinito() {
    static const std::string linea = componi_testo(righe_linea());
    static const std::string treno = componi_testo(righe_treno());
    static const Compilazione c =
        compila_descrizioni({linea_predefinita, treno_predefinito, linea, treno, true, {}, {}});
    return c.scenario;
}

void decompila_con(std::vector<Cella> celle, Voci voci, std::optional<TabellaLinea> piano) {
    const ScenarioCompilato s("L", "T", std::move(celle), std::move(voci), std::move(piano));
    (void)decompila(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n == 0) return 0;
    const std::string_view byte(reinterpret_cast<const char*>(dati) + 1, n - 1);
    const Scenario& base = predefinito();
    Scarico scarico;
    std::ostream nulla(&scarico);
    try {
        const int scelta = dati[0] % 4;
        const TipoFile t = scelta == 0   ? TipoFile::griglia
                           : scelta == 1 ? TipoFile::voci
                           : scelta == 2 ? TipoFile::piano
                                         : riconosci_file({}, byte);
        controlla_dimensione(t, byte.size());
        scrivi_dump(nulla, t, byte, FormatoDump::testo, 1 + dati[0] / 4);
        scrivi_dump(nulla, t, byte, FormatoDump::json);
        switch (t) {
            case TipoFile::griglia:
                decompila_con(decodifica_griglia(byte), base.voci, std::nullopt);
                break;
            case TipoFile::voci: {
                Voci voci = decodifica_voci(byte);
                for (const VoceInverosimile& v : esamina_voci(voci, "L_T"))
                    if (v.offset >= byte.size()) {
                        std::fprintf(stderr, "fuzz_compilati: avviso oltre la fine del file: %s\n", v.motivo.c_str());
                        std::abort();
                    }
                decompila_con(base.celle, std::move(voci), std::nullopt);
                break;
            }
            case TipoFile::piano:
                decompila_con(base.celle, base.voci, decodifica_tabella_linea(byte));
                break;
        }
    } catch (const FileMalformato& e) {
        if (e.offset() > byte.size()) {
            std::fprintf(stderr, "fuzz_compilati: offset %llu oltre la fine (%zu byte)\n",
                         static_cast<unsigned long long>(e.offset()), byte.size());
            std::abort();
        }
    }
    return 0;
}
