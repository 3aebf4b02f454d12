#include "mainwindow/MainMenuModul.h"

#include "core/DataFolder.h"
#include "core/DatabaseModul.h"
#include "core/ProgramResources.h"
#include "core/programSettings.h"
#include "platform/DeferredMessages.h"
#include "platform/MessageService.h"
#include "platform/ModalDialogRunner.h"
#include "platform/ProgramPrinter.h"
#include "platform/Terminator.h"
#include "platform/UrlOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QUrl>
#include <algorithm>

void compactUserDatabase(DatabaseCompaction::Hook hook)
{
    const QDir daten(QDir(programFolder()).filePath(QStringLiteral("Daten")));
    const QString source = daten.filePath(QStringLiteral("veluser.mdb"));
    const QString target = daten.filePath(QStringLiteral("veluser.$$$"));

    if (msgBox(getResource(QStringLiteral("1028")), MessageService::YesNo, MessageService::Critical,
               getResource(QStringLiteral("0110")))
        != MessageService::Yes)
        return;
    if (msgBox(getResource(QStringLiteral("1090")), MessageService::YesNo, MessageService::Information,
               getResource(QStringLiteral("0410")))
        != MessageService::Yes)
        return;

    DatabaseCompaction compaction(dbVeluser, source, target, std::move(hook));
    if (!compaction.run()) {
        msgBox(QStringLiteral("Fehler"));
        return;
    }
    msgBox(getResource(QStringLiteral("1030")), MessageService::OkOnly, MessageService::Information,
           getResource(QStringLiteral("0410")));
    // At once: no close question, nothing saved or emptied.
    endProgram(0);
}

QStringList helpFolders()
{
    QStringList folders;
    folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help"));
    const QString inProgramFolder = QDir(programFolder()).filePath(QStringLiteral("help"));
    if (!programFolder().isEmpty() && !folders.contains(inProgramFolder))
        folders << inProgramFolder;
    return folders;
}

QString findHelpPage(const QStringList& folders, const QString& languageCode)
{
    QStringList names;
    // Codes are short letters; anything else must not lead out of the folder.
    const QString code = languageCode.trimmed().toLower();
    if (!code.isEmpty() && code.size() <= 8
        && std::all_of(code.begin(), code.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        names << QStringLiteral("velmoro-%1.html").arg(code);
    names << QStringLiteral("velmoro-en.html");
    for (const QString& name : names) {
        for (const QString& folder : folders) {
            const QString path = QDir(folder).filePath(name);
            if (QFileInfo(path).isFile())
                return QFileInfo(path).absoluteFilePath();
        }
    }
    return QString();
}

void showHelpContents(UrlOpener& opener, const QStringList& folders)
{
    const QString language = objSettings().getSetting(QStringLiteral("UsedLanguage"));
    const QString page = findHelpPage(folders, language);
    if (page.isEmpty()) {
        msgBox(getResource(QStringLiteral("1094")) + QChar(13)
                   + QDir::toNativeSeparators(
                       QDir(folders.value(0))
                           .filePath(QStringLiteral("velmoro-%1.html").arg(language.trimmed().toLower()))),
               MessageService::OkOnly, MessageService::Exclamation, getResource(QStringLiteral("0410")));
        return;
    }
    // The opener answers later; the box then waits for the end of a poll
    // that may be running.
    const QString text = getResource(QStringLiteral("1096")) + QChar(13) + QDir::toNativeSeparators(page);
    const QString title = getResource(QStringLiteral("0410"));
    opener.open(QUrl::fromLocalFile(page), [text, title] {
        DeferredMessages::post(QStringLiteral("Help/1096"), text, MessageService::OkOnly, MessageService::Exclamation,
                               title);
    });
}

void configurePrinter(QWidget* owner)
{
    // The dialog writes the chosen printer and page into the printer itself
    // when it is confirmed; a cancelled dialog leaves it as it was.
    QPrintDialog dialog(&programPrinter(), owner);
    dialog.setObjectName(QStringLiteral("commonDialogMain"));
    execModal(dialog);
}
