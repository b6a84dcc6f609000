// The event-driven transport's chunk handling over a script of notifications played by the fake
// socket layer: bytes arriving in chunks, read notifications (also inside a read), the peer's
// close with or without an error, a failing receive, a reader that runs out of memory. What the
// reader took is the bytes sent, in order; after the peer's orderly close nothing waiting is
// left unread; OnDisconnect fires at most once; only the transport's own errors come out.
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "fakes/FakeSockets.h"
#include "fuzz/FuzzInput.h"
#include "transport/Texts.h"
#include "transport/event/EventClient.h"

namespace {

bool Allowed(const std::string& message) {
  for (int code : {wsa::kECONNRESET, wsa::kECONNABORTED}) {
    if (message == AsynchronousSocketErrorMessage(code) ||
        message == WindowsSocketErrorMessage(code, transport_texts::kApiReceive)) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  FakeNetwork net;
  FakeSockets* api = nullptr;
  TEventClient client(nullptr, FakeSockets::Factory(net, api));
  std::string sent;
  std::string received;
  int disconnects = 0;
  bool nested = false;
  bool fail_reading = false;
  client.OnRead = [&](TObject*, TAsyncSocket* socket) {
    received += socket->ReceiveString();
    if (fail_reading) throw std::bad_alloc();
    // A nested loop delivering another read while this one is handled.
    if (nested) {
      nested = false;
      api->Notify(socket->Handle(), socket_event::kRead);
    }
  };
  client.OnDisconnect = [&](TObject*, TAsyncSocket*) { ++disconnects; };
  client.SetHost("localhost");
  client.SetPort(7);
  client.SetActive(true);
  api->CompleteLookup(net.last_request, 0, SocketAddress{{127, 0, 0, 1}, 0});
  const SocketHandle socket = net.last_socket;
  api->Notify(socket, socket_event::kConnect);
  if (!client.Active()) std::abort();

  while (in.More() && client.Active()) {
    const uint8_t op = in.Byte();
    fail_reading = false;
    try {
      if (op < 128) {
        std::string chunk;
        for (size_t n = op % 48 + 1; n > 0 && in.More(); --n) chunk += static_cast<char>(in.Byte());
        sent += chunk;
        net.incoming.push_back(chunk);
      } else if (op < 192) {
        nested = op % 2 == 0;
        api->Notify(socket, socket_event::kRead);
      } else if (op < 208) {
        // The fake hands over one arrival per receive; with one waiting, nothing may be left.
        const bool one_arrival = net.incoming.size() <= 1;
        api->Notify(socket, socket_event::kClose);
        if (one_arrival && net.end == FakeNetwork::End::Open && received != sent) std::abort();
      } else if (op < 216) {
        fail_reading = true;
        api->Notify(socket, socket_event::kClose);
      } else if (op < 232) {
        api->Notify(socket, socket_event::kClose, op % 2 ? wsa::kECONNRESET : wsa::kECONNABORTED);
      } else {
        net.end = FakeNetwork::End::Failed;
        net.end_error = op % 2 ? wsa::kECONNRESET : wsa::kECONNABORTED;
        api->Notify(socket, socket_event::kRead);
      }
    } catch (const EAsyncSocketError& e) {
      if (!Allowed(e.Message())) std::abort();
    } catch (const std::bad_alloc&) {
      if (!fail_reading) std::abort();
    }
  }
  if (sent.compare(0, received.size(), received) != 0) std::abort();
  if (disconnects > 1 || client.Active() != (disconnects == 0)) std::abort();
  return 0;
}
