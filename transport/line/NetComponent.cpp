// One stack per process, counted by its users, as everything runs on the GUI thread.
#include "transport/line/NetComponent.h"

#include "core/Format.h"
#include "transport/Texts.h"
#include "transport/line/SocketStack.h"

namespace {

std::unique_ptr<TSocketStack> g_stack;
int g_users = 0;

SocketsFactory& Source() {
  static SocketsFactory source = NewSystemSockets;
  return source;
}

}  // namespace

std::string_view LineStatusPattern(TLineStatus status) {
  using namespace transport_texts;
  static constexpr const char* kPatterns[] = {kStatusResolving,    kStatusConnecting,
                                              kStatusConnected,    kStatusDisconnecting,
                                              kStatusDisconnected, kStatusText};
  return kPatterns[static_cast<int>(status)];
}

TNetComponent::TNetComponent(TComponent* owner) : TNetBaseComponent(owner) {
  if (!g_stack) g_stack = std::make_unique<TWinsockStack>(Source()(nullptr, nullptr));
  ++g_users;
}

TNetComponent::~TNetComponent() {
  if (--g_users == 0) g_stack.reset();
}

void TNetComponent::ReportStatus(TLineStatus status, const std::string& argument) {
  if (!OnStatus) return;
  OnStatus(this, status, Format(LineStatusPattern(status), {argument}));
}

TSocketStack& TNetComponent::Stack() const {
  return *g_stack;
}

TSocketStack* SocketStack() {
  return g_stack.get();
}

int StackUsers() {
  return g_users;
}

SocketsFactory SetSocketsSource(SocketsFactory source) {
  SocketsFactory previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}
