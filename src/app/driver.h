// The compaction driver: reads the two description files, compiles them in
// memory, deletes the files the reading consumed, and writes the compiled
// files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "reader/memorizza_dati.h"
#include "tables/diagnostica.h"
#include "tables/nomi_file.h"

namespace compattatore {

// j nonzero also builds the plan of the track and writes the compiled line
// file.  With `elimina_sorgenti` the description files the reading took
// are deleted, as the no-argument run does; the authors' compile keeps
// them.  A failed header stamp raises the error report (ErroreSegnalato)
// and writes nothing.  When the reader stopped before the grid exists there
// is nothing to write, and the outcome tells why.
Compilazione memorizza_percorso(const FileScenario& f, std::int32_t j, bool elimina_sorgenti = true);

// The description texts an author keeps in the folder of `f`, as they are
// (none for a file that is not there); nothing is deleted.
struct TestiSorgente {
    std::optional<std::string> linea, treno;
};
TestiSorgente leggi_sorgenti(const FileScenario& f);

// The texts as the reader takes them, each named by the path it was read
// from, so that a diagnostic names the file the author opens.
Descrizioni descrizioni_di(const FileScenario& f, const TestiSorgente& t, bool piano);

// Writes the compiled files of `s`: the plan file when the plan exists,
// then the .sim and the .dat grid.
void scrivi_file_compilati(const FileScenario& f, const Scenario& s);

// The author's notes of `f` (NAME_TRENO_note-.txt): the notes file's bytes,
// or the error, at its line and column, that keeps the text from becoming
// them; neither when there is no such file.
struct NoteAutore {
    std::optional<std::string> testo;
    std::optional<Diagnostica> errore;
};
NoteAutore leggi_note_autore(const FileScenario& f);

// Writes the driver's documents of a scenario that compiled without a code:
// its timetable card and its restriction order, and the notes when the
// author wrote some (`note`: the notes file's bytes).
void scrivi_documenti(const FileScenario& f, const Scenario& s, const std::optional<std::string>& note);

}  // namespace compattatore
