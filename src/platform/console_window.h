// The console window of a program started from Windows Explorer: opened for
// the program alone, it closes when the program ends and takes every message
// with it.  Such a program waits for a key before it ends.  From a console
// that was there before it (cmd, PowerShell, a terminal), or with its
// streams redirected, it never waits.
#pragma once

namespace compattatore {

// What the program can tell of its console.
struct ConsoleState {
    unsigned processes = 0;       // the processes attached to it, this one included; 0: none
    bool messages_shown = false;  // standard output and error both go to it
    bool keys_read = false;       // standard input comes from it
};

// The console of this process; none (all zero) on POSIX systems, whose
// terminals outlive the programs they run.
ConsoleState console_state();

// Whether the console closes with the program and can be waited on: the
// program is its only process, and shows its messages and reads its keys
// there.
bool console_closes_with_program(const ConsoleState& state);

// The line that says the program waits, then the wait for one key.
inline constexpr const char* press_a_key = "Premere un tasto per chiudere questa finestra.";
void wait_for_key();

}  // namespace compattatore
