#include "fakes/FakeConnectionView.h"

namespace {
const char* ControlName(ConnectionControl control) {
  switch (control) {
    case ConnectionControl::ConnectButton:
      return "ConB";
    case ConnectionControl::DisconnectButton:
      return "DConB";
    case ConnectionControl::SendButton:
      return "SendB";
    case ConnectionControl::TransportList:
      return "SrvBox";
    case ConnectionControl::AddressBox:
      return "ADRL";
    case ConnectionControl::PortBox:
      return "PortED";
  }
  return "?";
}
}  // namespace

void FakeConnectionView::SetControlEnabled(ConnectionControl control, bool enabled) {
  enabled_[static_cast<int>(control)] = enabled;
  log_.Add(std::string(enabled ? "enable " : "disable ") + ControlName(control));
}
