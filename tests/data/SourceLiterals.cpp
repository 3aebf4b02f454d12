#include "SourceLiterals.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {
// A text literal as the code writes it, optionally inside one of Qt's wrappers.
const QString kWrapped = QStringLiteral(
    R"re((?:(?:QStringLiteral|QLatin1String|QLatin1StringView|QString|QStringView)\s*\(\s*)?(?:u8|u|L)?)re");
} // namespace

SourceLiterals::SourceLiterals(const QString& root)
{
    const QDir base(root);
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            m_files.push_back({base.relativeFilePath(path), QString::fromUtf8(f.readAll())});
    }
}

QMap<QString, QStringList> SourceLiterals::matches(const QRegularExpression& re) const
{
    QMap<QString, QStringList> found;
    for (const auto& [path, content] : m_files) {
        auto it = re.globalMatch(content);
        while (it.hasNext()) {
            const auto m = it.next();
            const int line = static_cast<int>(content.left(m.capturedStart()).count(QLatin1Char('\n'))) + 1;
            found[m.captured(1)] << QStringLiteral("%1:%2").arg(path).arg(line);
        }
    }
    return found;
}

QMap<QString, QStringList> SourceLiterals::resourceIds() const
{
    static const QRegularExpression re(QStringLiteral(R"re(getResource\s*\(\s*)re") + kWrapped
                                       + QStringLiteral(R"re("(\d{4})")re"));
    return matches(re);
}

QMap<QString, QStringList> SourceLiterals::settingKeys() const
{
    static const QRegularExpression re(QStringLiteral(R"re(\b[gs]etSetting\s*\(\s*)re") + kWrapped
                                       + QStringLiteral(R"re("([^"\\]+)")re"));
    return matches(re);
}

QMap<QString, QStringList> SourceLiterals::fourDigitLiterals() const
{
    static const QRegularExpression re(QStringLiteral(R"re((?:u8|u|L)?"(\d{4})")re"));
    return matches(re);
}

QMap<QString, QStringList> SourceLiterals::folderIncludes() const
{
    static const QRegularExpression re(QStringLiteral(R"re((?m)^\s*#\s*include\s*"([^"/]+/[^"]+)")re"));
    return matches(re);
}
