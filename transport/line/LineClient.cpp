#include "transport/line/LineClient.h"

#include "platform/Sockets.h"
#include "transport/line/NetErrors.h"
#include "transport/line/SocketStack.h"

void TLineClient::NotifyConnected() {
  Fire(OnConnected, this);
}

void TLineClient::Open() {
  if (Link().Allocated()) throw EAlreadyConnected();
  ResetState();
  Link().CreateSocket(sockets::kStream, 0);
  try {
    Connect();
  } catch (...) {
    // The guard: close what was opened (reporting the disconnect), keep the first error.
    try {
      Close();
    } catch (...) {
    }
    throw;
  }
  ReportStatus(TLineStatus::stConnected, Link().RemoteIP());
  NotifyConnected();
}

void TLineClient::Connect() {
  TSocketHandle& link = Link();
  link.SetIP(bound_ip_);
  link.BindLocal();
  link.ReadLocal();
  if (!TSocketStack::IsDottedQuad(host_)) ReportStatus(TLineStatus::stResolving, host_);
  link.SetRemote(Stack().LookupHost(host_), port_);
  if (!use_nagle_) Stack().SetOption(link.Socket(), sockets::kProtocolTcp, sockets::kTcpNoDelay, 1);
  ReportStatus(TLineStatus::stConnecting, link.RemoteIP());
  link.ConnectRemote();
  link.ReadLocal();
  link.ReadRemote();
}
