// The main window as the controller and the pipeline see it: records every call and serves
// the texts a test puts in.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/ConnectionController.h"
#include "core/HistoryList.h"
#include "core/OutgoingPipeline.h"
#include "fakes/CallLog.h"

class FakeConnectionView : public ConnectionView, public PipelineView {
 public:
  explicit FakeConnectionView(CallLog& log) : log_(log) {}

  // ConnectionView
  void SetControlEnabled(ConnectionControl control, bool enabled) override;
  void FocusMessageBox() override { log_.Add("focus MSG"); }
  void ShowKindLabel(const std::string& text) override {
    kind_label = text;
    log_.Add("SL1 " + text);
  }
  void ShowEndpointLabel(const std::string& text) override {
    endpoint_label = text;
    log_.Add("SL2 " + text);
  }
  void StartPollTimer() override {
    timer_running = true;
    log_.Add("timer start");
  }
  void StopPollTimer() override {
    timer_running = false;
    log_.Add("timer stop");
  }
  void RepaintWindow() override { log_.Add("repaint"); }
  std::string AddressText() override { return address; }
  int32_t PortValue() override { return port; }
  int32_t TransportIndex() override { return transport_index; }
  HistoryList& AddressHistory() override { return address_history; }

  // PipelineView
  std::string MessageText() override { return message; }
  void ClearMessageText() override {
    message.clear();
    log_.Add("clear MSG");
  }
  HistoryList& MessageHistory() override { return message_history; }
  std::optional<std::filesystem::path> PickFileName() override {
    log_.Add("open dialog");
    return picked_file;
  }
  void RequestTerminate() override {
    terminate_requested = true;
    log_.Add("terminate");
  }

  // Enabled state of each control, by ConnectionControl.
  bool Enabled(ConnectionControl control) const { return enabled_[static_cast<int>(control)]; }

  std::string address = "localhost";
  int32_t port = 243;
  int32_t transport_index = 0;
  std::string message;
  std::optional<std::filesystem::path> picked_file;
  std::string kind_label;
  std::string endpoint_label;
  bool timer_running = true;
  bool terminate_requested = false;
  HistoryList address_history;
  HistoryList message_history;

 private:
  CallLog& log_;
  // Idle at start: connect, transport list, address and port enabled.
  bool enabled_[6] = {true, false, false, true, true, true};
};
