// A real line server that nobody here wrote: redis-server, started by the test on a free
// loopback port from a temporary configuration, talked to through the connection controller
// with the line transport, and stopped at the end. Native only: the Windows build under Wine
// cannot start a Linux program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <stdexcept>

#include "integration/LineHarness.h"
#include "support/LoopbackPeer.h"
#include "support/TempDir.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"

extern char** environ;

namespace {

using namespace transport_texts;

using Strings = std::vector<std::string>;

// One redis-server process with its log on a pipe; gone when the object goes.
class RedisServer {
 public:
  RedisServer() {
    // A port that was free a moment ago may be taken by the time the server binds it: try a
    // few, each found by binding port 0.
    for (int attempt = 0; attempt < 5; ++attempt) {
      port_ = LoopbackPeer::FreePort();
      if (Start()) return;
      Stop();
    }
    throw std::runtime_error("redis-server did not start");
  }
  ~RedisServer() { Stop(); }
  RedisServer(const RedisServer&) = delete;
  RedisServer& operator=(const RedisServer&) = delete;

  uint16_t Port() const { return port_; }

 private:
  bool Start() {
    const std::string config = dir_.Native("redis.conf").string();
    std::ofstream(config) << "port " << port_ << "\nbind 127.0.0.1\nsave \"\"\nappendonly no\n"
                          << "daemonize no\nlogfile \"\"\ndir " << dir_.Native("").string() << "\n";
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], 1);
    char program[] = "redis-server";
    char* argv[] = {program, const_cast<char*>(config.c_str()), nullptr};
    const int spawned = ::posix_spawnp(&pid_, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe_ends[1]);
    log_ = pipe_ends[0];
    if (spawned != 0) {
      pid_ = -1;
      return false;
    }
    return WaitForLog("Ready to accept connections", 10000);
  }

  // Reads the server's log until it shows text; false when the server ends or time passes.
  bool WaitForLog(const std::string& text, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::string log;
    while (log.find(text) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
      pollfd entry{log_, POLLIN, 0};
      if (left <= 0 || ::poll(&entry, 1, static_cast<int>(left)) != 1) return false;
      char block[4096];
      const ssize_t n = ::read(log_, block, sizeof block);
      if (n <= 0) return false;
      log.append(block, static_cast<size_t>(n));
    }
    return true;
  }

  void Stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    if (log_ >= 0) ::close(log_);
    log_ = -1;
  }

  TempDir dir_;
  uint16_t port_ = 0;
  pid_t pid_ = -1;
  int log_ = -1;
};

class LineRedisTest : public ::testing::Test {
 protected:
  LineRedisTest() {
    app.view.address = "127.0.0.1";
    app.view.port = redis.Port();
    app.controller.Connect();
  }

  void Type(const std::string& line) {
    app.view.message = line;
    app.pipeline.SendTyped();
  }

  // Ticks until count lines are shown, checking that no tick shows more than one.
  bool ShowsLines(size_t count) {
    size_t shown = app.Received().size();
    return app.TickUntil([&] {
      const size_t now = app.Received().size();
      EXPECT_LE(now, shown + 1) << "more than one line in one tick";
      shown = now;
      return now >= count;
    });
  }

  RedisServer redis;
  LineHarness app;
};

TEST_F(LineRedisTest, PingIsAnsweredWithPong) {
  EXPECT_EQ(app.controller.TransportKind(), 0);
  Type("PING");
  ASSERT_TRUE(ShowsLines(1));
  EXPECT_EQ(app.Received(), Strings{"> +PONG"});
}

TEST_F(LineRedisTest, APipelinedBurstIsShownOneLinePerTick) {
  for (const char* command : {"PING", "ECHO hello", "ECHO @hidden", "ECHO second", "PING"}) {
    Type(command);
  }
  // The reply "@hidden" is dropped by the "@" rule; its length line "$7" is shown.
  const Strings expected = {"> +PONG", "> $5", "> hello", "> $7", "> $6", "> second", "> +PONG"};
  ASSERT_TRUE(ShowsLines(expected.size()));
  EXPECT_EQ(app.Received(), expected);
  const Strings lines = app.transcript.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "# PING"), 2);
}

TEST_F(LineRedisTest, QuitEndsTheConnectionFromTheServerSide) {
  Type("QUIT");
  ASSERT_TRUE(ShowsLines(1));
  EXPECT_EQ(app.Received(), Strings{"> +OK"});
  EXPECT_EQ(app.TickUntilError(), kConnClosedGracefully);
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.controller.IsConnected());
}

}  // namespace
