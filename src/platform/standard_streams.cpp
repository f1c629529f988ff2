#include "platform/standard_streams.h"

#include <algorithm>
#include <cstring>

#include "platform/text_encoding.h"

namespace compattatore {

MessageStreamBuf::MessageStreamBuf(OutputTarget& target) : target_(target), console_(target.is_console()) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

MessageStreamBuf::~MessageStreamBuf() { hand_over(true); }

void MessageStreamBuf::hand_over(bool all) {
    const std::string_view gathered(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    std::size_t n = gathered.size();
    if (console_) {
        // A sequence cut where the buffer filled up waits for its end.
        if (!all) n = complete_utf8_prefix(gathered);
        if (n > 0 && !target_.write_console(utf8_to_utf16(gathered.substr(0, n)))) failed_ = true;
    } else if (n > 0 && !target_.write_bytes(gathered)) {
        failed_ = true;
    }
    const std::size_t rest = gathered.size() - n;
    std::memmove(buffer_.data(), gathered.data() + n, rest);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    pbump(static_cast<int>(rest));
}

MessageStreamBuf::int_type MessageStreamBuf::overflow(int_type c) {
    hand_over(false);
    if (failed_) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize MessageStreamBuf::xsputn(const char* s, std::streamsize n) {
    std::streamsize done = 0;
    while (done < n) {
        if (pptr() == epptr()) overflow(traits_type::eof());
        if (failed_) return done;
        const auto room = static_cast<std::streamsize>(epptr() - pptr());
        const std::streamsize k = std::min(room, n - done);
        std::memcpy(pptr(), s + done, static_cast<std::size_t>(k));
        pbump(static_cast<int>(k));
        done += k;
    }
    return n;
}

int MessageStreamBuf::sync() {
    hand_over(true);
    return failed_ ? -1 : 0;
}

}  // namespace compattatore
