// What the window benchmarks share: a loopback listener for their peer, on a port the system
// chooses, and the real main window with its settings in a scratch folder of its own.
#pragma once

#include <winsock2.h>

#include <filesystem>
#include <string>

#include "bench/BenchFolders.h"
#include "shell/Unit1.h"

// Starts Windows Sockets and listens on 127.0.0.1; port receives the chosen port (host order).
inline SOCKET ListenOnLoopback(unsigned short& port) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 1);
  int length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return listener;
}

// The main window, shown, with its settings in a scratch folder that goes with it.
class BenchWindow {
 public:
  explicit BenchWindow(const char* name)
      : folder_(std::filesystem::temp_directory_path() / name),
        folders_((std::filesystem::create_directories(folder_), folder_)) {
    app.SetTitle("ZIRK-bench");
    form = app.CreateForm<TForm1>(&app, &folders_);
    form->Show();
  }
  ~BenchWindow() {
    app.DestroyForms();
    std::filesystem::remove_all(folder_);
    WSACleanup();
  }

  // Connects to the peer on 127.0.0.1 with the transport at index kind of the list.
  void Connect(unsigned short port, int kind) {
    form->ADRL.SetText("127.0.0.1");
    form->PortED.SetValue(port);
    form->SrvBox.SetItemIndex(kind);
    form->ConB.Click();
  }

 private:
  std::filesystem::path folder_;
  BenchFolders folders_;

 public:
  TApplication app;
  TForm1* form = nullptr;
};
