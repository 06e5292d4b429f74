// The HTTP side of the service: routes, limits, the access log, on cpp-httplib.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "serve_options.h"

namespace qv::service {

class Server {
  public:
    // Access log lines go to `log`.
    Server(const ServeOptions& options, std::ostream& log);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds the listening socket; the reason when it cannot.
    bool bind(std::string& error);
    // The port bound (the one chosen when asked for port 0).
    int port() const;
    // Serves until stop(); the connections being served finish their request first.
    bool run();
    // From any thread, also before run().
    void stop();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qv::service
