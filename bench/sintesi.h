// The closing summary of a benchmark run: each measured ratio next to its
// target, how time and memory grow with the line, and the peak memory.
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace compattatore::banco {

// The console reporter, which also keeps every run for the summary.
class Raccoglitore : public benchmark::ConsoleReporter {
public:
    explicit Raccoglitore(OutputOptions opzioni) : benchmark::ConsoleReporter(opzioni) {}
    void ReportRuns(const std::vector<Run>& runs) override;

    // Per case: the median over the repetitions when there are several,
    // otherwise the one run.
    std::map<std::string, Run> risultati() const;

private:
    std::map<std::string, Run> singoli_;
    std::map<std::string, Run> mediane_;
};

void stampa_sintesi(const std::map<std::string, benchmark::BenchmarkReporter::Run>& risultati, std::ostream& out);

}  // namespace compattatore::banco
