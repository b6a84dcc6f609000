// Reading re-reads the pending input after every call that can run OnDisconnected, because
// the handler may close or reopen this connection before the call goes on.
#include "transport/line/LineConnection.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "transport/line/NetErrors.h"
#include "transport/line/SocketStack.h"

namespace {

// One wait of timeoutMs; none for WaitForever.
std::optional<WaitTime> WaitOf(int32_t timeoutMs) {
  if (timeoutMs == WaitForever) return std::nullopt;
  return WaitTime{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
}

// How long one ReadLine may still wait: all of its time before the first wait, then what is
// left of it by the stack's clock, so that a peer sending a byte now and then cannot hold the
// call (and the window's thread) beyond its time. WaitForever has no end.
class CallTime {
 public:
  CallTime(TSocketStack& stack, int32_t timeoutMs) : stack_(stack), timeout_ms_(timeoutMs) {}

  bool Limited() const { return timeout_ms_ != WaitForever; }

  // The next wait; nothing when the time is up (or without a limit).
  std::optional<WaitTime> Next() {
    if (!Limited()) return std::nullopt;
    if (!started_) {
      started_ = true;
      end_ = stack_.Microseconds() + int64_t{timeout_ms_} * 1000;
      return WaitOf(timeout_ms_);
    }
    const int64_t left = end_ - stack_.Microseconds();
    if (left <= 0) return std::nullopt;
    return WaitTime{static_cast<int32_t>(left / 1'000'000), static_cast<int32_t>(left % 1'000'000)};
  }

 private:
  TSocketStack& stack_;
  int32_t timeout_ms_;
  bool started_ = false;
  int64_t end_ = 0;
};

}  // namespace

TLineConnection::TLineConnection(TComponent* owner) : TNetComponent(owner), link_(Stack()) {
  recv_block_.SetSize(static_cast<size_t>(recv_buffer_size_));
}

TLineConnection::~TLineConnection() = default;

void TLineConnection::SetRecvBufferSize(int32_t size) {
  recv_buffer_size_ = size;
  recv_block_.SetSize(static_cast<size_t>(std::max(size, 0)));
}

void TLineConnection::NotifyDisconnected() {
  Fire(OnDisconnected, this);
}

void TLineConnection::ResetState() {
  link_.ResetEndpoints(true);
  pending_input_.Clear();
  peer_closed_ = false;
  end_error_ = 0;
}

void TLineConnection::CheckClosed(bool raiseIfClosed, bool ignoreBuffer) {
  if (!peer_closed_ && link_.Allocated()) return;
  // Read before the drop: OnDisconnected may open the connection again.
  const int end_error = end_error_;
  if (link_.Allocated()) DropSocket();
  if (!raiseIfClosed || (!ignoreBuffer && !pending_input_.Empty())) return;
  if (end_error != 0) {
    end_error_ = 0;  // reported once; later calls find the connection closed
    TSocketStack::ThrowSocketError(end_error);
  }
  throw EConnClosedGracefully();
}

bool TLineConnection::IsOpen() const {
  return link_.Allocated();
}

void TLineConnection::Close() {
  DropSocket();
}

void TLineConnection::DropSocket() {
  if (!link_.Allocated()) return;
  ReportStatus(TLineStatus::stDisconnecting, link_.RemoteIP());
  link_.ReleaseSocket(true);
  peer_closed_ = true;
  ReportStatus(TLineStatus::stDisconnected, link_.RemoteIP());
  NotifyDisconnected();
}

std::string TLineConnection::TakeInput(size_t count) {
  if (count > pending_input_.Size()) throw ENotEnoughDataInBuffer();
  std::string bytes(pending_input_.Data(), count);
  RemoveInput(count);
  return bytes;
}

void TLineConnection::RemoveInput(size_t count) {
  pending_input_.Remove(count);
}

int TLineConnection::ReceiveChunk(bool raiseIfClosed, int32_t timeoutMs, bool intoInput) {
  CheckClosed(raiseIfClosed, false);
  const std::optional<WaitTime> wait = WaitOf(timeoutMs);
  const int n = Receive(wait ? &*wait : nullptr, intoInput, recv_buffer_size_);
  CheckClosed(raiseIfClosed, false);
  return n;
}

int TLineConnection::Receive(const WaitTime* wait, bool intoInput, int32_t limit) {
  if (!link_.Allocated() || peer_closed_) return 0;
  if (!link_.WaitReadable(wait)) return 0;
  limit = std::clamp(limit, 0, static_cast<int32_t>(recv_block_.Size()));
  // Bytes for the pending input are received straight to its end, saving a copy of each.
  char* into = intoInput ? pending_input_.Extend(static_cast<size_t>(limit)) : recv_block_.Data();
  int n = Stack().Receive(link_.Socket(), into, limit);
  if (intoInput) pending_input_.Shrink(static_cast<size_t>(limit - std::max(n, 0)));
  peer_closed_ = n == 0;
  if (n == kSocketError) {
    const int code = Stack().LastError();
    if (!TSocketStack::EndsConnection(code)) TSocketStack::ThrowSocketError(code);
    // Windows fails every later receive the same way: the connection is over, and its end is
    // reported once, as the peer's close would be.
    n = 0;
    peer_closed_ = true;
    end_error_ = code;
  }
  return n;
}

std::string TLineConnection::ReadLine(const std::string& terminator, int32_t timeoutMs) {
  const std::string_view t = terminator.empty() ? std::string_view("\n", 1) : terminator;
  line_timed_out_ = false;
  // Pending bytes already searched on an earlier pass: the search goes on from there, so a
  // long line costs time in proportion to its length, not to its length squared.
  size_t searched = 0;
  bool flooded = false;
  CallTime time(Stack(), timeoutMs);
  for (;;) {
    const size_t size = pending_input_.Size();
    if (size > 0) {
      const size_t window = std::min(size, kMaxLineLength);
      const std::string_view view(pending_input_.Data(), window);
      const size_t from = std::min(searched, window);
      // A one-byte terminator is one memchr, without comparing each candidate.
      const size_t found = t.size() == 1 ? view.find(t[0], from) : view.find(t, from);
      if (found != std::string_view::npos) {
        // The CR is looked for in the pending bytes, not in the fresh copy (a read right after
        // the copy's stores would wait for them).
        const bool cr = terminator.empty() && found > 0 && view[found - 1] == '\r';
        std::string line = TakeInput(found + t.size());
        line.resize(cr ? found - 1 : found);
        return line;
      }
      if (size >= kMaxLineLength) return TakeInput(kMaxLineLength);
      searched = window >= t.size() ? window - t.size() + 1 : 0;
    }
    CheckClosed(true, true);
    std::optional<WaitTime> wait = time.Next();
    // Once the time is up, bytes that are already here are still taken without waiting while
    // each receive fills its buffer: a flood drains a piece a call, not a buffer a wait, and a
    // peer that trickles still cannot hold the call.
    if (time.Limited() && !wait && flooded) wait = WaitTime{0, 0};
    if (time.Limited() && !wait) {
      line_timed_out_ = true;
      return std::string();
    }
    // One call never holds more than kMaxLineLength pending bytes.
    const auto room = static_cast<int32_t>(kMaxLineLength - pending_input_.Size());
    const int32_t asked = std::min(recv_buffer_size_, room);
    const int n = Receive(wait ? &*wait : nullptr, true, asked);
    flooded = asked > 0 && n >= asked;
    if (peer_closed_) {
      // The peer's last bytes without a line end are its last line; the next call reports the
      // end of the connection as it would after a whole line.
      if (!pending_input_.Empty()) return TakeInput(pending_input_.Size());
      CheckClosed(true, true);
    }
    line_timed_out_ = n == 0;
    if (n == 0) return std::string();
  }
}

void TLineConnection::WriteText(const std::string& text) {
  if (!text.empty()) SendAll(text.data(), static_cast<int>(text.size()));
}

void TLineConnection::WriteLine(const std::string& text) {
  WriteText(text + "\r\n");
}

void TLineConnection::SendAll(const char* data, int count) {
  if (count <= 0 || data == nullptr) return;
  CheckClosed(true, true);
  int sent = 0;
  while (sent < count) {
    const int n = Stack().Send(link_.Socket(), data + sent, count - sent);
    const int code = n == kSocketError ? Stack().LastError() : 0;
    peer_closed_ = n == 0;
    CheckClosed(true, false);
    if (n == kSocketError) {
      if (TSocketStack::EndsConnection(code)) DropSocket();
      TSocketStack::ThrowSocketError(code);
    }
    sent += n;
  }
}
