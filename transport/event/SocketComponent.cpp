#include "transport/event/SocketComponent.h"

#include "transport/Texts.h"

namespace {

// Only a to z are compared without regard to case; every other byte must match.
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

void TSocketComponentBase::SetActive(bool value) {
  if (value == active_) return;
  if (IsLoading()) {
    active_ = value;
    return;
  }
  Activate(value);
}

void TSocketComponentBase::Loaded() {
  TComponent::Loaded();
  Activate(active_);
}

void TSocketComponentBase::CheckInactive() const {
  if (active_ && !IsLoading()) throw EAsyncSocketError(transport_texts::kCantChangeWhileActive);
}

void TSocketComponentBase::SetText(std::string& field, const std::string& value) {
  if (SameIgnoringAsciiCase(field, value)) return;
  CheckInactive();
  field = value;
}

void TSocketComponentBase::SetPort(int32_t port) {
  if (port == port_) return;
  CheckInactive();
  port_ = port;
}

void TSocketComponentBase::SetAddress(const std::string& address) {
  SetText(address_, address);
}

void TSocketComponentBase::SetHost(const std::string& host) {
  SetText(host_, host);
}

void TSocketComponentBase::SetService(const std::string& service) {
  SetText(service_, service);
}

void TSocketComponent::HandleEvent(TAsyncSocket& socket, SocketEventKind kind) {
  switch (kind) {
    case sevLookup:
      Fire(OnLookup, this, &socket);
      break;
    case sevConnecting:
      Fire(OnConnecting, this, &socket);
      break;
    case sevConnect:
      active_ = true;
      Fire(OnConnect, this, &socket);
      break;
    case sevDisconnect:
      active_ = false;
      Fire(OnDisconnect, this, &socket);
      break;
    case sevListen:
      active_ = true;
      Fire(OnListen, this, &socket);
      break;
    case sevAccept:
      Fire(OnAccept, this, &socket);
      break;
    case sevWrite:
      Fire(OnWrite, this, &socket);
      break;
    case sevRead:
      Fire(OnRead, this, &socket);
      break;
  }
}

void TSocketComponent::HandleError(TAsyncSocket& socket, TErrorEvent error_event, int32_t& code) {
  if (OnError) OnError(this, &socket, error_event, code);
}
