// Stands in for the shell's notification area while it lives: records every request the icons
// make, with the record's bytes, and answers as the shell does (an add of a present icon, or a
// change, version or delete of an absent one, is refused). Windows only.
#pragma once

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "shell/TrayIcon.h"

struct TrayRequest {
  DWORD message = 0;
  TNotifyIconDataA data{};
  std::string bytes;  // the record as handed over, cbSize bytes
  bool accepted = false;

  std::string Tip() const { return data.szTip; }
};

class FakeTrayShell {
 public:
  FakeTrayShell()
      : previous_(SetTrayNotifier([this](DWORD message, const TNotifyIconDataA& data) {
          return Notify(message, data);
        })) {}
  ~FakeTrayShell() { SetTrayNotifier(std::move(previous_)); }
  FakeTrayShell(const FakeTrayShell&) = delete;
  FakeTrayShell& operator=(const FakeTrayShell&) = delete;

  std::vector<TrayRequest> requests;
  std::set<std::pair<HWND, UINT>> present;

  std::vector<DWORD> Messages() const {
    std::vector<DWORD> messages;
    for (const TrayRequest& request : requests) messages.push_back(request.message);
    return messages;
  }
  size_t Count(DWORD message) const {
    return static_cast<size_t>(
        std::count_if(requests.begin(), requests.end(),
                      [message](const TrayRequest& r) { return r.message == message; }));
  }
  const TrayRequest& Last() const { return requests.back(); }

 private:
  bool Notify(DWORD message, const TNotifyIconDataA& data) {
    const std::pair<HWND, UINT> key{data.hWnd, data.uID};
    bool accepted = false;
    switch (message) {
      case NIM_ADD:
        accepted = present.insert(key).second;
        break;
      case NIM_DELETE:
        accepted = present.erase(key) > 0;
        break;
      default:
        accepted = present.count(key) > 0;
    }
    requests.push_back(
        {message, data, std::string(reinterpret_cast<const char*>(&data), data.cbSize), accepted});
    return accepted;
  }

  TrayNotifier previous_;
};
