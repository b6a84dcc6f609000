// The main window in-process, under Wine: its controls and their states, the controller's work
// seen through it with loopback peers, the key bindings, and the settings in and out.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "core/Cp1251.h"
#include "fakes/FakeSockets.h"
#include "support/LoopbackPeer.h"
#include "transport/Texts.h"
#include "win32/MainWindowFixture.h"

namespace {

using namespace transport_texts;

using cp1251::FromUtf8;

const std::string kSeparator(100, '/');

// The characters that reached the native procedure of the system's edit fields and combo boxes
// created while it lives: a recorder is put in front of their class procedures.
class NativeCharacters {
 public:
  NativeCharacters() {
    for (Class& kind : Classes()) {
      kind.sample = CreateWindowExW(0, kind.name, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    nullptr, nullptr);
      kind.original = reinterpret_cast<WNDPROC>(
          SetClassLongPtrW(kind.sample, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record)));
    }
  }
  ~NativeCharacters() {
    for (Class& kind : Classes()) {
      SetClassLongPtrW(kind.sample, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(kind.original));
      DestroyWindow(kind.sample);
    }
    Seen().clear();
  }
  static std::wstring At(HWND window) { return Seen()[window]; }

 private:
  struct Class {
    const wchar_t* name;
    HWND sample;
    WNDPROC original;
  };
  static std::array<Class, 2>& Classes() {
    static std::array<Class, 2> classes{
        {{L"Edit", nullptr, nullptr}, {L"ComboBox", nullptr, nullptr}}};
    return classes;
  }
  static std::map<HWND, std::wstring>& Seen() {
    static std::map<HWND, std::wstring> characters;
    return characters;
  }
  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CHAR) Seen()[window] += static_cast<wchar_t>(wparam);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    const Class& kind = Classes()[lstrcmpiW(name, L"Edit") == 0 ? 0 : 1];
    return CallWindowProcW(kind.original, window, message, wparam, lparam);
  }
};

TEST_F(MainWindowTest, StartsIdleWithTheDefaultsOfAFirstRun) {
  TForm1& window = Create();
  EXPECT_EQ(window.Caption(), shell_texts::kMainCaption);
  EXPECT_EQ(window.Left(), 150);
  EXPECT_EQ(window.Top(), 150);
  EXPECT_EQ(window.ClientWidth(), 566);
  EXPECT_EQ(window.ClientHeight(), 417);
  EXPECT_EQ(window.ADRL.Text(), "localhost");
  EXPECT_EQ(window.PortED.Value(), 243);
  EXPECT_EQ(window.SrvBox.ItemIndex(), 0);
  EXPECT_EQ(window.SrvBox.FieldHeight(), 23);
  EXPECT_EQ(window.MSG.Text(), "");
  EXPECT_EQ(window.Label1.Caption(), shell_texts::kTitle);
  EXPECT_EQ(window.Timer1.Interval(), ConnectionController::kPollIntervalMs);
  EXPECT_TRUE(window.Timer1.Enabled());
  ExpectIdle();
  EXPECT_EQ(GetFocus(), KeyTarget(window.ADRL));
  EXPECT_EQ(Text(), "");
  for (HWND shown : {window.Handle(), app.Handle()}) {
    for (WPARAM size : {ICON_BIG, ICON_SMALL}) {
      EXPECT_NE(SendMessageW(shown, WM_GETICON, size, 0), 0) << size;
    }
  }
}

TEST_F(MainWindowTest, TheTransportListOffersTheKindsInTheirOrder) {
  TForm1& window = Create();
  const std::vector<std::string> names = TransportKindNames();
  for (size_t kind = 0; kind <= names.size(); ++kind) {
    window.SrvBox.SetItemIndex(static_cast<int>(kind));
    EXPECT_EQ(window.SrvBox.Text(), kind < names.size() ? names[kind] : "") << kind;
  }
}

TEST_F(MainWindowTest, LineTransportConnectChatAndPeerClose) {
  Create();
  LoopbackPeer peer;
  ConnectTo(peer.Port(), 0);
  ASSERT_TRUE(peer.Accept());
  ExpectConnected();
  EXPECT_EQ(form->SL1.Caption(), "TCP/IP Server");
  const std::string endpoint = "127.0.0.1:" + std::to_string(peer.Port());
  EXPECT_EQ(form->SL2.Caption(), endpoint);
  EXPECT_EQ(Text(), "!// " + FromUtf8("Установлено соединение с ") + endpoint +
                        " (TCP/IP Server);\r\n\r\n");

  peer.Send("first\r\n@skip\r\nsecond\r\n");
  ASSERT_TRUE(WaitText("> second\r\n"));
  EXPECT_EQ(Text().find("skip"), std::string::npos);

  form->MSG.SetText(FromUtf8("Привет"));
  PressKey(KeyTarget(form->MSG), VK_RETURN);
  EXPECT_EQ(peer.Receive(8), FromUtf8("Привет") + "\r\n");
  EXPECT_NE(Text().find("# " + FromUtf8("Привет") + "\r\n"), std::string::npos);
  EXPECT_EQ(form->MSG.Text(), "");
  EXPECT_EQ(form->MSG.History().Entries(), std::vector<std::string>{FromUtf8("Привет")});

  ErrorBoxWatcher boxes;
  peer.Close();
  ASSERT_TRUE(PumpUntil([&] { return !boxes.seen.empty(); }));
  EXPECT_EQ(boxes.seen[0].text, kConnClosedGracefully);
  ExpectIdle();
  EXPECT_NE(Text().find("\r\n!// " + FromUtf8("Разорвано соединение с ") + endpoint +
                        " (TCP/IP Server);\r\n\r\n" + kSeparator + "\r\n\r\n"),
            std::string::npos);
}

TEST_F(MainWindowTest, EventTransportConnectChunkAndDisconnect) {
  Create();
  LoopbackPeer peer;
  ConnectTo(peer.Port(), 1);
  // The connect runs from the event loop.
  ASSERT_TRUE(PumpUntil([&] { return peer.Accept(0); }));
  ASSERT_TRUE(PumpUntil([&] { return form->DConB.Enabled(); }));
  ExpectConnected();
  EXPECT_EQ(form->SL1.Caption(), "Server Socket");
  peer.Send("one\r\ntwo");
  ASSERT_TRUE(WaitText("> one\r\ntwo\r\n"));
  form->MSG.SetText("raw");
  form->SendB.Click();
  EXPECT_EQ(peer.Receive(3), "raw");
  form->DConB.Click();
  ExpectIdle();
  EXPECT_TRUE(peer.WaitForClose());
}

TEST_F(MainWindowTest, RefusedConnectShowsTheBoxAndTheIdleBanner) {
  Create();
  ErrorBoxWatcher boxes;
  ConnectTo(LoopbackPeer::RefusedPort(), 0);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.seen.empty(); }));
  EXPECT_EQ(boxes.seen[0].caption, title);
  EXPECT_EQ(boxes.seen[0].text, SocketErrorMessage(10061));
  EXPECT_EQ(Text(), "\r\n!// " + FromUtf8("Разорвано соединение с ") + " (" +
                        FromUtf8("Нет соединения") + ");\r\n\r\n" + kSeparator + "\r\n\r\n");
  ExpectIdle();
  EXPECT_EQ(form->Controller().TransportKind(), 3);
  EXPECT_EQ(form->ADRL.History().Entries(), std::vector<std::string>{"127.0.0.1"});
}

// A receive failure that leaves the connection up (no buffer space) fails every tick again.
TEST_F(MainWindowTest, ARepeatingPollErrorOpensOneBoxAtATime) {
  FakeNetwork network;
  network.end = FakeNetwork::End::Failed;
  network.end_error = wsa::kENOBUFS;
  FakeSocketsScope fake(network);
  Create();
  ConnectTo(7, 0);
  ExpectConnected();
  ErrorBoxWatcher boxes;
  // The first box stays open for three more ticks; later ones are pressed at once.
  ULONGLONG release_at = 0;
  size_t boxes_while_open = 0;
  boxes.on_seen = [&](const SeenBox&) {
    if (!release_at) release_at = GetTickCount64() + 1600;
  };
  boxes.hold = [&] {
    if (GetTickCount64() < release_at) return true;
    if (!boxes_while_open) boxes_while_open = boxes.seen.size();
    return false;
  };
  ASSERT_TRUE(PumpUntil([&] { return boxes.seen.size() >= 2; }, 8000));
  EXPECT_EQ(boxes_while_open, 1u);
  EXPECT_EQ(boxes.seen[0].text, SocketErrorMessage(wsa::kENOBUFS));
  ExpectConnectedControls();
  form->DConB.Click();
  // The window goes before the fake network it uses.
  app.DestroyForms();
}

TEST_F(MainWindowTest, EnterInTheMessageBoxSendsOnlyWhenConnected) {
  Create();
  form->MSG.SetText("nobody");
  PressKey(KeyTarget(form->MSG), VK_RETURN);
  EXPECT_EQ(form->MSG.Text(), "nobody");
  EXPECT_EQ(form->MSG.History().Size(), 0u);
  EXPECT_EQ(Text(), "");
}

TEST_F(MainWindowTest, TabGoesRoundTheFieldsAndNeitherTabNorABoundEnterReachesThem) {
  NativeCharacters native;
  Create();
  int connects = 0;
  form->ConB.OnClick = [&](TObject*) { ++connects; };
  const std::vector<HWND> order{KeyTarget(form->ADRL), form->SrvBox.Handle(), form->PortED.Handle(),
                                KeyTarget(form->MSG)};
  for (size_t i = 1; i <= order.size(); ++i) {
    TypeKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), order[i % order.size()]) << i;
  }
  // An edit field reached by Tab has its text selected.
  DWORD start = 1, end = 0;
  SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u);  // "localhost"
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  for (size_t i = order.size(); i-- > 0;) {
    TypeKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), order[i]) << i;
  }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);

  // Enter does its work on the key-down; of the fields it is bound in, only the port box sees
  // its character, which it refuses with a beep.
  for (HWND field : {order[0], order[1], order[3]}) {
    TypeKey(field, VK_RETURN);
    TypeKey(field, 'A');
  }
  EXPECT_EQ(connects, 2);
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(NativeCharacters::At(order[i]), i == 2 ? L"" : L"a") << i;
  }
  // Up and Down still step through the address history.
  form->ADRL.History().AddUnique("a.example");
  form->ADRL.History().AddUnique("b.example");
  form->ADRL.SetText("a.example");
  TypeKey(order[0], VK_DOWN);
  EXPECT_EQ(form->ADRL.Text(), "b.example");
}

TEST_F(MainWindowTest, EnterConnectsFromTheConnectionRowAndF1AsksForTheAboutBox) {
  Create();
  int connects = 0;
  int abouts = 0;
  form->ConB.OnClick = [&](TObject*) { ++connects; };
  form->Button2.OnClick = [&](TObject*) { ++abouts; };
  for (TWinControl* control :
       std::initializer_list<TWinControl*>{&form->ADRL, &form->SrvBox, &form->PortED}) {
    PressKey(KeyTarget(*control), VK_RETURN);
  }
  EXPECT_EQ(connects, 3);
  for (TWinControl* control : std::initializer_list<TWinControl*>{
           &form->ADRL, &form->SrvBox, &form->PortED, &form->MSG, &form->List}) {
    PressKey(KeyTarget(*control), VK_F1);
  }
  PressKey(form->Handle(), VK_F1);
  EXPECT_EQ(abouts, 6);
}

TEST_F(MainWindowTest, AppliesStoredSettingsAtCreation) {
  WriteBytes(dir.Native("zirk.ini"),
             "[last]\r\nadr=stored.example\r\nport=0x1F4\r\ntype=1\r\n"
             "[mainform]\r\nleft=40\r\ntop=30\r\nheight=100\r\nwidth=700\r\n");
  WriteBytes(dir.Native("ZIRK_adrs.ini"), "b.example\nA.example\n");
  WriteBytes(dir.Native("ZIRK_msgs.ini"), "");
  TForm1& window = Create();
  EXPECT_EQ(window.ADRL.Text(), "stored.example");
  EXPECT_EQ(window.PortED.Value(), 500);
  EXPECT_EQ(window.SrvBox.ItemIndex(), 1);
  EXPECT_EQ(window.Left(), 40);
  EXPECT_EQ(window.Top(), 30);
  EXPECT_EQ(window.ClientWidth(), 700);
  EXPECT_EQ(window.ClientHeight(), 250);  // the minimum size still applies
  EXPECT_EQ(window.ADRL.History().Entries(), (std::vector<std::string>{"A.example", "b.example"}));
  // Replacing the list kept the address box's text.
  EXPECT_EQ(window.ADRL.Text(), "stored.example");
}

TEST_F(MainWindowTest, AnOutOfRangeStoredTransportSelectsNothingAndConnectsNothing) {
  WriteBytes(dir.Native("zirk.ini"), "[last]\r\ntype=5\r\n");
  Create();
  EXPECT_EQ(form->SrvBox.ItemIndex(), -1);
  form->ConB.Click();
  EXPECT_EQ(form->Controller().TransportKind(), -1);
  ExpectIdle();
}

TEST_F(MainWindowTest, StoresTheSettingsAtDestructionByteForByte) {
  Create();
  form->ADRL.SetText(FromUtf8("сервер"));
  form->PortED.SetValue(8080);
  form->SrvBox.SetItemIndex(1);
  form->SetBounds(20, 25, 600, 300);
  form->ADRL.History().AddUnique("zeta");
  form->ADRL.History().AddUnique("Alpha");
  form->MSG.History().AddUnique("hello");
  app.DestroyForms();
  EXPECT_EQ(ReadBytes(dir.Native("zirk.ini")),
            "[last]\r\nadr=" + FromUtf8("сервер") +
                "\r\nport=8080\r\ntype=1\r\n[mainform]\r\nleft=20\r\ntop=25\r\nheight=300\r\n"
                "width=600\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_adrs.ini")), "Alpha\r\nzeta\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_msgs.ini")), "hello\r\n");
}

TEST_F(MainWindowTest, ExitWhileMaximisedStoresTheNormalPlace) {
  Create();
  form->SetBounds(60, 70, 600, 400);
  form->SetWindowState(TWindowState::wsMaximized);
  PumpPending();
  form->ExitBtn.Click();
  PumpUntil([&] { return app.Terminated(); }, 2000);
  app.DestroyForms();
  const std::string ini = ReadBytes(dir.Native("zirk.ini"));
  EXPECT_NE(ini.find("[mainform]\r\nleft=60\r\ntop=70\r\nheight=400\r\nwidth=600\r\n"),
            std::string::npos)
      << ini;
}

TEST_F(MainWindowTest, HistoryKeepsTheFirstSpellingOfAnAddress) {
  Create();
  form->ADRL.SetText("LocalHost");
  form->SrvBox.SetItemIndex(-1);
  form->ConB.Click();
  form->ADRL.SetText("localhost");
  form->ConB.Click();
  EXPECT_EQ(form->ADRL.History().Entries(), std::vector<std::string>{"LocalHost"});
  EXPECT_EQ(form->ADRL.Text(), "localhost");
}

TEST_F(MainWindowTest, CannotBeMadeSmallerThanItsMinimum) {
  Create();
  form->SetBounds(10, 10, 100, 100);
  EXPECT_EQ(form->Width(), 566);
  EXPECT_EQ(form->Height(), 250);
  MINMAXINFO info{};
  SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 566);
  EXPECT_EQ(info.ptMinTrackSize.y, 250);
}

}  // namespace
