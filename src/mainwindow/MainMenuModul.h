#pragma once

#include "platform/DatabaseCompaction.h"

#include <QString>
#include <QStringList>

class QWidget;
class UrlOpener;

// The commands of the main menu that are more than opening a window.

// Edit > Compact database: after two questions the user database is compacted
// and the program ends at once (message 1030). On a failure "Fehler" is shown,
// the user database is open again unchanged and the program runs on.
void compactUserDatabase(DatabaseCompaction::Hook hook = {});

// Where the help pages are looked for, in this order: beside the program,
// then in the program folder.
QStringList helpFolders();
// Help > Contents: the help page of the current language in the user's
// browser, handed to it by opener. A missing page is reported at once
// (resource 1094 with the path); a page that nothing on the system can show
// when the opener says so (1096 with the path).
void showHelpContents(UrlOpener& opener, const QStringList& folders = helpFolders());
// The help page for a language code in the first folder that has one (the
// English page when the language has none); empty when there is none.
QString findHelpPage(const QStringList& folders, const QString& languageCode);

// File > Configure printer: the printer set-up dialog; the printer chosen
// there is the one that reports use.
void configurePrinter(QWidget* owner);
