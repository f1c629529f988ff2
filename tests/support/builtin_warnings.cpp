#include "support/builtin_warnings.h"

#include <iterator>

namespace compattatore::test {

namespace {

constexpr BuiltinWarning warnings[] = {
    {false, 186, 23, "campo-in-piu"},
};

}  // namespace

std::span<const BuiltinWarning> builtin_warnings() { return warnings; }

std::string builtin_warnings_text(const std::string& line_file) {
    return line_file +
           ":186:23: avviso: numero 5 in più dopo i campi del record \"pendenza\": è ignorato [campo-in-piu]\n"
           "    pendenza,  1250,   -4,5\n"
           "                          ^\n"
           "    la virgola separa i campi, non i decimali: \"-4,5\" è letto -4 seguito da un campo in più\n"
           "    i valori sono numeri interi, senza decimali: scrivi -4 o -5\n";
}

std::string builtin_count(int errors) {
    const int n = static_cast<int>(std::size(warnings));
    return std::to_string(errors) + (errors == 1 ? " errore, " : " errori, ") + std::to_string(n) +
           (n == 1 ? " avviso\n" : " avvisi\n");
}

}  // namespace compattatore::test
