// A real server that nobody here wrote, on the "Server Socket" path: the distribution's key-value
// server, started on a free loopback port for the test and spoken to in its inline commands
// (text lines ending in LF, which the pipeline sends as typed).
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/Cp1251.h"
#include "integration/EventLoopbackFixture.h"
#include "support/TempDir.h"

extern char** environ;

namespace {

bool Listening(uint16_t port) {
  int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool up = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(s);
  return up;
}

class EventRedis : public EventLoopbackFixture {
 protected:
  void SetUp() override {
    port_ = LoopbackPeer::FreePort();
    std::string port = std::to_string(port_);
    std::string dir = folder_.Native("").string();
    const char* args[] = {"redis-server", "--port",    port.c_str(), "--bind",
                          "127.0.0.1",    "--save",    "",           "--appendonly",
                          "no",           "--dir",     dir.c_str(),  "--daemonize",
                          "no",           "--logfile", "",           nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    int status = posix_spawnp(&pid_, "redis-server", &actions, nullptr,
                              const_cast<char* const*>(args), environ);
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(status, 0) << "redis-server cannot be started";
    ASSERT_TRUE(PumpUntil([this] { return Listening(port_); }, 10000)) << "redis-server is not up";
  }

  void TearDown() override {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }

  // Types a command and waits until the transcript has grown by the reply.
  void Command(const std::string& line, const std::string& reply) {
    Type(line);
    EXPECT_TRUE(PumpUntil([&] { return TranscriptHas("> " + reply + "\r\n"); })) << line;
  }

  TempDir folder_;
  pid_t pid_ = 0;
  uint16_t port_ = 0;
};

TEST_F(EventRedis, ServesInlineCommandsAndClosesOnQuit) {
  ConnectTo("localhost", port_);
  Command("PING\n", "+PONG\r\n");
  const std::string hello = cp1251::FromUtf8("Привет");
  Command("SET zirk " + hello + "\n", "+OK\r\n");
  Command("GET zirk\n", "$6\r\n" + hello + "\r\n");
  Command("STRLEN zirk\n", ":6\r\n");
  EXPECT_TRUE(TranscriptHas("# GET zirk\n\r\n"));

  Type("QUIT\n");
  ASSERT_TRUE(PumpUntil([this] { return controller.TransportKind() == 3; }));
  std::string endpoint = "localhost:" + std::to_string(port_);
  EXPECT_TRUE(transcript.Text().ToString().ends_with(
      "> +OK\r\n\r\n" + DisconnectedBanner(endpoint, "Server Socket")));
  EXPECT_TRUE(route.messages.empty());
}

}  // namespace
