// TForm1, the main window: the connection row, the transcript, the message line, the command
// buttons, the status line and the skinned, borderless frame. It holds no logic of its own
// beyond wiring: commands go to the connection controller, the outgoing pipeline, the
// transcript and the settings store; the transports' notifications and the poll timer's ticks
// go to the controller.
#pragma once

#include <optional>
#include <string>

#include "core/ConnectionController.h"
#include "core/OutgoingPipeline.h"
#include "core/SettingsStore.h"
#include "core/Transcript.h"
#include "platform/Files.h"
#include "shell/BevLab.h"
#include "shell/Dir.h"
#include "shell/OneProgram.h"
#include "shell/TrayIcon.h"
#include "shell/controls/DropDownList.h"
#include "shell/controls/FileDialogs.h"
#include "shell/controls/Hints.h"
#include "shell/controls/HistoryComboBox.h"
#include "shell/controls/SpinEdit.h"
#include "shell/controls/TranscriptView.h"
#include "shell/framework/Form.h"
#include "shell/framework/GraphicControls.h"
#include "shell/framework/Timer.h"
#include "shell/logic/WindowChrome.h"
#include "transport/event/EventClient.h"
#include "transport/line/LineClient.h"

class TForm1 : public TForm, public ConnectionView, public PipelineView {
 public:
  static constexpr int kMinWidth = 566;
  static constexpr int kMinHeight = 250;
  static constexpr int kTransportListHeight = 23;

  // folders: where the settings live; the platform's own user folders when null.
  explicit TForm1(TComponent* owner = Application, UserFolders* folders = nullptr);
  ~TForm1() override;

  // The About box that Button2 and F1 show; none until the program creates it.
  TForm* AboutBox = nullptr;

  // Handlers, named after the control and the event.
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void ConBClick(TObject* Sender);
  void DConBClick(TObject* Sender);
  void SendBClick(TObject* Sender);
  void BBut3Click(TObject* Sender);
  void BBut4Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void ExitBtnClick(TObject* Sender);
  void BBut1Click(TObject* Sender);
  void BBut2Click(TObject* Sender);
  void BBut5Click(TObject* Sender);
  void BBut6Click(TObject* Sender);
  void TIClick(TObject* Sender);
  void TitleMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void TitleDblClick(TObject* Sender);
  void EdgeMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ConnectKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void MSGKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void EnterKeyPress(TObject* Sender, char& Key);
  void ListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Timer1Timer(TObject* Sender);
  void csConnected(TObject* Sender);
  void csDisconnected(TObject* Sender);
  void cs2Connect(TObject* Sender);
  void cs2Disconnect(TObject* Sender);
  void cs2Read(TObject* Sender);

  // ConnectionView and PipelineView.
  void SetControlEnabled(ConnectionControl control, bool enabled) override;
  void FocusMessageBox() override;
  void ShowKindLabel(const std::string& text) override;
  void ShowEndpointLabel(const std::string& text) override;
  void StartPollTimer() override;
  void StopPollTimer() override;
  void RepaintWindow() override;
  std::string AddressText() override;
  int32_t PortValue() override;
  int32_t TransportIndex() override;
  HistoryList& AddressHistory() override;
  std::string MessageText() override;
  void ClearMessageText() override;
  HistoryList& MessageHistory() override;
  std::optional<std::filesystem::path> PickFileName() override;
  void RequestTerminate() override;

  // The core of the window, for tests.
  Transcript& TheTranscript() { return transcript_; }
  ConnectionController& Controller() { return controller_; }
  OutgoingPipeline& Pipeline() { return pipeline_; }
  SettingsStore& Settings() { return settings_; }

  // The window's place to store: from the window as it is now.
  SettingsRecord BuildSettingsRecord();
  void ApplySettings(SettingsRecord record);

 protected:
  // The session's end (logoff, shutdown, restart) stores the settings.
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  // Settings and files come first: the controls and transports below use them.
  PlatformFileSystem files_;
  PlatformUserFolders platform_folders_;
  SettingsStore settings_;
  Transcript transcript_{files_};

 public:
  // The window's controls and components, in the order the window holds them (back to front).
  TImage Image1{this}, Image6{this}, Image7{this}, Image2{this};
  TLabel Label2{this}, Label1{this};
  TBBut BBut6{this}, BBut1{this}, BBut5{this}, BBut2{this};
  THistoryComboBox ADRL{this};
  TDropDownList SrvBox{this};
  TSpinEdit PortED{this};
  TBBut ConB{this}, DConB{this};
  TBBut BBut3{this}, BBut4{this}, Button2{this}, ExitBtn{this};
  TTranscriptView List{this};
  TImage Image4{this}, Image5{this}, Image3{this}, Image8{this}, Image9{this};
  THistoryComboBox MSG{this};
  TBBut SendB{this};
  TLabel SL1{this}, SL2{this};
  TShape Shape2{this}, Shape1{this};
  TOpenDialog OpenD{this};
  TSaveDialog SaveDialog1{this};
  TLineClient cs{this};
  TEventClient cs2{this};
  TTimer Timer1{this};
  TDir WD{this, settings_};
  TTrayIcon TI{this};
  TOneProgram OneProgram1{this};

 private:
  void BuildLayout();
  void BuildTitle();
  void BuildButtons();
  void BuildConnectionRow();
  void BuildBottom();
  void BuildHints();
  void WireEvents();
  // The stored description has been read: the non-visual components act on their final values.
  void ComponentsLoaded();
  void StartChromeCommand(ChromePart part);
  void ToggleMaximised();
  TBBut& ControlButton(ConnectionControl control);
  TWinControl& ControlWindow(ConnectionControl control);

  ConnectionController controller_{*this, transcript_, cs, cs2};
  OutgoingPipeline pipeline_{*this, transcript_, controller_, cs, cs2};
  THints hints_{*this};
  // A poll that failed has its error box open: later ticks skip the poll until it closes, so
  // an error that repeats on every tick does not stack box upon box.
  bool poll_error_shown_ = false;
};

extern TForm1* Form1;
