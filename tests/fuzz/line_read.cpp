// ReadLine over a script of socket events played by the fake socket layer as Windows plays them:
// chunks of bytes arriving at a pace, silence, the peer's close, a reset or another failure.
// Every byte received is accounted for (lines, line ends, pending), one call waits no longer
// than its time, the connection ends at most once, and only the end's own error comes out.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fakes/FakeSockets.h"
#include "fuzz/FuzzInput.h"
#include "support/LineAccount.h"
#include "transport/Texts.h"
#include "transport/line/LineClient.h"
#include "transport/line/NetErrors.h"

namespace {

// Failures a receive may meet: some end the connection, some leave it up.
constexpr int kCodes[] = {wsa::kECONNRESET, wsa::kECONNABORTED, wsa::kESHUTDOWN, wsa::kETIMEDOUT,
                          wsa::kENETDOWN,   wsa::kENOTCONN,     wsa::kENOBUFS,   wsa::kEINTR};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  FakeNetwork net;
  // The script: chunks, then how the connection ends.
  std::string script_bytes;
  net.gap_us = int64_t{in.Byte()} * 100;
  while (in.More()) {
    const uint8_t op = in.Byte();
    if (op < 200) {
      std::string chunk;
      for (size_t n = op % 64 + 1; n > 0 && in.More(); --n) {
        const uint8_t b = in.Byte();
        chunk += static_cast<char>(b % 4 == 0 ? '\n' : b % 4 == 1 ? '\r' : b);
      }
      script_bytes += chunk;
      net.incoming.push_back(chunk);
    } else if (op < 220) {
      net.end = FakeNetwork::End::Closed;
      break;
    } else {
      net.end = FakeNetwork::End::Failed;
      net.end_error = kCodes[op % std::size(kCodes)];
      break;
    }
  }

  FakeSocketsScope scope(net);
  int disconnects = 0;
  std::vector<std::string> lines;
  std::vector<std::string> errors;
  {
    TLineClient client;
    client.OnDisconnected = [&](TObject*) { ++disconnects; };
    client.SetHost("127.0.0.1");
    client.SetPort(7);
    client.Open();
    for (int call = 0; call < 200 && client.IsOpen(); ++call) {
      const int64_t start = net.now_us;
      try {
        std::string line = client.ReadLine("", 5);
        if (!client.LineTimedOut()) lines.push_back(std::move(line));
      } catch (const ENetError& e) {
        errors.push_back(e.Message());
      }
      if (net.now_us - start > 5000) std::abort();  // waited beyond its time
      net.now_us += 500'000;                        // the next tick
    }
    size_t left = 0;
    for (const std::string& chunk : net.incoming) left += chunk.size();
    const std::string received = script_bytes.substr(0, script_bytes.size() - left);
    const bool ended = disconnects > 0;
    if (!AccountLines(received, lines, client.InputSize(), TLineConnection::kMaxLineLength, ended)
             .empty()) {
      std::abort();
    }
    if (disconnects > 1 || (ended && client.IsOpen())) std::abort();
    const std::string end_error = net.end == FakeNetwork::End::Failed
                                      ? SocketErrorMessage(net.end_error)
                                      : std::string(transport_texts::kConnClosedGracefully);
    for (const std::string& error : errors) {
      if (error != end_error) std::abort();
    }
    // An end is reported once, by the call that finds it.
    if (ended && errors.size() != 1) std::abort();
  }
  return 0;
}
