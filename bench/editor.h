// The benchmark cases of the language server: what an author waits for in
// the editor.
#pragma once

namespace compattatore::banco {

// Registers the cases with Google Benchmark.
void registra_casi_editor();

}  // namespace compattatore::banco
