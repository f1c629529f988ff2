// Standard output and standard error.  The program's messages are UTF-8
// text.  Where a stream is a Windows console they are shown through the
// console's own UTF-16 interface, so that accented letters come out right
// whatever code page the console uses; anywhere else (a file, a pipe, every
// POSIX terminal) the bytes go out unchanged, the same on every system.
#pragma once

#include <array>
#include <cstddef>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

// Where one standard stream ends up.
class OutputTarget {
public:
    virtual ~OutputTarget() = default;
    virtual bool is_console() const = 0;
    // Each says whether everything was written.
    virtual bool write_bytes(std::string_view bytes) = 0;
    virtual bool write_console(std::u16string_view text) = 0;
};

// A stream buffer that hands its bytes to a target: as they are, or, when
// the target is a console, as UTF-16.  A sequence cut where the buffer
// fills up waits for its remaining bytes; a flush hands over everything.
// Once the target refuses bytes, the stream fails, as a file stream does,
// so that the program can tell.
class MessageStreamBuf : public std::streambuf {
public:
    explicit MessageStreamBuf(OutputTarget& target);
    ~MessageStreamBuf() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    // Hands over what is gathered; keeps an unfinished sequence unless `all`.
    void hand_over(bool all);

    OutputTarget& target_;
    bool console_;
    bool failed_ = false;
    std::array<char, 4096> buffer_;
};

// Points std::cout and std::cerr at the process's standard output and error
// in the manner above.  On POSIX systems the streams are left as they are.
void prepare_standard_streams();

// The arguments of the program as UTF-8 text, the program's name first.  On
// Windows they are read from the wide command line (split_command_line), so
// that any folder name arrives whole; elsewhere they are argv.
std::vector<std::string> command_line_arguments(int argc, char** argv);

}  // namespace compattatore
