// The published settings of the event-driven transport, its start-up and clean-up, and the
// client type.
#include "transport/Texts.h"
#include "unit/EventClientFixture.h"

namespace {

using namespace transport_texts;

using EventClientSettings = EventClientFixture;

TEST_F(EventClientSettings, StartsIdleWithTheStoredDefaults) {
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(client.Port(), 0);
  EXPECT_EQ(client.Host(), "");
  EXPECT_EQ(client.Address(), "");
  EXPECT_EQ(client.Service(), "");
  EXPECT_EQ(client.BlockingMode(), bmNonBlocking);
  EXPECT_EQ(client.Socket().NotifyMask(), 0x33);
  EXPECT_EQ(client.Socket().Handle(), kInvalidSocket);
  EXPECT_FALSE(client.Socket().Connected());
  EXPECT_EQ(client.Socket().Lookup(), lookupIdle);
}

struct TextSetter {
  const char* name;
  void (TSocketComponentBase::*set)(const std::string&);
  const std::string& (TSocketComponentBase::*get)() const;
};

const TextSetter kTextSetters[] = {
    {"Host", &TSocketComponentBase::SetHost, &TSocketComponentBase::Host},
    {"Address", &TSocketComponentBase::SetAddress, &TSocketComponentBase::Address},
    {"Service", &TSocketComponentBase::SetService, &TSocketComponentBase::Service},
};

TEST_F(EventClientSettings, TextsDifferingOnlyInTheCaseOfLatinLettersKeepTheStoredText) {
  TSocketComponentBase& base = client;
  struct Case {
    std::string first, second, kept;
  };
  const Case cases[] = {
      {"LocalHost", "localhost", "LocalHost"},
      {"example.ORG", "EXAMPLE.org", "example.ORG"},
      {"a-b_c", "A-B_C", "a-b_c"},
      // Cyrillic letters in another case are another text (А and а in Windows-1251).
      {"\xC0\xC1", "\xE0\xE1", "\xE0\xE1"},
      // Only a..z fold: "[" and "{" are not the same letter in other case.
      {"[", "{", "{"},
      {"host", "host2", "host2"},
  };
  for (const TextSetter& setter : kTextSetters) {
    for (const Case& c : cases) {
      (base.*setter.set)(c.first);
      (base.*setter.set)(c.second);
      EXPECT_EQ((base.*setter.get)(), c.kept) << setter.name << " " << c.first;
    }
  }
}

TEST_F(EventClientSettings, ChangingASettingWhileActiveRaisesAndAnEqualValueDoesNot) {
  Connect(7);
  TSocketComponentBase& base = client;
  for (const TextSetter& setter : kTextSetters) {
    std::string stored = (base.*setter.get)();
    std::string upper = stored;
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    EXPECT_EQ(Raised([&] { (base.*setter.set)(upper); }), "") << setter.name;
    EXPECT_EQ(Raised([&] { (base.*setter.set)(stored + "x"); }), kCantChangeWhileActive)
        << setter.name;
    EXPECT_EQ((base.*setter.get)(), stored);
  }
  EXPECT_EQ(Raised([&] { client.SetPort(7); }), "");
  EXPECT_EQ(Raised([&] { client.SetPort(8); }), kCantChangeWhileActive);
  EXPECT_EQ(client.Port(), 7);
  EXPECT_EQ(Raised([&] { client.SetBlockingMode(bmBlocking); }), kCantChangeWhileActive);
  EXPECT_EQ(client.BlockingMode(), bmNonBlocking);
}

TEST_F(EventClientSettings, WhileLoadingValuesAreOnlyStoredAndLoadedAppliesActive) {
  client.BeginLoading();
  client.SetActive(true);
  client.SetHost("server");
  client.SetPort(25);
  EXPECT_TRUE(client.Active());
  EXPECT_EQ(Take(), Texts{});
  client.EndLoading();
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup active", "lookup host server #1"}));
}

TEST_F(EventClientSettings, StartupAndCleanupAreCountedPerSocketObject) {
  FakeNetwork calls;
  FakeSockets* made = nullptr;
  {
    TEventClient other(nullptr, FakeSockets::Factory(calls, made));
    EXPECT_EQ(calls.calls, Texts{"WSAStartup 257"});
  }
  EXPECT_EQ(calls.calls, (Texts{"WSAStartup 257", "WSACleanup"}));
}

TEST_F(EventClientSettings, AFailedStartupRaisesAndCreatesNoComponent) {
  for (bool library_missing : {false, true}) {
    FakeNetwork calls;
    FakeSockets* made = nullptr;
    calls.library_missing = library_missing;
    calls.startup_error = 10091;
    EXPECT_EQ(Raised([&] { TEventClient broken(nullptr, FakeSockets::Factory(calls, made)); }),
              WindowsSocketErrorMessage(10091, kApiStartup));
    EXPECT_EQ(calls.calls, library_missing ? Texts{} : Texts{"WSAStartup 257"});
  }
}

TEST_F(EventClientSettings, AFailedCleanupGoesToTheErrorRoute) {
  FakeNetwork calls;
  FakeSockets* made = nullptr;
  auto other = std::make_unique<TEventClient>(nullptr, FakeSockets::Factory(calls, made));
  calls.cleanup_error = 10093;
  TObject* socket_object = &other->Socket();
  other.reset();
  EXPECT_EQ(route.messages, Texts{SocketError(10093, kApiCleanup)});
  EXPECT_EQ(route.senders, std::vector<TObject*>{socket_object});
}

TEST_F(EventClientSettings, BlockingModeSetsTheMaskAndAppliesItToAnExistingSocket) {
  client.SetBlockingMode(bmBlocking);
  EXPECT_EQ(client.Socket().NotifyMask(), 0);
  EXPECT_EQ(Take(), Texts{});  // no socket yet
  client.SetBlockingMode(bmBlocking);
  client.SetBlockingMode(bmNonBlocking);
  EXPECT_EQ(client.Socket().NotifyMask(), 0x33);

  client.SetHost("localhost");
  client.SetActive(true);  // resolving: a socket exists, not connected
  Take();
  client.SetBlockingMode(bmBlocking);
  EXPECT_EQ(Take(), Texts{"asyncselect 100 0"});
}

TEST_F(EventClientSettings, TheBlockingClientConnectsBeforeActiveReturns) {
  client.SetBlockingMode(bmBlocking);
  client.SetHost("server");
  client.SetService("telnet");
  net.hosts["server"] = {127, 0, 0, 1};
  net.services["telnet"] = 23;
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "gethostbyname server",
                           "getservbyname telnet", "asyncselect 100 0", "OnConnecting",
                           "connect 100 127.0.0.1:23", "OnConnect active"}));
  EXPECT_TRUE(client.Active());
}

TEST_F(EventClientSettings, TheBlockingClientUsesTheAddressAndThePortWithoutNames) {
  client.SetBlockingMode(bmBlocking);
  client.SetAddress("10.0.0.1");
  client.SetPort(70000);
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "asyncselect 100 0", "OnConnecting",
                           "connect 100 10.0.0.1:4464", "OnConnect active"}));
}

TEST_F(EventClientSettings, TheBlockingClientsFailedConnectDropsAndRaises) {
  client.SetBlockingMode(bmBlocking);
  client.SetAddress("127.0.0.1");
  net.connect_error = 10061;
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), SocketError(10061, kApiConnect));
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "asyncselect 100 0", "OnConnecting",
                           "connect 100 127.0.0.1:0", "OnDisconnect", "closesocket 100"}));
  EXPECT_FALSE(client.Active());
}

TEST_F(EventClientSettings, TheBlockingClientWithoutAnAddressRaises) {
  client.SetBlockingMode(bmBlocking);
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), kNoAddressSpecified);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "OnDisconnect", "closesocket 100"}));
}

}  // namespace
