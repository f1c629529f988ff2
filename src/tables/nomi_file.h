// Names of the files the program writes and reads, all in the scenario's folder.
#pragma once

#include <filesystem>

#include "tables/scenario.h"

namespace compattatore {

inline std::filesystem::path file_linea_txt(const Scenario& s) {
    return s.cartella / (s.nome_linea + "_linea.txt");
}
inline std::filesystem::path file_treno_txt(const Scenario& s) {
    return s.cartella / (s.nome_linea + "_" + s.nome_treno + "-.txt");
}
inline std::filesystem::path file_linea_dat(const Scenario& s) {
    return s.cartella / (s.nome_linea + "_linea.dat");
}
inline std::filesystem::path file_sim(const Scenario& s) {
    return s.cartella / (s.nome_linea + "_" + s.nome_treno + ".sim");
}
inline std::filesystem::path file_griglia_dat(const Scenario& s) {
    return s.cartella / (s.nome_linea + "_" + s.nome_treno + ".dat");
}
inline std::filesystem::path file_documento(const Scenario& s, const char* coda) {
    return s.cartella / (s.nome_linea + "_" + s.nome_treno + "_" + coda);
}
inline std::filesystem::path file_scheda(const Scenario& s) { return file_documento(s, "scheda_treno.txt"); }
inline std::filesystem::path file_rallentamenti(const Scenario& s) {
    return file_documento(s, "rallentamenti.txt");
}
inline std::filesystem::path file_note(const Scenario& s) { return file_documento(s, "note.txt"); }

}  // namespace compattatore
