// The fixed texts of the program's windows, once, as Windows-1251 bytes.
#pragma once

#include <string>

namespace window_texts {

extern const std::string kApplicationTitle;  // "ZIRK"
extern const std::string kMainCaption;       // "Vantorel Universal Client (ZIRK)"
extern const std::string kTitle;             // "Vantorel Universal Client v0.4"
extern const std::string kTrayHint;          // "ZIRK v0.4"

extern const std::string kConnect;     // "Подключить"
extern const std::string kDisconnect;  // "Разорвать"
extern const std::string kSend;        // "Отправить"
extern const std::string kSave;        // "Сохранить"
extern const std::string kClear;       // "Очистить"
extern const std::string kAbout;       // "О программе"
extern const std::string kExit;        // "Выход"

extern const std::string kHintToTray;  // "Свернуть в область уведомлений"
extern const std::string kHintMinimise;   // "Свернуть в панель задач"
extern const std::string kHintMaximise;   // "Развернуть\Свернуть"
extern const std::string kHintClose;      // "Закрыть"
extern const std::string kHintSave;       // "Сохранить историю в файл"
extern const std::string kHintClear;      // "Очистить историю"
extern const std::string kHintAbout;      // "О программе"
extern const std::string kHintExit;       // "Закрыть программу"
extern const std::string kHintMessage;    // "Текст для отправки"
extern const std::string kHintSend;       // "Отправить текст"
extern const std::string kHintTransport;  // "Тип сервера" (never shown)

extern const std::string kSaveFilter;  // the save dialog's three entries

// The About box.
extern const std::string kMaker;         // "Vantorel"
extern const std::string kAuthor;        // the author's name
extern const std::string kMakerMail;     // the maker's mail address
extern const std::string kMakerWeb;      // the maker's web address, without a scheme
extern const std::string kMakerWebLink;  // the same address as a full web link
extern const std::string kYear;          // "2004"
extern const std::string kProductName;   // "ZIRK"
extern const std::string kProductTitle;  // "Vantorel Universal Client"
extern const std::string kHintVersion;   // "Версия программы"
extern const std::string kBetaNotice;  // "Данная версия программы предназначена для ..."
extern const std::string kOk;  // "OK"

}  // namespace window_texts
