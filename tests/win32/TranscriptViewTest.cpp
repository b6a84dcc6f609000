// The transcript's view: the placeholders, CR LF as the only line break, batched appends, the
// end shown after appends, no size limit and Cyrillic whatever the code page.
#include "shell/controls/TranscriptView.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include "core/Cp1251.h"
#include "platform/Files.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/UiTestSupport.h"

namespace {

using namespace std::string_literals;

TEST(TranscriptViewText, ShowsControlBytesAndUndefinedBytesAsPlaceholders) {
  const struct {
    std::string bytes;
    std::wstring shown;
  } cases[] = {
      {"", L""},
      {"plain text", L"plain text"},
      {"a\r\nb\r\n", L"a\r\nb\r\n"},
      {"a\rb", L"a\u240Db"},
      {"a\nb", L"a\u240Ab"},
      {"a\n\r\n", L"a\u240A\r\n"},
      {"a\r\r\n", L"a\u240D\r\n"},
      {"\n\r", L"\u240A\u240D"},
      {"\r\n\r\n", L"\r\n\r\n"},
      {"x\0y"s, L"x\u2400y"},
      {"\x0B\x0C\x1B", L"\u240B\u240C\u241B"},
      {"tab\there", L"tab\there"},
      {"\x7F", L"\u2421"},
      {"\x98", L"\uFFFD"},
      {"\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8", L"\u041F\u0440\u0438\u0432\u0435\u0442 \u0401\u0451"},
      {"\x80\x85\xB9", L"\u0402\u2026\u2116"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TTranscriptView::DisplayText(c.bytes), c.shown) << c.bytes;
  }
}

class TranscriptViewTest : public ::testing::Test {
 protected:
  TranscriptViewTest() : form(*app.CreateForm<TForm>()), transcript(files) {
    form.SetBounds(100, 100, 566, 417);
    view.SetBounds(5, 99, 556, 261);
  }

  int FirstVisibleLine() const {
    return static_cast<int>(SendMessageW(view.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
  }
  int LineCount() const {
    return static_cast<int>(SendMessageW(view.Handle(), EM_GETLINECOUNT, 0, 0));
  }
  // The character position of the caret (the end of the selection).
  LONG Caret() const {
    CHARRANGE selection{};
    SendMessageW(view.Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection.cpMax;
  }

  TApplication app;
  TForm& form;
  TTranscriptView view{&form};
  PlatformFileSystem files;
  Transcript transcript;
};

TEST_F(TranscriptViewTest, IsAReadOnlyBorderlessWhiteViewWithAVerticalScrollBar) {
  const LONG_PTR style = GetWindowLongPtrW(view.Handle(), GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(view.Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_BORDER));
  EXPECT_FALSE(ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  // Setting the background answers with the one it had.
  EXPECT_EQ(SendMessageW(view.Handle(), EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255)),
            RGB(255, 255, 255));
}

TEST_F(TranscriptViewTest, ShowsTheTextItIsBoundToAndFollowsItsChanges) {
  transcript.Append("before");
  view.Bind(transcript);
  EXPECT_EQ(view.ShownText(), L"before\r\n");

  transcript.Append("> one\r\ntwo");
  transcript.Append("lone\rcr and lone\nlf");
  transcript.Append(std::string("nul\0byte", 8));
  view.Flush();
  EXPECT_EQ(view.ShownText(),
            L"before\r\n> one\r\ntwo\r\nlone\u240Dcr and lone\u240Alf\r\nnul\u2400byte\r\n");
  // The bytes are the transcript's as they were.
  EXPECT_EQ(transcript.Text(), "before\r\n> one\r\ntwo\r\nlone\rcr and lone\nlf\r\nnul\0byte\r\n"s);
  // One line per CR LF, and the empty line after the last.
  EXPECT_EQ(LineCount(), 6);
}

TEST_F(TranscriptViewTest, AppendsWaitForTheQueueAndAreShownTogether) {
  view.Bind(transcript);
  transcript.Append("first");
  transcript.Append("second");
  EXPECT_EQ(view.ShownText(), L"");
  ASSERT_TRUE(PumpUntil([&] { return !view.ShownText().empty(); }));
  EXPECT_EQ(view.ShownText(), L"first\r\nsecond\r\n");
}

TEST_F(TranscriptViewTest, ABigBatchIsShownInStepsWithoutSplittingALineEnd) {
  view.Bind(transcript);
  // Lines of 64 bytes, and one line padded so that the first step ends between a CR and its LF.
  std::string entry;
  const std::string line = std::string(62, 'x') + "\r\n";
  while (entry.size() + line.size() < TTranscriptView::kMaxStepBytes - 1) entry += line;
  entry.append(TTranscriptView::kMaxStepBytes - 1 - entry.size(), 'y');
  for (int i = 0; i < 1000; ++i) entry += "\r\n" + std::string(62, 'z');
  ASSERT_EQ(entry[TTranscriptView::kMaxStepBytes - 1], '\r');
  transcript.Append(entry);
  ASSERT_TRUE(PumpUntil([&] { return view.ShownText().size() >= entry.size() + 2; }));
  std::wstring expected(entry.begin(), entry.end());
  expected += L"\r\n";
  EXPECT_EQ(view.ShownText(), expected);
}

TEST_F(TranscriptViewTest, AClearEmptiesTheViewAndDropsWhatWaits) {
  view.Bind(transcript);
  transcript.Append("shown");
  view.Flush();
  transcript.Append("waiting");
  transcript.Clear();
  EXPECT_EQ(view.ShownText(), L"");
  transcript.Append("after");
  ASSERT_TRUE(PumpUntil([&] { return !view.ShownText().empty(); }));
  EXPECT_EQ(view.ShownText(), L"after\r\n");
}

TEST_F(TranscriptViewTest, ShowsTheEndAfterAppendsWhereverTheCaretWas) {
  form.Show();
  view.Bind(transcript);
  for (int i = 0; i < 100; ++i) transcript.Append("line " + std::to_string(i));
  view.Flush();
  const int first = FirstVisibleLine();
  EXPECT_GT(first, 50);
  // The user put the caret at the start; the next append still goes to the end and shows it.
  CHARRANGE start{0, 0};
  SendMessageW(view.Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  SendMessageW(view.Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(FirstVisibleLine(), 0);
  for (int i = 100; i < 120; ++i) transcript.Append("line " + std::to_string(i));
  view.Flush();
  EXPECT_EQ(FirstVisibleLine(), first + 20);
  const std::wstring shown = view.ShownText();
  EXPECT_EQ(shown.substr(shown.size() - 10), L"line 119\r\n");
  // The caret is after the text (a paragraph mark counts one character).
  EXPECT_EQ(Caret(), static_cast<LONG>(shown.size() - 120));
  PumpPending();
}

TEST_F(TranscriptViewTest, WrapsLongLinesAtItsWidth) {
  view.Bind(transcript);
  transcript.Append(std::string(400, 'w') + " " + std::string(400, 'x'));
  view.Flush();
  EXPECT_GT(LineCount(), 3);
  EXPECT_EQ(view.ShownText().size(), 803u);
}

TEST_F(TranscriptViewTest, HasNoSizeLimit) {
  view.Bind(transcript);
  const std::string line(38, 'z');
  for (int i = 0; i < 5000; ++i) transcript.Append(line);
  view.Flush();
  EXPECT_EQ(view.ShownText().size(), 200000u);
  EXPECT_EQ(LineCount(), 5001);
}

TEST_F(TranscriptViewTest, ShowsCyrillicWhateverTheCodePage) {
  view.Bind(transcript);
  transcript.AppendStatus(
      cp1251::FromUtf8("Установлено соединение с localhost:244 (TCP/IP Server);"));
  view.Flush();
  EXPECT_EQ(view.ShownText(),
            L"!// \u0423\u0441\u0442\u0430\u043D\u043E\u0432\u043B\u0435\u043D\u043E "
            L"\u0441\u043E\u0435\u0434\u0438\u043D\u0435\u043D\u0438\u0435 \u0441 "
            L"localhost:244 (TCP/IP Server);\r\n");
}

TEST_F(TranscriptViewTest, KeysReachOnKeyDown) {
  std::vector<WORD> keys;
  view.OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, &view);
    keys.push_back(key);
  };
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_F1, 1);
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_END, 1);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_F1, VK_END}));
}

TEST_F(TranscriptViewTest, StopsFollowingWhenDestroyed) {
  {
    TTranscriptView other(&form);
    other.Bind(transcript);
    EXPECT_TRUE(transcript.OnChange);
  }
  EXPECT_FALSE(transcript.OnChange);
  transcript.Append("nobody listens");
  PumpPending();
}

}  // namespace
