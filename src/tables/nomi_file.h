// Names of the files of one scenario, all in one folder.
#pragma once

#include <filesystem>
#include <string>

#include "platform/paths.h"

namespace compattatore {

// Where a scenario's files are: the folder and the two identifiers.
struct FileScenario {
    std::filesystem::path cartella;
    std::string nome_linea;
    std::string nome_treno;
};

// The names are text (the line and train names may come from the command
// line), made into a file name in the scenario's folder.
inline std::filesystem::path file_nella_cartella(const FileScenario& f, const std::string& nome) {
    return f.cartella / path_from_text(nome);
}

inline std::string nome_linea_txt(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_treno_txt(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "-.txt";
}

inline std::filesystem::path file_linea_txt(const FileScenario& f) {
    return file_nella_cartella(f, nome_linea_txt(f.nome_linea));
}
inline std::filesystem::path file_treno_txt(const FileScenario& f) {
    return file_nella_cartella(f, nome_treno_txt(f.nome_linea, f.nome_treno));
}
inline std::filesystem::path file_linea_dat(const FileScenario& f) {
    return file_nella_cartella(f, f.nome_linea + "_linea.dat");
}
inline std::filesystem::path file_sim(const FileScenario& f) {
    return file_nella_cartella(f, f.nome_linea + "_" + f.nome_treno + ".sim");
}
inline std::filesystem::path file_griglia_dat(const FileScenario& f) {
    return file_nella_cartella(f, f.nome_linea + "_" + f.nome_treno + ".dat");
}
inline std::filesystem::path file_documento(const FileScenario& f, const char* coda) {
    return file_nella_cartella(f, f.nome_linea + "_" + f.nome_treno + "_" + coda);
}
inline std::filesystem::path file_scheda(const FileScenario& f) { return file_documento(f, "scheda_treno.txt"); }
inline std::filesystem::path file_rallentamenti(const FileScenario& f) {
    return file_documento(f, "rallentamenti.txt");
}
inline std::filesystem::path file_note(const FileScenario& f) { return file_documento(f, "note.txt"); }
// The author's own notes, from which `compile` writes file_note: the same
// name with the hyphen that marks the texts an author writes.
inline std::filesystem::path file_note_autore(const FileScenario& f) { return file_documento(f, "note-.txt"); }

}  // namespace compattatore
