// The console window a program started from Explorer has to itself.  The
// real case (a console opened for the program alone) cannot be made under
// Wine, which gives a test no console of its own: the decision is tested on
// every state, and the test programs themselves, whose streams are pipes,
// show that a redirected run never waits.
#include "platform/console_window.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(ConsoleWindow, WaitsOnlyWhenAloneInItsOwnConsole) {
    const struct {
        ConsoleState state;
        bool waits;
    } cases[] = {
        {{1, true, true}, true},    // started from Explorer
        {{2, true, true}, false},   // from cmd or PowerShell, which stay
        {{3, true, true}, false},   // from a batch file
        {{0, false, false}, false}, // no console at all (a service, POSIX)
        {{1, false, true}, false},  // output redirected to a file
        {{1, true, false}, false},  // input redirected: no key to wait for
    };
    for (const auto& c : cases)
        EXPECT_EQ(console_closes_with_program(c.state), c.waits)
            << c.state.processes << c.state.messages_shown << c.state.keys_read;
    // Under the test runner the streams are pipes.
    EXPECT_FALSE(console_closes_with_program(console_state()));
}

}  // namespace
}  // namespace compattatore
