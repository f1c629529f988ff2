// Running a program as a child process, for the figures that include the
// cost of starting a process.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace compattatore::banco {

// Runs argomenti[0] (a full path) with the given arguments in `cartella`,
// its standard output and error sent to /dev/null, waits for it and
// returns its exit status.
int esegui(const std::vector<std::string>& argomenti, const std::filesystem::path& cartella);

// The peak resident memory of the command, in KiB.  A child started from
// this (large) process would inherit its high-water mark through the shared
// address space it has until exec, so the command is started by a fresh
// copy of the bench program in the mode below, which is small.
long picco_kib(const std::vector<std::string>& argomenti, const std::filesystem::path& cartella);

// The argument that selects that mode: bench_compattatore --misura-picco
// FILE COMMAND... runs COMMAND and writes its peak (KiB) into FILE.
inline constexpr const char* opzione_misura_picco = "--misura-picco";
int misura_picco(int argc, char** argv);

}  // namespace compattatore::banco
