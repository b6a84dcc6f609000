// The main window's wiring: the transports and the timer to the controller, the buttons to the
// controller, the pipeline and the transcript, and the settings in and out.
#include "shell/Unit1.h"

#include <algorithm>
#include <utility>

#include "core/Texts.h"
#include "shell/ShellTexts.h"
#include "shell/Skin.h"
#include "shell/StartupTimeline.h"
#include "shell/framework/Monitors.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner, UserFolders* folders)
    : TForm(owner), settings_(folders ? *folders : platform_folders_, files_) {
  MarkStartup(StartupStep::MainWindow);
  BuildLayout();
  SetIcons(LargeProgramIcon(), SmallProgramIcon());
  // The application window carries the taskbar button and the entry in Alt+Tab.
  if (Application) Application->SetIcons(LargeProgramIcon(), SmallProgramIcon());
  MarkStartup(StartupStep::MainWindowLayout);
  Timer1.SetInterval(ConnectionController::kPollIntervalMs);
  cs.SetHost(texts::kDefaultAddress);
  cs.SetPort(244);
  cs2.SetBlockingMode(TBlockingMode::bmNonBlocking);
  cs2.SetPort(0);
  WireEvents();
  ComponentsLoaded();
  MarkStartup(StartupStep::Components);
}

void TForm1::ComponentsLoaded() {
  TI.BeginLoading();
  TI.SetCycleInterval(0);
  TI.SetHint(shell_texts::kTrayHint);
  TI.SetIcon(SmallProgramIcon());
  TI.SetIconIndex(0);
  TI.EndLoading();
  OneProgram1.SwitchToPrevious = true;
  OneProgram1.BeginLoading();
  OneProgram1.EndLoading();
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::WireEvents() {
  using namespace std::placeholders;
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
  OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };

  ConB.OnClick = [this](TObject* sender) { ConBClick(sender); };
  DConB.OnClick = [this](TObject* sender) { DConBClick(sender); };
  SendB.OnClick = [this](TObject* sender) { SendBClick(sender); };
  BBut3.OnClick = [this](TObject* sender) { BBut3Click(sender); };
  BBut4.OnClick = [this](TObject* sender) { BBut4Click(sender); };
  Button2.OnClick = [this](TObject* sender) { Button2Click(sender); };
  ExitBtn.OnClick = [this](TObject* sender) { ExitBtnClick(sender); };
  BBut1.OnClick = [this](TObject* sender) { BBut1Click(sender); };
  BBut2.OnClick = [this](TObject* sender) { BBut2Click(sender); };
  BBut5.OnClick = [this](TObject* sender) { BBut5Click(sender); };
  BBut6.OnClick = [this](TObject* sender) { BBut6Click(sender); };
  TI.OnClick = [this](TObject* sender) { TIClick(sender); };

  const auto title_down = std::bind(&TForm1::TitleMouseDown, this, _1, _2, _3, _4, _5);
  const auto title_double = [this](TObject* sender) { TitleDblClick(sender); };
  for (TGraphicControl* part : std::initializer_list<TGraphicControl*>{&Image1, &Image2, &Image6,
                                                                       &Image7, &Label1, &Label2}) {
    part->OnMouseDown = title_down;
    part->OnDblClick = title_double;
  }
  const auto edge_down = std::bind(&TForm1::EdgeMouseDown, this, _1, _2, _3, _4, _5);
  for (TGraphicControl* edge :
       std::initializer_list<TGraphicControl*>{&Image4, &Image5, &Shape1, &Shape2}) {
    edge->OnMouseDown = edge_down;
  }

  const auto connect_key = std::bind(&TForm1::ConnectKeyDown, this, _1, _2, _3);
  ADRL.OnKeyDown = connect_key;
  SrvBox.OnKeyDown = connect_key;
  PortED.OnKeyDown = connect_key;
  MSG.OnKeyDown = std::bind(&TForm1::MSGKeyDown, this, _1, _2, _3);
  // The port box refuses the Enter character itself, with its beep.
  const auto enter_press = std::bind(&TForm1::EnterKeyPress, this, _1, _2);
  ADRL.OnKeyPress = enter_press;
  SrvBox.OnKeyPress = enter_press;
  MSG.OnKeyPress = enter_press;
  List.OnKeyDown = std::bind(&TForm1::ListKeyDown, this, _1, _2, _3);

  Timer1.OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
  cs.OnConnected = [this](TObject* sender) { csConnected(sender); };
  cs.OnDisconnected = [this](TObject* sender) { csDisconnected(sender); };
  cs2.OnConnect = [this](TObject* sender, TAsyncSocket*) { cs2Connect(sender); };
  cs2.OnDisconnect = [this](TObject* sender, TAsyncSocket*) { cs2Disconnect(sender); };
  cs2.OnRead = [this](TObject* sender, TAsyncSocket*) { cs2Read(sender); };
}

// --- settings ---------------------------------------------------------------------------------

void TForm1::FormCreate(TObject*) {
  SettingsRecord record = settings_.Load();
  SrvBox.SetFieldHeight(kTransportListHeight);
  ApplySettings(std::move(record));
  // After everything that could be read is shown.
  settings_.RaiseLoadFailure();
}

void TForm1::ApplySettings(SettingsRecord record) {
  ADRL.SetText(record.address);
  PortED.SetValue(record.port);
  SrvBox.SetItemIndex(record.transport_index);
  // A borderless window on no monitor could be neither seen nor dragged back.
  const ControlBounds place =
      VisiblePlace({record.left, record.top, std::max(record.client_width, kMinWidth),
                    std::max(record.client_height, kMinHeight)},
                   MonitorWorkAreas());
  SetBounds(place.left, Top(), Width(), Height());
  SetBounds(Left(), place.top, Width(), Height());
  SetClientHeight(place.height);
  SetClientWidth(place.width);
  if (record.address_history) ADRL.History().Replace(std::move(*record.address_history));
  if (record.message_history) MSG.History().Replace(std::move(*record.message_history));
}

SettingsRecord TForm1::BuildSettingsRecord() {
  SettingsRecord record;
  record.address = ADRL.Text();
  record.port = PortED.Value();
  record.transport_index = SrvBox.ItemIndex();
  record.left = Left();
  record.top = Top();
  record.client_height = ClientHeight();
  record.client_width = ClientWidth();
  record.address_history = ADRL.History().Entries();
  record.message_history = MSG.History().Entries();
  return record;
}

void TForm1::FormShow(TObject*) {
  MarkStartup(StartupStep::Shown);
  ADRL.SetFocus();
}

void TForm1::FormDestroy(TObject*) {
  settings_.Save(BuildSettingsRecord());
}

bool TForm1::WndProc(UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_QUERYENDSESSION:
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      // Logoff, shutdown or restart: the process ends soon after this returns, without the
      // destruction handlers, so the record is stored now (and again at a later normal exit if
      // the session goes on). Failures are reported by the window's catch point.
      if (wparam) settings_.Save(BuildSettingsRecord());
      result = 0;
      return true;
  }
  return false;
}

// --- buttons -----------------------------------------------------------------------------------

void TForm1::ConBClick(TObject*) {
  controller_.Connect();
}

void TForm1::DConBClick(TObject*) {
  controller_.Disconnect();
}

void TForm1::SendBClick(TObject*) {
  pipeline_.SendTyped();
}

void TForm1::BBut4Click(TObject*) {
  transcript_.Clear();
}

void TForm1::BBut3Click(TObject*) {
  SaveDialog1.InitialDir = WD.DocumentsFolder();
  SaveDialog1.Filter = shell_texts::kSaveFilter;
  SaveDialog1.FilterIndex = 1;
  SaveDialog1.DefaultExt.clear();
  SaveDialog1.OverwritePrompt = false;
  if (SaveDialog1.Execute(Handle())) transcript_.SaveTo(SaveDialog1.FileName);
}

void TForm1::Button2Click(TObject*) {
  if (AboutBox) AboutBox->ShowModal();
}

// --- the transports and the poll ----------------------------------------------------------------

void TForm1::Timer1Timer(TObject* sender) {
  if (poll_error_shown_) return;
  try {
    controller_.PollTick();
  } catch (...) {
    // Reported here rather than at the timer's own catch point only so that the ticks that
    // come while this box is open know it is open.
    poll_error_shown_ = true;
    ReportCaughtException(sender);
    poll_error_shown_ = false;
  }
}

void TForm1::csConnected(TObject*) {
  controller_.HandleConnected();
}
void TForm1::csDisconnected(TObject*) {
  controller_.HandleDisconnected();
}
void TForm1::cs2Connect(TObject*) {
  controller_.HandleConnected();
}
void TForm1::cs2Disconnect(TObject*) {
  controller_.HandleDisconnected();
}
void TForm1::cs2Read(TObject*) {
  controller_.HandleChunk();
}

// --- the controller's and the pipeline's view of the window ------------------------------------

TBBut& TForm1::ControlButton(ConnectionControl control) {
  switch (control) {
    case ConnectionControl::ConnectButton:
      return ConB;
    case ConnectionControl::DisconnectButton:
      return DConB;
    default:
      return SendB;
  }
}

TWinControl& TForm1::ControlWindow(ConnectionControl control) {
  switch (control) {
    case ConnectionControl::TransportList:
      return SrvBox;
    case ConnectionControl::AddressBox:
      return ADRL;
    default:
      return PortED;
  }
}

void TForm1::SetControlEnabled(ConnectionControl control, bool enabled) {
  switch (control) {
    case ConnectionControl::ConnectButton:
    case ConnectionControl::DisconnectButton:
    case ConnectionControl::SendButton:
      ControlButton(control).SetEnabled(enabled);
      break;
    default:
      ControlWindow(control).SetEnabled(enabled);
  }
}

void TForm1::FocusMessageBox() {
  MSG.SetFocus();
}
void TForm1::ShowKindLabel(const std::string& text) {
  SL1.SetCaption(text);
}
void TForm1::ShowEndpointLabel(const std::string& text) {
  SL2.SetCaption(text);
}
void TForm1::StartPollTimer() {
  Timer1.SetEnabled(true);
}
void TForm1::StopPollTimer() {
  Timer1.SetEnabled(false);
}

void TForm1::RepaintWindow() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  UpdateWindow(Handle());
}

std::string TForm1::AddressText() {
  return ADRL.Text();
}
int32_t TForm1::PortValue() {
  return PortED.Value();
}
int32_t TForm1::TransportIndex() {
  return SrvBox.ItemIndex();
}
HistoryList& TForm1::AddressHistory() {
  return ADRL.History();
}
std::string TForm1::MessageText() {
  return MSG.Text();
}
void TForm1::ClearMessageText() {
  MSG.SetText(std::string());
}
HistoryList& TForm1::MessageHistory() {
  return MSG.History();
}

std::optional<std::filesystem::path> TForm1::PickFileName() {
  if (!OpenD.Execute(Handle())) return std::nullopt;
  return OpenD.FileName;
}

void TForm1::RequestTerminate() {
  Application->Terminate();
}
