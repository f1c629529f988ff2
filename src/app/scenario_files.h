// The files of a scenario around the compilation in memory: reading the two
// description files and the author's notes, deleting the description files
// that the run wrote for itself once read, and adding the compiled files and
// the documents to the run's outputs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/lettura_descrizioni.h"
#include "platform/output_set.h"
#include "reader/memorizza_dati.h"
#include "tables/diagnostica.h"
#include "tables/nomi_file.h"

namespace compattatore {

// With `piano` also builds the plan of the track and writes the compiled
// line file.  The compiled files go into `uscite`, which the caller commits with
// the rest of the run's outputs.  The description files the reading took
// are deleted when they are among `proprie`, as in the no-argument run; the
// authors' compile passes none and keeps them.  A failed header stamp raises
// the error report (ErroreSegnalato) and adds nothing.  When the reader
// stopped before the grid exists there is nothing to write, and the outcome
// tells why.
Compilazione memorizza_percorso(const FileScenario& f, bool piano, OutputSet& uscite,
                                DescrizioniProprie* proprie = nullptr);

// The description texts an author keeps in the folder of `f` (none for a
// file that is not there), in Windows-1252 whatever encoding they were saved
// in (documents/testo_autore.h); nothing is deleted.  A character that the
// code page lacks is an error at its line and column, in `errori`.  A name
// that is no ordinary file, or too large a file, raises IoError
// (leggi_descrizione).
struct TestiSorgente {
    std::optional<std::string> linea, treno;
    std::vector<Diagnostica> errori;
};
TestiSorgente leggi_sorgenti(const FileScenario& f);

// The reading's outcome with the texts' own errors before its diagnostics.
void aggiungi_errori_testo(const TestiSorgente& t, EsitoCompilazione& e);

// The texts as the reader takes them, each named by the path it was read
// from, so that a diagnostic names the file the author opens.
Descrizioni descrizioni_di(const FileScenario& f, const TestiSorgente& t, bool piano);

// Adds the compiled files of `s` to `uscite`: the plan file when the plan
// exists, then the .sim and the .dat grid.
void aggiungi_file_compilati(const FileScenario& f, const Scenario& s, OutputSet& uscite);

// The author's notes of `f` (NAME_TRENO_note-.txt): the notes file's bytes,
// or the error, at its line and column, that keeps the text from becoming
// them; neither when there is no such file.
struct NoteAutore {
    std::optional<std::string> testo;
    std::optional<Diagnostica> errore;
};
NoteAutore leggi_note_autore(const FileScenario& f);

// What `check` reports on the texts `t` of `f`: the reading that goes on
// past every error, after the texts' own errors, with the scenarios found
// beside a missing file and the notes' error.  A failed compile reports it
// too, so that one run shows every problem.
EsitoCompilazione rapporto_controllo(const FileScenario& f, const TestiSorgente& t, bool piano);

// Adds the driver's documents of a scenario that compiled without a code to
// `uscite`: its timetable card and its restriction order, and the notes when
// the author wrote some (`note`: the notes file's bytes).
void aggiungi_documenti(const FileScenario& f, const Scenario& s, const std::optional<std::string>& note,
                        OutputSet& uscite);

}  // namespace compattatore
