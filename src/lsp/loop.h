// `compattatore lsp`: the server on the standard input and output.
#pragma once

#include <functional>
#include <string_view>

#include "lsp/scenari.h"

namespace compattatore::lsp {

// The files and folders of the machine, as the server reads them.
Disco disco_reale();

// Reads framed messages from `read` until "exit" or the end of the input,
// and writes the replies with `write`.  A reading thread keeps taking
// messages while one is handled, so that changes that come during a check
// are handled together and only their last text is checked.  Returns the
// exit status: 0 after "shutdown" and "exit", 1 otherwise.
int serve(const std::function<std::size_t(char*, std::size_t)>& read,
          const std::function<bool(std::string_view)>& write, Disco disco);

}  // namespace compattatore::lsp
