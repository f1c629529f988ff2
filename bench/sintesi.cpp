#include "sintesi.h"

#include <cstdio>
#include <optional>
#include <ostream>

#include "casi.h"

namespace compattatore::banco {

namespace {

using Run = benchmark::BenchmarkReporter::Run;

std::optional<double> contatore(const Run& r, const std::string& nome) {
    auto c = r.counters.find(nome);
    if (c == r.counters.end()) return std::nullopt;
    return c->second.value;
}

std::string cifre(const char* formato, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, formato, v);
    return buffer;
}

const Run* trova(const std::map<std::string, Run>& risultati, const std::string& nome) {
    auto r = risultati.find(nome);
    if (r == risultati.end() || r->second.error_occurred) return nullptr;
    return &r->second;
}

// One row: a ratio and its target (none when `obiettivo` is 0).
void riga_rapporto(std::ostream& out, const std::map<std::string, Run>& risultati, const std::string& nome,
                   const char* soglia, double obiettivo) {
    const Run* r = trova(risultati, nome);
    if (!r) return;
    const std::optional<double> rapporto = contatore(*r, "rapporto");
    const std::optional<double> t_soglia = contatore(*r, soglia);
    if (!rapporto || !t_soglia) return;
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%-30s %10.2f ms %10.2f ms %9.2f", nome.c_str(), r->GetAdjustedRealTime(),
                  *t_soglia, *rapporto);
    out << buffer;
    if (obiettivo > 0) out << cifre("   <= %.1f", obiettivo) << (*rapporto <= obiettivo ? "  ok" : "  OLTRE");
    out << '\n';
}

}  // namespace

void Raccoglitore::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& r : runs) {
        if (r.run_type == Run::RT_Iteration)
            singoli_[r.run_name.function_name] = r;
        else if (r.aggregate_name == "median")
            mediane_[r.run_name.function_name] = r;
    }
    benchmark::ConsoleReporter::ReportRuns(runs);
}

std::map<std::string, Run> Raccoglitore::risultati() const {
    std::map<std::string, Run> r = singoli_;
    for (const auto& [nome, run] : mediane_) r[nome] = run;
    return r;
}

void stampa_sintesi(const std::map<std::string, Run>& risultati, std::ostream& out) {
    out << "\nSintesi: tempo medio del prodotto e della soglia, misurati a coppie nelle stesse iterazioni;\n"
           "rapporto = mediana dei rapporti delle singole iterazioni\n";
    out << "caso                              prodotto        soglia  rapporto   obiettivo\n";
    riga_rapporto(out, risultati, "compilazione/integrata", "soglia_ms", 1.5);
    for (int km : lunghezze_km)
        riga_rapporto(out, risultati, "compilazione/generata/" + std::to_string(km) + "km", "soglia_ms", 1.5);
    riga_rapporto(out, risultati, "processo/senza_argomenti", "cp_ms", 2.0);
    // Decompilation against the compilation of the same line.
    riga_rapporto(out, risultati, "decompilazione/integrata", "compilazione_ms", 2.0);
    riga_rapporto(out, risultati, "decompilazione/generata/1000km", "compilazione_ms", 2.0);
    riga_rapporto(out, risultati, "scrittura/integrata", "soglia_ms", 0);
    riga_rapporto(out, risultati, "scrittura/generata/1000km", "soglia_ms", 0);

    out << "\nCrescita con la linea (compilazione in processo; processo compile intero)\n";
    out << "  km      ms    ms/100 km   MB scritti   picco MiB\n";
    for (int km : lunghezze_km) {
        const Run* c = trova(risultati, "compilazione/generata/" + std::to_string(km) + "km");
        const Run* p = trova(risultati, "processo/compile/" + std::to_string(km) + "km");
        if (!c) continue;
        const double ms = c->GetAdjustedRealTime();
        const std::optional<double> picco = p ? contatore(*p, "picco_MiB") : std::nullopt;
        out << cifre("%4.0f", km) << cifre("%8.2f", ms) << cifre("%13.2f", ms * 100.0 / km)
            << cifre("%13.1f", contatore(*c, "MB_scritti").value_or(0))
            << (picco ? cifre("%12.1f", *picco) : std::string("           -")) << '\n';
    }
    out << "\nControllo di 64 MiB, caso peggiore (obiettivo < 2000 ms)\n";
    for (const char* nome : {"controllo/peggiore/parole", "controllo/peggiore/campi", "controllo/peggiore/stazioni"})
        if (const Run* r = trova(risultati, nome)) {
            const double ms = r->GetAdjustedRealTime();
            char buffer[100];
            std::snprintf(buffer, sizeof buffer, "%-30s %10.0f ms %10.0f ms processore", nome, ms,
                          contatore(*r, "cpu_ms").value_or(0));
            out << buffer << (ms < 2000.0 ? "  ok" : "  OLTRE") << '\n';
        }
    if (const Run* p = trova(risultati, "processo/compile/1000km")) {
        const double picco = contatore(*p, "picco_MiB").value_or(0);
        out << "\nMemoria di picco a 1000 km: " << cifre("%.1f", picco) << " MiB   obiettivo < 64 MiB  "
            << (picco < 64.0 ? "ok" : "OLTRE") << '\n';
    }
    if (const Run* p = trova(risultati, "processo/decompile/1000km"))
        out << "Memoria di picco di decompile a 1000 km: " << cifre("%.1f", contatore(*p, "picco_MiB").value_or(0))
            << " MiB\n";
    if (const Run* p = trova(risultati, "processo/senza_argomenti"))
        out << "Memoria di picco, avvio senza argomenti: " << cifre("%.1f", contatore(*p, "picco_MiB").value_or(0))
            << " MiB\n";
}

}  // namespace compattatore::banco
