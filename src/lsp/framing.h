// The transport of the language server: messages framed by a
// "Content-Length" header, as the editors send them.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <variant>

namespace compattatore::lsp {

// A body larger than this is refused without being kept.
inline constexpr std::size_t max_body = 64u << 20;

// A frame that could not be read: what was wrong with it, said for the log.
struct FrameError {
    std::string reason;
};

// One body, or the error that took its place.
using Frame = std::variant<std::string, FrameError>;

// Splits a byte stream into frames.  Bytes come in pieces of any size; each
// complete frame comes out once.  A header block without a usable
// "Content-Length", or bytes where a header should start, are reported
// and skipped up to the next "Content-Length:" so that one bad frame does
// not swallow the ones after it.
class FrameParser {
public:
    void feed(std::string_view bytes);
    // The stream ended: what is left once the frames are taken is an
    // incomplete frame, if anything.
    void finish();
    bool has_frame();
    Frame next();
    // The body just taken was no message: when it holds the start of a
    // frame (an earlier length too large), the reading goes on from there.
    void reject(std::string_view body);

private:
    // Moves at most one frame (or error) from the bytes into ready_; false
    // when the bytes hold none yet.
    bool parse();
    std::string buffer_;
    std::deque<Frame> ready_;
    bool skipping_ = false;  // stray bytes already reported
    bool finished_ = false;
    // At the end of the stream, the bytes left reported; false when none are.
    bool incomplete();
};

// A body with its header, ready to be written.
std::string frame(std::string_view body);

}  // namespace compattatore::lsp
