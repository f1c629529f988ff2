// The floor the compilation is measured against: the same bytes written to
// the same files, replaced as the product replaces its outputs (each into a
// temporary file in the same folder, all flushed to the disk together, then
// renamed over the old ones and the folder synced), with one write of the
// whole content per file and nothing else.
#pragma once

#include <vector>

#include "banco.h"

namespace compattatore::banco {

void scrivi_minimo(const std::vector<FileProdotto>& file);

// Waits until the files named are on disk.  Called untimed before each timed
// writing, so that the product and the floor both replace files the system
// has finished with, instead of one of them paying for the other's writes
// still under way.
void assesta(const std::vector<FileProdotto>& file);

}  // namespace compattatore::banco
