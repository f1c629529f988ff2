// The benchmark cases of the compiler.
#pragma once

namespace compattatore::banco {

// Registers every case with Google Benchmark.
void registra_casi();

// The line lengths of the generated scenarios, in km.
inline constexpr int lunghezze_km[] = {100, 500, 1000};

}  // namespace compattatore::banco
