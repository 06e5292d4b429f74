#include "serve.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <ostream>
#include <thread>

#include "server.h"

namespace qv::service {

int serve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    auto parsed = parseServeOptions(args);
    if (auto* usage = std::get_if<ServeUsageError>(&parsed)) {
        err << "quorvantix serve: " << usage->message << "\n" << serveUsage();
        return 2;
    }
    const auto& options = std::get<ServeOptions>(parsed);
    if (options.help) {
        out << serveUsage();
        return 0;
    }

    // Every thread started from here on inherits the mask, so the signals reach only the waiter
    // below, which stops the server in an orderly way instead of the process dying mid-reply.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    Server server(options, err);
    std::string error;
    if (!server.bind(error)) {
        err << "quorvantix serve: " << error << '\n';
        return 1;
    }
    std::atomic<bool> signalled = false;
    std::thread waiter([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        signalled = true;
        server.stop();
    });
    err << "quorvantix serve: listening on http://" << options.host << ':' << server.port() << "/\n"
        << std::flush;
    const bool ok = server.run();
    // Ended without a signal (the socket failed): wake the waiter so it can be joined.
    if (!signalled) pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    err << "quorvantix serve: stopped\n";
    return ok ? 0 : 1;
}

}  // namespace qv::service
