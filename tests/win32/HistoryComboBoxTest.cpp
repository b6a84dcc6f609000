// The history box: entries at their sorted places in the history list (the box's own list stays
// empty), Up and Down stepping through them, the field's text kept when the list is replaced,
// keys reaching the box.
#include "shell/controls/HistoryComboBox.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/UiTestSupport.h"

namespace {

using Entries = std::vector<std::string>;

class HistoryComboBoxTest : public ::testing::Test {
 protected:
  HistoryComboBoxTest() : form(*app.CreateForm<TForm>()) {
    form.SetBounds(100, 100, 566, 417);
    box.SetBounds(69, 40, 252, 21);
  }

  // A key pressed in the field, as the message loop delivers it.
  void Press(WORD key) {
    SendMessageW(box.FieldHandle(), WM_KEYDOWN, key, 1);
    SendMessageW(box.FieldHandle(), WM_KEYUP, key, 0xC0000001);
  }

  TApplication app;
  TForm& form;
  THistoryComboBox box{&form};
};

TEST_F(HistoryComboBoxTest, IsASimpleOneLineBoxWithAnEditField) {
  const LONG_PTR style = GetWindowLongPtrW(box.Handle(), GWL_STYLE);
  EXPECT_EQ(style & 3, CBS_SIMPLE);
  EXPECT_FALSE(style & CBS_SORT);
  ASSERT_NE(box.FieldHandle(), nullptr);
  RECT rect;
  GetWindowRect(box.Handle(), &rect);
  EXPECT_EQ(rect.bottom - rect.top, 21);
  RECT field;
  GetWindowRect(box.FieldHandle(), &field);
  EXPECT_LE(field.bottom, rect.bottom);
}

TEST_F(HistoryComboBoxTest, InsertsNewEntriesAtTheirSortedPlacesOnce) {
  HistoryList& history = box.History();
  for (const char* text : {"localhost", "beta.example", "Alpha", "LOCALHOST", "zeta", "alpha"}) {
    history.AddUnique(text);
  }
  history.AddUnique(cp1251::FromUtf8("сервер"));
  history.AddUnique(cp1251::FromUtf8("Арбат"));
  const Entries expected{"Alpha",
                         "beta.example",
                         "localhost",
                         "zeta",
                         cp1251::FromUtf8("Арбат"),
                         cp1251::FromUtf8("сервер")};
  EXPECT_EQ(history.Entries(), expected);
}

TEST_F(HistoryComboBoxTest, ReplacingOrClearingTheListKeepsTheFieldText) {
  box.SetText("typed text");
  box.History().AddUnique("old");
  box.History().Replace({"b", "a", "B", "c"});
  EXPECT_EQ(box.History().Entries(), (Entries{"a", "b", "B", "c"}));
  EXPECT_EQ(SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(box.Text(), "typed text");
  box.History().Clear();
  EXPECT_TRUE(box.History().Entries().empty());
  EXPECT_EQ(box.Text(), "typed text");
}

TEST_F(HistoryComboBoxTest, UpAndDownStepToThePreviousAndNextEntry) {
  box.History().Replace({"alpha", "beta", "gamma"});
  const struct {
    const char* field;
    WORD key;
    const char* after;
  } cases[] = {
      {"beta", VK_DOWN, "gamma"},
      {"beta", VK_UP, "alpha"},
      {"gamma", VK_DOWN, "gamma"},
      {"alpha", VK_UP, "alpha"},
      {"BETA", VK_DOWN, "gamma"},
      {"", VK_DOWN, "alpha"},
      {"", VK_UP, ""},
      {"c-side", VK_UP, "beta"},
      {"c-side", VK_DOWN, "gamma"},
      {"zzz", VK_UP, "gamma"},
  };
  for (const auto& c : cases) {
    box.SetText(c.field);
    Press(c.key);
    EXPECT_EQ(box.Text(), c.after) << c.field << (c.key == VK_UP ? " up" : " down");
  }
  // Stepping on from what a step copied walks the whole list.
  box.SetText("");
  std::vector<std::string> walked;
  for (int i = 0; i < 4; ++i) {
    Press(VK_DOWN);
    walked.push_back(box.Text());
  }
  EXPECT_EQ(walked, (Entries{"alpha", "beta", "gamma", "gamma"}));
}

TEST_F(HistoryComboBoxTest, KeysInTheFieldReachTheBoxEvents) {
  std::vector<WORD> downs;
  std::string typed;
  box.OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, &box);
    downs.push_back(key);
    if (key == VK_F2) key = 0;
  };
  box.OnKeyPress = [&](TObject*, char& key) {
    typed.push_back(key);
    if (key == 'x') key = 0;
  };
  box.History().Replace({"one", "two"});
  box.SetText("one");
  Press(VK_RETURN);
  Press(VK_F1);
  Press(VK_F2);
  Press(VK_DOWN);
  EXPECT_EQ(downs, (std::vector<WORD>{VK_RETURN, VK_F1, VK_F2, VK_DOWN}));
  EXPECT_EQ(box.Text(), "two");
  box.SetText("");
  for (wchar_t ch : std::wstring(L"axb\u0436")) SendMessageW(box.FieldHandle(), WM_CHAR, ch, 1);
  EXPECT_EQ(typed, "axb" + cp1251::FromUtf8("ж"));
  EXPECT_EQ(box.Text(), "ab" + cp1251::FromUtf8("ж"));
}

TEST_F(HistoryComboBoxTest, TheFocusGoesToTheField) {
  form.Show();
  SetForegroundWindow(form.Handle());
  box.SetFocus();
  EXPECT_EQ(GetFocus(), box.FieldHandle());
}

TEST_F(HistoryComboBoxTest, AFailingKeyHandlerIsReportedWithTheBoxAsSender) {
  TObject* reported = nullptr;
  app.ExceptionHook = [&](TObject* sender, const Exception&) { reported = sender; };
  box.OnKeyDown = [](TObject*, WORD&, TShiftState) { throw Exception("Connection refused"); };
  Press(VK_RETURN);
  EXPECT_EQ(reported, &box);
}

}  // namespace
