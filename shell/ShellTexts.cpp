// Written here in UTF-8, held as Windows-1251 bytes.
#include "shell/ShellTexts.h"

#include "core/Cp1251.h"

namespace shell_texts {

using cp1251::FromUtf8;

const std::string kApplicationTitle = "ZIRK";
const std::string kVersion = "0.4";
const std::string kMainCaption = "Vantorel Universal Client (ZIRK)";
const std::string kTitle = "Vantorel Universal Client v" + kVersion;
const std::string kTrayHint = "ZIRK v" + kVersion;

const std::string kConnect = FromUtf8("Подключить");
const std::string kDisconnect = FromUtf8("Разорвать");
const std::string kSend = FromUtf8("Отправить");
const std::string kSave = FromUtf8("Сохранить");
const std::string kClear = FromUtf8("Очистить");
const std::string kAbout = FromUtf8("О программе");
const std::string kExit = FromUtf8("Выход");

const std::string kHintToTray = FromUtf8("Свернуть в область уведомлений");
const std::string kHintMinimise = FromUtf8("Свернуть в панель задач");
const std::string kHintMaximise = FromUtf8("Развернуть\\Свернуть");
const std::string kHintClose = FromUtf8("Закрыть");
const std::string kHintSave = FromUtf8("Сохранить историю в файл");
const std::string kHintClear = FromUtf8("Очистить историю");
const std::string kHintAbout = FromUtf8("О программе");
const std::string kHintExit = FromUtf8("Закрыть программу");
const std::string kHintMessage = FromUtf8("Текст для отправки");
const std::string kHintSend = FromUtf8("Отправить текст");
const std::string kHintTransport = FromUtf8("Тип сервера");
const std::string kHintVersion = FromUtf8("Версия программы");

const std::string kCopy = FromUtf8("Копировать");
const std::string kSelectAll = FromUtf8("Выделить всё");

const std::string kSaveFilter =
    FromUtf8("Текстовые файлы (*.txt)|*.txt|Файлы логов (*.log)|*.log|Все файлы (*.*)|*.*");

// The maker and its addresses are made up; .example names belong to nobody.
const std::string kMaker = "Vantorel";
const std::string kAuthor = FromUtf8("Арвин Талескер");
const std::string kMakerMail = "zirk@vantorel.example";
const std::string kMakerMailLink = "mailto:" + kMakerMail;
const std::string kMakerWeb = "www.vantorel.example";
const std::string kMakerWebLink = "http://www.vantorel.example/";
const std::string kYear = "2004";
const std::string kProductName = "ZIRK";
const std::string kProductTitle = "Vantorel Universal Client";
const std::string kBetaNotice =
    FromUtf8("Данная версия программы предназначена для бета-тестирования.");
const std::string kOk = "OK";

const std::string kInvalidCast = "Invalid class typecast";
const std::string kCannotCreateWindow = "Cannot create window";
const std::string kCannotLoadLibrary = "Cannot load ";

}  // namespace shell_texts
