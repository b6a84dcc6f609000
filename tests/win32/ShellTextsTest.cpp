// Every fixed text of the shell, byte for byte: the one place besides the catalogue that spells
// them out. Changing a text is its line in shell/ShellTexts.cpp and its row here.
#include "shell/ShellTexts.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"

namespace {

TEST(ShellTexts, AreTheseBytes) {
  using namespace shell_texts;
  const struct {
    const std::string& text;
    const char* utf8;
  } rows[] = {
      {kApplicationTitle, "ZIRK"},
      {kVersion, "0.4"},
      {kMainCaption, "Vantorel Universal Client (ZIRK)"},
      {kTitle, "Vantorel Universal Client v0.4"},
      {kTrayHint, "ZIRK v0.4"},
      {kConnect, "Подключить"},
      {kDisconnect, "Разорвать"},
      {kSend, "Отправить"},
      {kSave, "Сохранить"},
      {kClear, "Очистить"},
      {kAbout, "О программе"},
      {kExit, "Выход"},
      {kHintToTray, "Свернуть в область уведомлений"},
      {kHintMinimise, "Свернуть в панель задач"},
      {kHintMaximise, "Развернуть\\Свернуть"},
      {kHintClose, "Закрыть"},
      {kHintSave, "Сохранить историю в файл"},
      {kHintClear, "Очистить историю"},
      {kHintAbout, "О программе"},
      {kHintExit, "Закрыть программу"},
      {kHintMessage, "Текст для отправки"},
      {kHintSend, "Отправить текст"},
      {kHintTransport, "Тип сервера"},
      {kHintVersion, "Версия программы"},
      {kCopy, "Копировать"},
      {kSelectAll, "Выделить всё"},
      {kSaveFilter, "Текстовые файлы (*.txt)|*.txt|Файлы логов (*.log)|*.log|Все файлы (*.*)|*.*"},
      {kMaker, "Vantorel"},
      {kAuthor, "Арвин Талескер"},
      {kMakerMail, "zirk@vantorel.example"},
      {kMakerMailLink, "mailto:zirk@vantorel.example"},
      {kMakerWeb, "www.vantorel.example"},
      {kMakerWebLink, "http://www.vantorel.example/"},
      {kYear, "2004"},
      {kProductName, "ZIRK"},
      {kProductTitle, "Vantorel Universal Client"},
      {kBetaNotice, "Данная версия программы предназначена для бета-тестирования."},
      {kOk, "OK"},
      {kInvalidCast, "Invalid class typecast"},
      {kCannotCreateWindow, "Cannot create window"},
      {kCannotLoadLibrary, "Cannot load "},
  };
  for (const auto& row : rows) EXPECT_EQ(row.text, cp1251::FromUtf8(row.utf8)) << row.utf8;
}

}  // namespace
