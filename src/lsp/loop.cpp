#include "lsp/loop.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <filesystem>
#include <mutex>
#include <thread>

#include "lsp/framing.h"
#include "lsp/server.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace compattatore::lsp {

Disco disco_reale() {
    Disco d;
    d.leggi = [](const std::string& percorso) -> std::optional<std::string> {
        std::error_code ec;
        const auto p = path_from_text(percorso);
        if (!std::filesystem::is_regular_file(p, ec)) return std::nullopt;
        try {
            return read_file(p);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    };
    d.elenca = [](const std::string& cartella) {
        std::vector<std::string> nomi;
        std::error_code ec;
        std::filesystem::directory_iterator i(path_from_text(cartella.empty() ? "." : cartella), ec), fine;
        for (; !ec && i != fine; i.increment(ec)) nomi.push_back(path_text(i->path().filename()));
        return nomi;
    };
    return d;
}

namespace {

// The bytes the reading thread has taken, split into frames on demand.
struct Inbox {
    std::mutex mutex;
    std::condition_variable ready;
    FrameParser parser;
    bool ended = false;
};

}  // namespace

int serve(const std::function<std::size_t(char*, std::size_t)>& read,
          const std::function<bool(std::string_view)>& write, Disco disco) {
    auto inbox = std::make_shared<Inbox>();
    // The reading thread owns a share of the inbox: after "exit" it may
    // still wait on an input that stays open, and is left to the process's end.
    std::thread reader([inbox, read] {
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const std::size_t n = read(buffer.data(), buffer.size());
            std::lock_guard lock(inbox->mutex);
            if (n == 0) {
                inbox->parser.finish();
                inbox->ended = true;
            } else {
                inbox->parser.feed(std::string_view(buffer.data(), n));
            }
            inbox->ready.notify_one();
            if (n == 0) return;
        }
    });

    Server server(std::move(disco));
    bool output_ok = true;
    auto send = [&](const std::vector<json>& messages) {
        for (const json& m : messages)
            if (output_ok) output_ok = write(frame(m.dump(-1, ' ', false, json::error_handler_t::replace)));
    };
    while (!server.exited() && output_ok) {
        Frame f;
        {
            std::unique_lock lock(inbox->mutex);
            if (!inbox->parser.has_frame() && !inbox->ended) {
                // Nothing more has come: the changes so far are checked.
                lock.unlock();
                send(server.publish());
                lock.lock();
            }
            inbox->ready.wait(lock, [&] { return inbox->parser.has_frame() || inbox->ended; });
            if (!inbox->parser.has_frame()) break;
            f = inbox->parser.next();
        }
        if (const auto* e = std::get_if<FrameError>(&f)) {
            send({{{"jsonrpc", "2.0"}, {"method", "window/logMessage"},
                   {"params", {{"type", 1}, {"message", "messaggio scartato: " + e->reason}}}}});
            continue;
        }
        const std::string& body = std::get<std::string>(f);
        const auto replies = server.receive_body(body);
        if (!replies.empty() && replies.front().contains("error") &&
            replies.front()["error"]["code"] == rpc_error::parse_error) {
            // A length too large takes the next message's start with it.
            std::lock_guard lock(inbox->mutex);
            inbox->parser.reject(body);
        }
        send(replies);
    }
    if (!server.exited()) send(server.publish());
    bool ended = false;
    {
        std::lock_guard lock(inbox->mutex);
        ended = inbox->ended;
    }
    if (ended) reader.join();
    else reader.detach();
    return server.exit_status();
}

}  // namespace compattatore::lsp
