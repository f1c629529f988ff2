#include "lsp/framing.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace compattatore::lsp {

namespace {

constexpr std::string_view header_name = "content-length:";

std::string lower(std::string_view s) {
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return r;
}

// Where the next "Content-Length:" starts at or after `from`, case ignored.
std::size_t find_header(std::string_view bytes, std::size_t from) {
    if (from >= bytes.size()) return std::string::npos;
    const auto i = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), header_name.begin(),
                               header_name.end(), [](char a, char b) {
                                   return std::tolower(static_cast<unsigned char>(a)) == b;
                               });
    return i == bytes.end() ? std::string::npos : static_cast<std::size_t>(i - bytes.begin());
}

// The length a header block declares, or an error.
std::variant<std::size_t, FrameError> declared_length(std::string_view headers) {
    std::optional<std::size_t> length;
    std::size_t start = 0;
    while (start <= headers.size()) {
        std::size_t end = headers.find("\r\n", start);
        if (end == std::string_view::npos) end = headers.size();
        const std::string_view line = headers.substr(start, end - start);
        start = end + 2;
        if (line.empty()) continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) return FrameError{"intestazione senza ':': " + std::string(line.substr(0, 80))};
        if (lower(line.substr(0, colon + 1)) != header_name) continue;  // Content-Type and the like
        std::string_view v = line.substr(colon + 1);
        while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
        while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
        if (v.empty() || v.size() > 12 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return FrameError{"Content-Length non valido: " + std::string(v.substr(0, 80))};
        length = std::stoull(std::string(v));
    }
    if (!length) return FrameError{"messaggio senza Content-Length"};
    if (*length > max_body) return FrameError{"Content-Length oltre il limite: " + std::to_string(*length)};
    return *length;
}

}  // namespace

void FrameParser::feed(std::string_view bytes) { buffer_.append(bytes); }

void FrameParser::finish() { finished_ = true; }

bool FrameParser::incomplete() {
    if (!finished_) return false;
    const bool left = buffer_.find_first_not_of(" \t\r\n") != std::string::npos;
    buffer_.clear();
    if (left && !skipping_) ready_.push_back(FrameError{"il flusso finisce a metà di un messaggio"});
    return left && !skipping_;
}

bool FrameParser::has_frame() {
    if (ready_.empty()) parse();
    return !ready_.empty();
}

Frame FrameParser::next() {
    if (ready_.empty()) parse();
    Frame f = std::move(ready_.front());
    ready_.pop_front();
    return f;
}

void FrameParser::reject(std::string_view body) {
    // The header may be whole in the body, or cut by the body's end.
    for (std::size_t k = 1; k < body.size(); ++k) {
        const std::size_t n = std::min(body.size() - k, header_name.size());
        if (find_header(std::string(body.substr(k, n)) + std::string(header_name.substr(n)), 0) == 0) {
            buffer_.insert(0, body.substr(k));
            skipping_ = false;
            return;
        }
    }
}

bool FrameParser::parse() {
    const std::size_t before = ready_.size();
    while (ready_.size() == before) {
        // Bytes that are no header: skipped up to the next one (keeping an
        // end that may be the first part of one).
        const std::size_t header = find_header(buffer_, 0);
        if (header != 0) {
            std::size_t drop = header;
            if (header == std::string::npos)
                drop = buffer_.size() > header_name.size() ? buffer_.size() - header_name.size() : 0;
            const bool junk = std::string_view(buffer_).substr(0, drop).find_first_not_of(" \t\r\n") != std::string_view::npos;
            buffer_.erase(0, drop);
            // One report for each run of stray bytes, however it arrives.
            if (junk && !skipping_) ready_.push_back(FrameError{"byte fuori da un messaggio"});
            skipping_ = skipping_ || junk;
            if (header == std::string::npos) return ready_.size() != before || incomplete();
            continue;
        }
        skipping_ = false;
        const std::size_t end = buffer_.find("\r\n\r\n");
        if (end == std::string::npos) {
            if (buffer_.size() > 8192) {  // no header block is this long
                ready_.push_back(FrameError{"intestazione troppo lunga"});
                buffer_.erase(0, header_name.size());
            }
            return ready_.size() != before || incomplete();
        }
        auto length = declared_length(std::string_view(buffer_).substr(0, end));
        if (auto* e = std::get_if<FrameError>(&length)) {
            ready_.push_back(std::move(*e));
            buffer_.erase(0, end + 4);
            return true;
        }
        const std::size_t n = std::get<std::size_t>(length);
        if (buffer_.size() - (end + 4) < n) return incomplete();
        ready_.push_back(buffer_.substr(end + 4, n));
        buffer_.erase(0, end + 4 + n);
    }
    return true;
}

std::string frame(std::string_view body) {
    std::string r = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    r.append(body);
    return r;
}

}  // namespace compattatore::lsp
