// The bases of the line components: the status and progress callbacks, and the process-wide
// socket stack that lives as long as any component does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/Component.h"
#include "platform/Sockets.h"

class TSocketStack;

enum class TLineStatus {
  stResolving = 0,
  stConnecting = 1,
  stConnected = 2,
  stDisconnecting = 3,
  stDisconnected = 4,
  stText = 5
};

// The pattern of a status (transport_texts::kStatus...), formatted with the one argument of its
// report.
std::string_view LineStatusPattern(TLineStatus status);

using TLineStatusEvent =
    std::function<void(TObject* Sender, TLineStatus Status, const std::string& StatusText)>;

enum class TWorkMode { wmRead, wmWrite };
using TWorkEvent = std::function<void(TObject* Sender, TWorkMode WorkMode, int64_t WorkCount)>;
using TWorkBeginEvent =
    std::function<void(TObject* Sender, TWorkMode WorkMode, int64_t WorkCountMax)>;
using TWorkEndEvent = std::function<void(TObject* Sender, TWorkMode WorkMode)>;

class TNetBaseComponent : public TComponent {
 public:
  using TComponent::TComponent;
};

// Constructing one creates the process-wide stack when there is none and counts one user;
// destroying the last user destroys the stack. Construction raises the stack's start-up
// errors. Used on the GUI thread only.
class TNetComponent : public TNetBaseComponent {
 public:
  explicit TNetComponent(TComponent* owner = nullptr);
  ~TNetComponent() override;

  // Progress callbacks: line reads and writes never open a work phase, so they never run.
  TWorkEvent OnWork;
  TWorkBeginEvent OnWorkBegin;
  TWorkEndEvent OnWorkEnd;
  TLineStatusEvent OnStatus;

 protected:
  // Formats the status's pattern with argument and calls OnStatus; nothing when it is unset.
  void ReportStatus(TLineStatus status, const std::string& argument);
  TSocketStack& Stack() const;
};

// The process-wide stack and its count of users (null and 0 while no component exists).
TSocketStack* SocketStack();
int StackUsers();

// Where a new stack takes its sockets from (it makes them without a receiver of notifications);
// the system's by default. Change it only while no component exists (tests replace the platform
// this way). Returns the previous source.
SocketsFactory SetSocketsSource(SocketsFactory source);
