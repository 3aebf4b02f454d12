#include "TestSupport.h"

#include "core/DataFolder.h"
#include "core/DatabaseModul.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

MessageService::Result ScriptedMessages::show(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    shown.push_back({text, buttons, icon, title});
    if (!m_answers.empty()) {
        Result r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    switch (buttons) {
    case YesNo:
    case YesNoCancel:
        return Yes;
    case RetryCancel:
        return Retry;
    default:
        return Ok;
    }
}

QStringList ScriptedMessages::texts() const
{
    QStringList list;
    for (const auto& s : shown)
        list << s.text;
    return list;
}

QString buildPath(const QString& relative)
{
    return QDir(QStringLiteral(VELMORO_BUILD_DIR)).filePath(relative);
}

TempProgramFolder::TempProgramFolder(bool withDatabases)
{
    if (!withDatabases)
        return;
    QDir(m_dir.path()).mkpath(QStringLiteral("Daten"));
    for (const char* name : {"velmoro.mdb", "veluser.mdb"}) {
        const QString from = buildPath(QStringLiteral("shipped/Daten/") + QLatin1String(name));
        const QString to = QDir(m_dir.path()).filePath(QStringLiteral("Daten/") + QLatin1String(name));
        if (!QFile::copy(from, to))
            ADD_FAILURE() << "cannot copy " << from.toStdString();
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    }
}

QString TempProgramFolder::velmoroPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Daten/velmoro.mdb"));
}

QString TempProgramFolder::veluserPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Daten/veluser.mdb"));
}

void TempProgramFolder::execOn(const QString& dbFile, const QStringList& statements) const
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbFile);
        if (!db.open()) {
            ADD_FAILURE() << "cannot open " << dbFile.toStdString();
        } else {
            for (const QString& s : statements) {
                QSqlQuery q(db);
                if (!q.exec(s))
                    ADD_FAILURE() << s.toStdString() << ": " << q.lastError().text().toStdString();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

void openCoreForTest(const TempProgramFolder& folder)
{
    setProgramFolder(folder.path());
    openDataDatabase(folder.path());
    openUserDatabase(folder.path());
    openSettings();
    openResources();
}

void closeCoreForTest()
{
    closeAllDatabases();
}
