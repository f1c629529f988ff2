#include "casi.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "compile/compilazione.h"
#include "app/comandi.h"
#include "banco.h"
#include "processo.h"
#include "app/scenario_files.h"
#include "platform/file_io.h"
#include "reader/formato_descrizione.h"
#include "reader/lettura.h"
#include "reader/memorizza_dati.h"
#include "reader/piano_linea.h"
#include "scrittura_minima.h"
#include "sources/descrizioni.h"
#include "sources/file_testo.h"

namespace compattatore::banco {

namespace {

namespace fs = std::filesystem;
using Orologio = std::chrono::steady_clock;

template <class F>
double cronometra(F&& f) {
    const Orologio::time_point inizio = Orologio::now();
    f();
    return std::chrono::duration<double>(Orologio::now() - inizio).count();
}

double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

// Runs a case body, turning a failure into a skipped case with its reason.
template <class F>
void protetto(benchmark::State& state, F&& corpo) {
    try {
        corpo();
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// The product against its floor, measured in pairs: every iteration times
// both, one right after the other, in alternate order so that neither
// always finds the system as the other left it.  The case's time is the
// product's; the counters give the floor's mean time (`nome_soglia`, ms)
// and the median of the iterations' ratios, which a stray slow write in
// either of them moves less than the ratio of the totals.
// `prodotto` and `soglia` return the seconds they measured.
template <class Prodotto, class Soglia>
void a_coppie(benchmark::State& state, const char* nome_soglia, Prodotto&& prodotto, Soglia&& soglia) {
    std::vector<double> rapporti;
    double totale_soglia = 0;
    bool soglia_prima = false;
    for (auto _ : state) {
        double t_soglia = soglia_prima ? soglia() : 0;
        const double t_prodotto = prodotto();
        if (!soglia_prima) t_soglia = soglia();
        soglia_prima = !soglia_prima;
        state.SetIterationTime(t_prodotto);
        totale_soglia += t_soglia;
        rapporti.push_back(t_prodotto / t_soglia);
    }
    if (rapporti.empty()) return;
    std::sort(rapporti.begin(), rapporti.end());
    const std::size_t n = rapporti.size();
    state.counters[nome_soglia] = benchmark::Counter(totale_soglia * 1000.0, benchmark::Counter::kAvgIterations);
    state.counters["rapporto"] = n % 2 == 1 ? rapporti[n / 2] : (rapporti[n / 2 - 1] + rapporti[n / 2]) / 2;
}

// One timed compilation: the description files written again, and the old
// compiled `file` on disk, as between two runs.
double compilazione_cronometrata(const Banco& banco, const std::vector<FileProdotto>& file) {
    banco.scrivi_sorgenti();
    assesta(file);
    // The compiled scenario is freed after the timing, as the program frees
    // it at its end.
    Compilazione c;
    return cronometra([&] { c = banco.compila(); });
}

// The whole compilation (reader, finishing, stamping, files) against the
// floor: the same three files written with one write each.  Before either
// is timed the old files are on disk, as they are between two runs.
void compilazione(benchmark::State& state, std::int32_t lunghezza) {
    protetto(state, [&] {
        Banco banco(lunghezza);
        banco.scrivi_sorgenti();
        banco.compila();
        const std::vector<FileProdotto> file = banco.compilati();
        std::size_t byte = 0;
        for (const FileProdotto& f : file) byte += f.byte.size();

        a_coppie(
            state, "soglia_ms", [&] { return compilazione_cronometrata(banco, file); },
            [&] {
                assesta(file);
                return cronometra([&] { scrivi_minimo(file); });
            });
        state.counters["MB_scritti"] = static_cast<double>(byte) / 1e6;
    });
}

// The writing of the three compiled files alone, from a scenario compiled
// beforehand, against the floor: what the encoding and the file steps cost
// beyond the bytes themselves.
void scrittura(benchmark::State& state, std::int32_t lunghezza) {
    protetto(state, [&] {
        Banco banco(lunghezza);
        banco.scrivi_sorgenti();
        const Compilazione c = banco.compila();
        const std::vector<FileProdotto> file = banco.compilati();
        a_coppie(
            state, "soglia_ms",
            [&] {
                assesta(file);
                return cronometra([&] {
                    OutputSet uscite;
                    aggiungi_file_compilati(banco.file(), c.scenario, uscite);
                    uscite.commit();
                });
            },
            [&] {
                assesta(file);
                return cronometra([&] { scrivi_minimo(file); });
            });
    });
}

// The plan alone: tabella_linea created and filled from the built-in
// line's curve records, with the straight tail to the end of the grid.
void piano(benchmark::State& state) {
    protetto(state, [&] {
        std::string curve;
        for (std::string_view r : righe_linea()) {
            if (r.find("curva") == std::string_view::npos) continue;
            curve.append(r);
            curve.append("\r\n");
        }
        curve.append("[fine]\r\n");

        const Descrizioni d{"Brunovale", "Quarzo", curve, std::nullopt, true, {}, {}};
        Scenario s;
        s.lunghezza_estesa = 334000 + 7000;
        s.numero_celle = s.lunghezza_estesa / 50;
        s.celle.assign(static_cast<std::size_t>(s.numero_celle) + 1, Cella{});
        const lettore::Record& record_curva = lettore::record_formato(lettore::IdRecord::curva);
        for (auto _ : state) {
            s.tabella_linea = TabellaLinea{};
            EsitoCompilazione esito;
            Provenienze provenienze;
            lettore::Lettura l(d, s, esito, provenienze, false);
            l.campi.emplace(curve);
            state.SetIterationTime(cronometra([&] {
                TabellaLinea& t = s.tabella_linea;
                t.crea(s.lunghezza_estesa);
                t(0, 0) = ValoreTabella::intero(0);
                t(0, 1) = ValoreTabella::intero(0);
                t(1, 0) = ValoreTabella::intero(0);
                t(1, 1) = ValoreTabella::intero(1);
                std::string chiave;
                while (lettore::leggi_chiave(l, chiave)) {
                    // The record the reader's dispatch finds for each line.
                    l.record_formato = &record_curva;
                    if (lettore::curva(l, chiave) != lettore::Esito::avanti) throw std::runtime_error("curva rifiutata");
                }
                lettore::coda_piano(l);
            }));
        }
        state.counters["metri"] = s.lunghezza_estesa + 1;
    });
}

// The reader alone, as the product runs it (plan included), from the two
// description files on disk: reading the files, then the texts.
void lettore(benchmark::State& state) {
    protetto(state, [&] {
        Banco banco;
        banco.scrivi_sorgenti();
        const FileScenario f = banco.file();
        for (auto _ : state) {
            // The scenario read is freed after the timing, as the program frees it at its end.
            Compilazione c;
            state.SetIterationTime(cronometra([&] {
                const std::string linea = read_file(file_linea_txt(f));
                const std::string treno = read_file(file_treno_txt(f));
                c = memorizza_dati({f.nome_linea, f.nome_treno, linea, treno, true, {}, {}});
            }));
            if (c.esito.codice != Codice::nessuno)
                throw std::runtime_error("codice " + std::to_string(numero(c.esito.codice)));
        }
    });
}

// The worst descriptions `check` may be given: the built-in texts filled up
// to the 64 MiB bound with one faulty line repeated, millions of warnings
// (an unknown keyword; a field left over) or of errors (a station off the
// 50-metre raster).  Past the diagnostics listed they are only counted.
enum class Peggiore { parole, campi, stazioni };

void controllo_peggiore(benchmark::State& state, Peggiore quale) {
    protetto(state, [&] {
        constexpr std::size_t limite = std::size_t{64} << 20;
        std::string linea = componi_testo(righe_linea());
        std::string treno = componi_testo(righe_treno());
        std::string& testo = quale == Peggiore::stazioni ? treno : linea;
        const std::string riga = quale == Peggiore::parole ? "abcde\n"
                                 : quale == Peggiore::campi ? "pendenza,0,0,x\n"
                                                            : "stazione,1,8,500\n";
        std::string riempito;
        const std::size_t fine = testo.rfind("[fine]");
        const std::size_t n = (limite - linea.size() - treno.size()) / riga.size();
        riempito.reserve(testo.size() + n * riga.size());
        riempito.append(testo, 0, fine);
        for (std::size_t i = 0; i < n; ++i) riempito += riga;
        riempito.append(testo, fine);
        testo = std::move(riempito);
        // The processor time too: on a loaded machine it is the steadier figure.
        double processore = 0;
        for (auto _ : state) {
            Compilazione c;
            const std::clock_t inizio = std::clock();
            state.SetIterationTime(cronometra([&] {
                c = compila_descrizioni({"Brunovale", "Quarzo", linea, treno, true, {}, {}}, true);
            }));
            processore += static_cast<double>(std::clock() - inizio) / CLOCKS_PER_SEC;
            if (c.esito.tralasciate + c.esito.diagnostiche.size() < n)
                throw std::runtime_error("righe difettose non contate");
        }
        state.counters["cpu_ms"] = benchmark::Counter(processore * 1000.0, benchmark::Counter::kAvgIterations);
        state.counters["righe"] = static_cast<double>(n);
        state.counters["MiB"] = static_cast<double>(linea.size() + treno.size()) / (1 << 20);
    });
}

// A folder removed with its content when the case ends.
struct Cartella {
    fs::path percorso;
    explicit Cartella(const std::string& prefisso) : percorso(nuova_cartella(prefisso)) {}
    ~Cartella() {
        std::error_code ec;
        fs::remove_all(percorso, ec);
    }
};

void controlla(int stato, const std::string& chi) {
    if (stato != 0) throw std::runtime_error(chi + " è terminato con stato " + std::to_string(stato));
}

// The program started with no arguments, process start included, against
// `cp` of its six output files into another folder.  Each run replaces the
// files of the run before, as repeated runs from a shell do.
void senza_argomenti(benchmark::State& state) {
    protetto(state, [&] {
        Cartella lavoro("compattatore-processo");
        Cartella copia("compattatore-cp");
        const fs::path eseguibile = lavoro.percorso / "compattatore";
        fs::copy_file(COMPATTATORE_EXE, eseguibile);
        controlla(esegui({eseguibile.string()}, lavoro.percorso), "compattatore");

        std::vector<std::string> cp = {"/bin/cp"};
        for (const fs::directory_entry& f : fs::directory_iterator(lavoro.percorso))
            if (f.path() != eseguibile) cp.push_back(f.path().string());
        std::sort(cp.begin() + 1, cp.end());
        if (cp.size() != 7) throw std::runtime_error("attesi sei file scritti, trovati " + std::to_string(cp.size() - 1));
        cp.push_back(copia.percorso.string() + "/");
        controlla(esegui(cp, lavoro.percorso), "cp");
        const long picco = picco_kib({eseguibile.string()}, lavoro.percorso);

        a_coppie(
            state, "cp_ms",
            [&] {
                int stato = 0;
                const double t = cronometra([&] { stato = esegui({eseguibile.string()}, lavoro.percorso); });
                controlla(stato, "compattatore");
                return t;
            },
            [&] {
                int stato = 0;
                const double t = cronometra([&] { stato = esegui(cp, lavoro.percorso); });
                controlla(stato, "cp");
                return t;
            });
        state.counters["picco_MiB"] = mib(picco);
    });
}

// The authors' `compile` command on a generated line, as a process of its
// own: its peak memory is the program's whole footprint for that line.
void compile_processo(benchmark::State& state, std::int32_t lunghezza) {
    protetto(state, [&] {
        Banco banco(lunghezza);
        banco.scrivi_sorgenti();
        const std::vector<std::string> comando = {COMPATTATORE_EXE,          "compile",          banco.cartella().string(),
                                                  "--linea",                 banco.nome_linea(), "--treno",
                                                  banco.nome_treno()};
        const long picco = picco_kib(comando, banco.cartella());
        for (auto _ : state) {
            int stato = 0;
            state.SetIterationTime(cronometra([&] { stato = esegui(comando, banco.cartella()); }));
            controlla(stato, "compattatore compile");
        }
        state.counters["picco_MiB"] = mib(picco);
    });
}

// The decompilation of a line (its three compiled files read, turned back
// into the two description texts, the texts compiled to check them and
// written) against the compilation of the same line, in pairs as above.
void decompilazione(benchmark::State& state, std::int32_t lunghezza) {
    protetto(state, [&] {
        Banco banco(lunghezza);
        banco.scrivi_sorgenti();
        banco.compila();
        const std::vector<FileProdotto> file = banco.compilati();
        Cartella uscita("compattatore-decompila");
        a_coppie(
            state, "compilazione_ms",
            [&] {
                assesta(file);
                std::ostringstream out, err;
                int stato = 0;
                const double t = cronometra([&] {
                    stato = comando_decompile(banco.cartella(), banco.nome_linea(), banco.nome_treno(),
                                              uscita.percorso, true, out, err);
                });
                if (stato != 0) throw std::runtime_error("decompile: " + err.str());
                return t;
            },
            [&] { return compilazione_cronometrata(banco, file); });
    });
}

// The authors' `decompile` command on a generated line, as a process: its
// peak memory.
void decompile_processo(benchmark::State& state, std::int32_t lunghezza) {
    protetto(state, [&] {
        Banco banco(lunghezza);
        banco.scrivi_sorgenti();
        banco.compila();
        Cartella uscita("compattatore-decompila");
        const std::vector<std::string> comando = {COMPATTATORE_EXE,   "decompile", banco.cartella().string(),
                                                  "--linea",          banco.nome_linea(), "--treno",
                                                  banco.nome_treno(), "-o",        uscita.percorso.string(),
                                                  "--force"};
        const long picco = picco_kib(comando, banco.cartella());
        for (auto _ : state) {
            int stato = 0;
            state.SetIterationTime(cronometra([&] { stato = esegui(comando, banco.cartella()); }));
            controlla(stato, "compattatore decompile");
        }
        state.counters["picco_MiB"] = mib(picco);
    });
}

}  // namespace

void registra_casi() {
    auto comune = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond)->UseManualTime(); };
    comune(benchmark::RegisterBenchmark("compilazione/integrata", compilazione, 0));
    for (int km : lunghezze_km)
        comune(benchmark::RegisterBenchmark(("compilazione/generata/" + std::to_string(km) + "km").c_str(),
                                            compilazione, km * 1000));
    comune(benchmark::RegisterBenchmark("scrittura/integrata", scrittura, 0));
    comune(benchmark::RegisterBenchmark("scrittura/generata/1000km", scrittura, 1000000));
    comune(benchmark::RegisterBenchmark("piano/integrata", piano));
    comune(benchmark::RegisterBenchmark("lettore/integrata", lettore));
    for (const auto& [nome, quale] : {std::pair{"parole", Peggiore::parole}, std::pair{"campi", Peggiore::campi},
                                      std::pair{"stazioni", Peggiore::stazioni}})
        comune(benchmark::RegisterBenchmark((std::string("controllo/peggiore/") + nome).c_str(), controllo_peggiore,
                                            quale)
                   ->Iterations(3));
    comune(benchmark::RegisterBenchmark("processo/senza_argomenti", senza_argomenti));
    for (int km : lunghezze_km)
        comune(benchmark::RegisterBenchmark(("processo/compile/" + std::to_string(km) + "km").c_str(),
                                            compile_processo, km * 1000));
    comune(benchmark::RegisterBenchmark("decompilazione/integrata", decompilazione, 0));
    comune(benchmark::RegisterBenchmark("decompilazione/generata/1000km", decompilazione, 1000000));
    comune(benchmark::RegisterBenchmark("processo/decompile/1000km", decompile_processo, 1000000));
}

}  // namespace compattatore::banco
