#include "serve_options.h"

#include <gtest/gtest.h>

namespace qv::service {
namespace {

ServeOptions parsed(const std::vector<std::string>& args) {
    auto r = parseServeOptions(args);
    EXPECT_TRUE(std::holds_alternative<ServeOptions>(r));
    return std::holds_alternative<ServeOptions>(r) ? std::get<ServeOptions>(r) : ServeOptions{};
}

TEST(ServeOptions, Defaults) {
    const auto o = parsed({});
    EXPECT_EQ(o.host, "127.0.0.1");
    EXPECT_EQ(o.port, 8080);
    EXPECT_EQ(o.maxQuery, kMaxQueryLimit);
}

TEST(ServeOptions, ListenAddresses) {
    const struct {
        std::string arg, host;
        int port;
    } cases[] = {
        {"0.0.0.0:80", "0.0.0.0", 80},
        {"[::1]:8443", "::1", 8443},
        {":9000", "0.0.0.0", 9000},
        {"localhost:0", "localhost", 0},
    };
    for (const auto& c : cases) {
        const auto o = parsed({"--listen", c.arg});
        EXPECT_EQ(o.host, c.host) << c.arg;
        EXPECT_EQ(o.port, c.port) << c.arg;
    }
}

TEST(ServeOptions, NumbersInBothSpellings) {
    const auto o = parsed({"--threads=3", "--max-connections", "7", "--renders", "2",
                           "--time-limit=250", "--max-query", "100"});
    EXPECT_EQ(o.threads, 3U);
    EXPECT_EQ(o.maxConnections, 7U);
    EXPECT_EQ(o.renders, 2U);
    EXPECT_EQ(o.timeLimit, std::chrono::milliseconds(250));
    EXPECT_EQ(o.maxQuery, 100U);
}

TEST(ServeOptions, RefusesWhatDoesNotFit) {
    const std::vector<std::vector<std::string>> cases = {
        {"--threads", "0"},
        {"--threads", "1x"},
        {"--threads"},
        {"--renders", "-1"},
        {"--time-limit", "0"},
        {"--max-query", "8001"},
        {"--listen", "noport"},
        {"--listen", "h:65536"},
        {"--listen", "h:"},
        {"--nope", "1"},
        {"--max-connections", "99999999999999999999"},
    };
    for (const auto& args : cases) {
        auto r = parseServeOptions(args);
        ASSERT_TRUE(std::holds_alternative<ServeUsageError>(r)) << args.front();
        EXPECT_FALSE(std::get<ServeUsageError>(r).message.empty());
    }
}

}  // namespace
}  // namespace qv::service
