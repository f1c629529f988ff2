#include "platform/standard_streams.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/text_encoding.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/handle_target.h"
#endif

namespace compattatore {
namespace {

// A stream's end, recording what reached it and by which way.
class RecordingTarget : public OutputTarget {
public:
    explicit RecordingTarget(bool console) : console_(console) {}
    bool is_console() const override { return console_; }
    bool write_bytes(std::string_view bytes) override {
        bytes_ += bytes;
        return !full_;
    }
    bool write_console(std::u16string_view text) override {
        console_text_ += text;
        ++console_writes_;
        return !full_;
    }

    bool full_ = false;

    bool console_;
    std::string bytes_;
    std::u16string console_text_;
    int console_writes_ = 0;
};

// A message long enough to fill the buffer several times, with accented
// letters of two and three bytes falling across every boundary.
std::string long_message() {
    std::string m;
    for (int i = 0; i < 3000; ++i) m += i % 3 == 0 ? "Citt\xC3\xA0 " : i % 3 == 1 ? "\xE2\x82\xAC " : "x";
    return m;
}

TEST(MessageStreamBuf, AConsoleGetsTheTextAsUtf16) {
    RecordingTarget console(true);
    {
        MessageStreamBuf buffer(console);
        std::ostream out(&buffer);
        out << "Attendere" << std::endl;
        EXPECT_EQ(console.console_text_, u"Attendere\n");  // a flush hands it over at once
        out << "Brunovale_linea.txt:5: codice 15: posizione oltre la fine della griglia\n";
        out << long_message();
        out.write("\xC3", 1);  // an accented letter written a byte at a time
        out.write("\xA0", 1);
        out << "\n"
            << "Citt\xE0\n";  // a byte of an author's Windows-1252 file
    }
    EXPECT_TRUE(console.bytes_.empty());
    EXPECT_EQ(console.console_text_,
              utf8_to_utf16("Attendere\nBrunovale_linea.txt:5: codice 15: posizione oltre la fine della griglia\n" +
                            long_message()) +
                  u"\u00E0\nCitt\u00E0\n");
}

// A long text cut by the buffer's end loses no letter: every sequence is
// whole in one write.
TEST(MessageStreamBuf, ABufferFullCutsNoSequence) {
    RecordingTarget console(true);
    {
        MessageStreamBuf buffer(console);
        std::ostream out(&buffer);
        const std::string m = long_message();
        for (char c : m) out.put(c);
        out << std::flush;
        EXPECT_EQ(console.console_text_, utf8_to_utf16(m));
    }
}

// Anything that is not a console (a file, a pipe) gets the very bytes, so
// that redirected output is the same as on Linux.
TEST(MessageStreamBuf, AFileOrPipeGetsTheBytesUnchanged) {
    RecordingTarget file_or_pipe(false);
    const std::string m =
        "Attendere\ncompattatore: C:\\Citt\xC3\xA0\\manca: errore\r\n" + long_message() + "\xE0\xC3";
    {
        MessageStreamBuf buffer(file_or_pipe);
        std::ostream out(&buffer);
        out << m;
    }
    EXPECT_EQ(file_or_pipe.bytes_, m);
    EXPECT_TRUE(file_or_pipe.console_text_.empty());
}

// A target that refuses bytes (a full disk, a closed pipe) makes the
// stream fail, whether the refusal comes with a full buffer or at a flush,
// so that the program can report it.
TEST(MessageStreamBuf, ATargetThatRefusesBytesFailsTheStream) {
    for (const bool console : {false, true}) {
        for (const std::size_t size : {std::size_t{10}, long_message().size()}) {
            SCOPED_TRACE(testing::Message() << console << " " << size);
            RecordingTarget target(console);
            target.full_ = true;
            MessageStreamBuf buffer(target);
            std::ostream out(&buffer);
            out << long_message().substr(0, size);
            out.flush();
            EXPECT_TRUE(out.bad());
        }
    }
}

#ifdef _WIN32
// The Windows end of a stream: a pipe is no console, and its bytes pass
// through untouched.
TEST(HandleTarget, APipeIsNoConsoleAndGetsTheBytes) {
    HANDLE read_end = nullptr, write_end = nullptr;
    ASSERT_TRUE(::CreatePipe(&read_end, &write_end, nullptr, 1 << 20));
    HandleTarget target(write_end);
    EXPECT_FALSE(target.is_console());
    const std::string m = "Attendere\nCitt\xC3\xA0\n";
    {
        MessageStreamBuf buffer(target);
        std::ostream out(&buffer);
        out << m << std::flush;
    }
    ::CloseHandle(write_end);
    std::string bytes_read(64, '\0');
    DWORD n = 0;
    ASSERT_TRUE(::ReadFile(read_end, bytes_read.data(), static_cast<DWORD>(bytes_read.size()), &n, nullptr));
    ::CloseHandle(read_end);
    bytes_read.resize(n);
    EXPECT_EQ(bytes_read, m);
}
#endif

}  // namespace
}  // namespace compattatore
