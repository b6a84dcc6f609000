#include "fakes/FakeTransports.h"

void FakeLineTransport::Open() {
  log_.Add("cs.Open " + host_ + ":" + std::to_string(port_));
  if (open_behaviour) {
    open_behaviour();
    return;
  }
  open = true;
  if (on_connected) on_connected();
}

void FakeLineTransport::Close() {
  log_.Add("cs.Close");
  if (!open) return;
  open = false;
  if (on_disconnected) on_disconnected();
}

std::string FakeLineTransport::ReadLine(const std::string& terminator, int32_t timeoutMs) {
  log_.Add("cs.ReadLine \"" + terminator + "\" " + std::to_string(timeoutMs));
  if (read_behaviour) read_behaviour();
  if (lines.empty()) return std::string();
  std::string line = lines.front();
  lines.pop_front();
  return line;
}

void FakeLineTransport::WriteLine(const std::string& text) {
  log_.Add("cs.WriteLine " + text);
  if (write_behaviour) write_behaviour();
  written.push_back(text + "\r\n");
}

void FakeEventTransport::SetHost(const std::string& host) {
  // As the real component: a host that differs only in the case of a..z keeps the stored text.
  bool same = host.size() == host_.size();
  for (size_t i = 0; same && i < host.size(); ++i) {
    char a = host[i], b = host_[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
    same = a == b;
  }
  if (!same) host_ = host;
}

void FakeEventTransport::SetActive(bool value) {
  log_.Add(std::string("cs2.Active ") + (value ? "true" : "false"));
  if (active_behaviour) active_behaviour(value);
}

std::string_view FakeEventTransport::ReceiveString() {
  log_.Add("cs2.ReceiveString");
  received.clear();
  if (chunks.empty()) return received;
  received = chunks.front();
  chunks.pop_front();
  return received;
}

int32_t FakeEventTransport::SendString(const std::string& text) {
  log_.Add("cs2.SendString " + text);
  if (send_behaviour) send_behaviour();
  sent.push_back(text);
  return static_cast<int32_t>(text.size());
}
