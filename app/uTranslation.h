#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The program's texts are looked up by their English wording in the MO
// catalogue of the current language: <program folder>/locale/<lang>/LC_MESSAGES/default.mo.

// The resource string msgid in the current language, at the moment of the call.
QString Tr(const char* msgid);

// The resource string msgid with each "%s" replaced, in order, by the arguments.
QString TrFormat(const char* msgid, const QStringList& args);

// Marks a text for the catalogues where it is stored rather than shown at once.
constexpr const char* TrNoop(const char* msgid) { return msgid; }

// Switches the current language ("de", "en", "fr", or a form like "de_AT").
void UseLanguage(const QString& code);
QString GetCurrentLanguage();

// The language at start-up: LANG up to its ".", else the system's language.
QString DefaultLanguage();

// Where the catalogues are looked for; the program's folder + "/locale" by default.
void SetLocaleFolder(const QString& folder);

// Translates every text of the window and its components (titles, labels,
// buttons, groups, menu actions, tool tips) and remembers the English ones.
void TranslateComponent(QObject* window);
// Sets each remembered text to the translation of its English text in the current language.
void RetranslateComponent(QObject* window);
// Objects carrying this property set to true keep the texts that code gives them.
inline constexpr const char* kNoTranslateProperty = "vornNoTranslate";
