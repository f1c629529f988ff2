// The failures that end a command anywhere in it, each turned into one
// message and its exit status.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "app/stato_uscita.h"

namespace compattatore {

// Runs `comando`, turning an I/O failure (once, with the file and the
// system's reason), the error report or a lack of memory into one message
// on `err` and its status.
StatoUscita riporta_fallimenti(const std::function<StatoUscita()>& comando, std::ostream& err);

// The same for a whole run whose standard output is `out`: a write to `out`
// that failed (a full disk, a closed pipe) is an I/O failure too, found when
// `out` is flushed at the end.  With `json`, every failure is also told on
// `out` as one JSON object on a line, {"stato":N,"spiegazione":"...",
// "file":"..."|null}, where the run's outcome object would have stood.
StatoUscita riporta_fallimenti(const std::function<StatoUscita()>& comando, std::ostream& out, std::ostream& err,
                               bool json);

// The JSON object of a failure on `out`, as above.
void scrivi_fallimento_json(std::ostream& out, StatoUscita stato, std::string_view spiegazione,
                            const std::optional<std::string>& file);

}  // namespace compattatore
