#include "server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <httplib.h>
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>

#include "access_log.h"
#include "controls_json.h"
#include "page_assets.h"
#include "render_pool.h"
#include "symbol_route.h"

namespace qv::service {
namespace {

using Clock = std::chrono::steady_clock;

// When the request being served was read whole; unset for requests refused before routing.
thread_local std::optional<Clock::time_point> tStarted;

constexpr std::string_view kPagePolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' blob:; "
    "connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

// The connections being served are bounded by --threads, the sockets held open by
// --max-connections: past it the accept loop waits, and new connections wait in the kernel's
// listen queue until one closes.
class ConnectionQueue : public httplib::TaskQueue {
  public:
    ConnectionQueue(std::size_t threads, std::size_t maxConnections) : max_(maxConnections) {
        for (std::size_t i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
    }
    ~ConnectionQueue() override { shutdown(); }

    void enqueue(std::function<void()> fn) override {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return active_ + waiting_.size() < max_; });
        waiting_.push_back(std::move(fn));
        wake_.notify_one();
    }

    // Serves the connections already accepted, then ends the threads.
    void shutdown() override {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
            stopping_ = true;
        }
        wake_.notify_all();
        for (auto& t : threads_) t.join();
    }

  private:
    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
            if (waiting_.empty()) return;
            auto fn = std::move(waiting_.front());
            waiting_.pop_front();
            ++active_;
            lock.unlock();
            fn();
            lock.lock();
            --active_;
            room_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable room_;
    std::deque<std::function<void()>> waiting_;
    std::size_t active_ = 0;
    std::size_t max_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

class HttpServer : public httplib::Server {
  public:
    // The library listens with a backlog of 5; a burst of clients connecting at once would wait
    // for SYN retries. Listening again on a bound socket only raises the backlog.
    void raiseBacklog() { ::listen(svr_sock_, SOMAXCONN); }
};

std::string statusText(int status) {
    switch (status) {
        case 400:
            return "the request could not be read";
        case 413:
            return "the request body is too large";
        case 414:
            return "the request target is too long";
        default:
            return "HTTP status " + std::to_string(status);
    }
}

void send(httplib::Response& res, const Reply& reply) {
    res.status = reply.status;
    for (const auto& [name, value] : reply.headers) res.set_header(name, value);
    res.set_header("X-Content-Type-Options", "nosniff");
    if (!reply.contentType.empty()) res.set_content(reply.body, reply.contentType.c_str());
}

std::string_view rawQuery(const std::string& target) {
    const std::size_t q = target.find('?');
    return q == std::string::npos ? std::string_view{} : std::string_view(target).substr(q + 1);
}

}  // namespace

struct Server::Impl {
    ServeOptions options;
    std::ostream& log;
    std::mutex logMutex;
    RenderPool renders;
    HttpServer http;
    std::string controls = controlsJson();

    Impl(const ServeOptions& o, std::ostream& l)
        : options(o),
          log(l),
          renders(o.renders ? o.renders : std::max(1U, std::thread::hardware_concurrency()),
                  o.threads),
          http() {}

    void writeLog(std::string_view method, std::string_view path, int status, std::size_t bytes,
                  std::optional<std::chrono::microseconds> took) {
        const std::string line =
            accessLogLine(std::chrono::system_clock::now(), method, path, status, bytes, took);
        std::lock_guard lock(logMutex);
        log << line << std::flush;
    }

    Reply symbol(const httplib::Request& req) {
        const auto deadline = tStarted.value_or(Clock::now()) + options.timeLimit;
        auto prepared = prepareSymbol(req.matches[1].str(), req.matches[2].str(),
                                      rawQuery(req.target), options.maxQuery);
        if (auto* refusal = std::get_if<Reply>(&prepared)) return std::move(*refusal);
        auto job = std::get<SymbolJob>(std::move(prepared));
        const ImageFormat format = job.format;
        auto outcome = renders.run(
            [job = std::move(job)] { return makeSymbol(job.request, job.format); }, deadline);
        if (auto* refusal = std::get_if<RenderPool::Refusal>(&outcome)) {
            Reply reply =
                *refusal == RenderPool::Refusal::Busy
                    ? errorReply(503, "too many symbols waiting to be drawn; try again")
                    : errorReply(503, "the symbol took longer than the limit of " +
                                          std::to_string(options.timeLimit.count()) + " ms");
            reply.headers.emplace_back("Retry-After", "1");
            return reply;
        }
        return symbolReply(std::get<SymbolResult>(outcome), format,
                           req.get_header_value("If-None-Match"));
    }

    void routes() {
        http.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
            tStarted = Clock::now();
            return httplib::Server::HandlerResponse::Unhandled;
        });
        http.Get("/healthz", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Cache-Control", "no-store");
            res.set_content("ok\n", "text/plain");
        });
        http.Get("/v1/controls", [this](const httplib::Request&, httplib::Response& res) {
            res.set_header("Cache-Control", "no-cache");
            res.set_content(controls, "application/json");
        });
        http.Get(R"(/v1/([^/]+)\.([^./]+))",
                 [this](const httplib::Request& req, httplib::Response& res) {
                     send(res, symbol(req));
                 });
        for (const PageAsset& asset : pageAssets()) {
            http.Get(
                std::string(asset.path), [&asset](const httplib::Request&, httplib::Response& res) {
                    res.set_header("Cache-Control", "no-cache");
                    res.set_header("Content-Security-Policy", std::string(kPagePolicy));
                    res.set_header("X-Content-Type-Options", "nosniff");
                    res.set_content(asset.body.data(), asset.body.size(),
                                    (std::string(asset.contentType) + "; charset=utf-8").c_str());
                });
        }
        const auto notAllowed = [](const httplib::Request&, httplib::Response& res) {
            Reply reply = errorReply(405, "only GET and HEAD are served");
            reply.headers.emplace_back("Allow", "GET, HEAD");
            send(res, reply);
        };
        http.Post(".*", notAllowed);
        http.Put(".*", notAllowed);
        http.Patch(".*", notAllowed);
        http.Delete(".*", notAllowed);
        http.Options(".*", notAllowed);
        // Answers the library makes itself (404, 414, 400 for a broken request) get a JSON body.
        http.set_error_handler(httplib::Server::HandlerWithResponse(
            [](const httplib::Request& req, httplib::Response& res) {
                if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
                std::string message = statusText(res.status);
                if (res.status == 404) message = "no such resource: " + req.path;
                send(res, errorReply(res.status, message));
                return httplib::Server::HandlerResponse::Handled;
            }));
        http.set_exception_handler(
            [](const httplib::Request&, httplib::Response& res, std::exception_ptr failure) {
                std::string message = "internal error";
                try {
                    if (failure) std::rethrow_exception(failure);
                } catch (const std::exception& e) {
                    message += std::string(": ") + e.what();
                } catch (...) {
                }
                send(res, errorReply(500, message));
            });
        http.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
            std::optional<std::chrono::microseconds> took;
            if (tStarted)
                took =
                    std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - *tStarted);
            tStarted.reset();
            writeLog(req.method, req.path, res.status, res.body.size(), took);
        });
        const std::size_t threads = options.threads;
        const std::size_t maxConnections = options.maxConnections;
        http.new_task_queue = [threads, maxConnections] {
            return new ConnectionQueue(threads, maxConnections);
        };
        // Headers and body go out in separate writes; Nagle would hold the body for a delayed ACK.
        http.set_tcp_nodelay(true);
        http.set_keep_alive_max_count(100);
        http.set_keep_alive_timeout(5);
        http.set_read_timeout(5);
        http.set_write_timeout(5);
        http.set_payload_max_length(64 * 1024);
    }
};

Server::Server(const ServeOptions& options, std::ostream& log)
    : impl_(std::make_unique<Impl>(options, log)) {
    impl_->routes();
}

Server::~Server() = default;

bool Server::bind(std::string& error) {
    auto& o = impl_->options;
    const bool bound = o.port == 0 ? (o.port = impl_->http.bind_to_any_port(o.host)) > 0
                                   : impl_->http.bind_to_port(o.host, o.port);
    if (!bound) {
        error = "cannot listen on " + o.host + ":" + std::to_string(o.port) + ": " +
                std::strerror(errno);
        return false;
    }
    impl_->http.raiseBacklog();
    return true;
}

int Server::port() const {
    return impl_->options.port;
}

bool Server::run() {
    return impl_->http.listen_after_bind();
}

void Server::stop() {
    impl_->http.stop();
}

}  // namespace qv::service
