#include "lsp/framing.h"

#include <gtest/gtest.h>

namespace compattatore::lsp {
namespace {

// What a stream splits into: bodies as they are, errors as "!".
std::vector<std::string> frames(const std::string& stream, std::size_t piece) {
    FrameParser p;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < stream.size(); i += piece) {
        p.feed(std::string_view(stream).substr(i, piece));
        while (p.has_frame()) {
            Frame f = p.next();
            out.push_back(std::holds_alternative<std::string>(f) ? std::get<std::string>(f) : "!");
        }
    }
    p.finish();
    while (p.has_frame()) {
        Frame f = p.next();
        out.push_back(std::holds_alternative<std::string>(f) ? std::get<std::string>(f) : "!");
    }
    return out;
}

TEST(Framing, StreamsSplitIntoBodiesWhateverThePieces) {
    struct Caso {
        std::string stream;
        std::vector<std::string> expected;
    };
    const Caso casi[] = {
        {frame("{}") + frame("[1]"), {"{}", "[1]"}},
        {"content-length: 2\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}", {"{}"}},
        {"Content-Length:  3 \r\n\r\nabc", {"abc"}},
        // No length, a length that is no number, one too large: reported, skipped.
        {"Content-Type: x\r\n\r\n" + frame("{}"), {"!", "{}"}},
        {"Content-Length: dodici\r\n\r\n" + frame("{}"), {"!", "{}"}},
        {"Content-Length: 99999999999\r\n\r\n" + frame("{}"), {"!", "{}"}},
        // Bytes outside any frame, then a frame.
        {"rumore\r\n" + frame("{}"), {"!", "{}"}},
        // A frame cut by the end of the stream.
        {frame("{}") + "Content-Length: 10\r\n\r\n{", {"{}", "!"}},
        {"", {}},
    };
    for (const Caso& c : casi)
        for (std::size_t piece : {std::size_t{1}, std::size_t{7}, c.stream.size() + 1})
            EXPECT_EQ(frames(c.stream, piece), c.expected) << c.stream << " a pezzi di " << piece;
}

TEST(Framing, ARejectedBodyGivesBackTheFrameItSwallowed) {
    FrameParser p;
    // The first length is 10 too many: the body takes the next header's start.
    const std::string second = frame("{\"a\":1}");
    p.feed("Content-Length: 12\r\n\r\n{}" + second);
    ASSERT_TRUE(p.has_frame());
    const std::string body = std::get<std::string>(p.next());
    EXPECT_EQ(body, "{}" + second.substr(0, 10));
    p.reject(body);
    ASSERT_TRUE(p.has_frame());
    EXPECT_EQ(std::get<std::string>(p.next()), "{\"a\":1}");
    EXPECT_FALSE(p.has_frame());
}

}  // namespace
}  // namespace compattatore::lsp
