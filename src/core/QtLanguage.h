#pragma once

#include <QLocale>
#include <QString>

// Qt draws some texts itself: the standard buttons of message boxes ("Yes",
// "No", "OK", "Cancel"), the print, page and file dialogs. They follow the
// program's language (a SprachCode such as "DE"), not the system's: Qt's own
// translation of that language is loaded from Qt's translations folder.
// English, an empty code and a language Qt has no translation for leave Qt's
// English texts. Does nothing without an application object.
void applyQtLanguage(const QString& languageCode);
// The language whose translation is in use; "" for Qt's English.
QString appliedQtLanguage();
// Qt's locale for a program language code ("DE", "en"): the C locale for an
// empty code or one that names no language Qt knows.
QLocale languageLocale(const QString& languageCode);
