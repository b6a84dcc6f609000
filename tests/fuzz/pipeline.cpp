// The outgoing pipeline with typed text, sending through the real line transport over the fake
// socket layer (or the event transport's fake): the first byte picks the transport, the rest is
// split at 0xFF into typed texts, the commands among them. The bytes that reach the wire are
// each text as the commands leave it (CR LF added on the line transport), nothing raises, and
// the message box is emptied after each text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fakes/FakeSockets.h"
#include "integration/LineHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool line_kind = data[0] % 2 == 0;
  std::vector<std::string> typed(1);
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == 0xFF) {
      typed.emplace_back();
    } else {
      typed.back() += static_cast<char>(data[i]);
    }
  }
  // A few of the commands, as a typist would use them.
  for (size_t i = 0; i < typed.size(); ++i) {
    if (typed[i].size() == 1 && static_cast<unsigned char>(typed[i][0]) < 4) {
      static const char* const kCommands[] = {"!cl", "!r", "!fname", "$$$"};
      typed[i] = kCommands[static_cast<unsigned char>(typed[i][0])];
    }
  }

  FakeNetwork net;
  FakeSocketsScope scope(net);
  {
    LineHarness app;
    app.view.address = "127.0.0.1";
    app.view.port = 7;
    app.view.transport_index = line_kind ? 0 : 1;
    app.event.active_behaviour = [&](bool active) {
      app.event.active = active;
      if (active) app.controller.HandleConnected();
    };
    app.controller.Connect();
    if (!app.controller.IsConnected()) std::abort();

    std::string expected;
    std::string last;
    for (const std::string& text : typed) {
      app.view.message = text;
      std::string working = text;
      if (working == "!cl" || working == "!term") working = "$$$";
      if (working == "!r") working = last;
      if (working != "$$$") {
        last = working;
        expected += line_kind ? working + "\r\n" : working;
      }
      try {
        app.pipeline.SendTyped();
      } catch (...) {
        std::abort();
      }
      if (!app.view.message.empty()) std::abort();
    }
    std::string wire = net.sent;
    if (!line_kind) {
      for (const std::string& chunk : app.event.sent) wire += chunk;
    }
    if (wire != expected) std::abort();
  }
  return 0;
}
