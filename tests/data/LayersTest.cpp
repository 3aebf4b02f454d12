// The folders of src/ stand on floors: platform at the bottom, then the link,
// core, the interfaces the windows reach each other through, the shared
// widgets, and the window folders one above another. A file may include its
// own folder and those below, never one above. Read from the sources at test
// time, so new code is held to it too.
#include "SourceLiterals.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QSet>
#include <functional>

namespace {
// Lowest first, one floor per folder: the windows stand one above another, so
// a window reaches one above it only through an interface in wiring.
const QStringList kFolderOrder = {
    QStringLiteral("platform"), QStringLiteral("link"),     QStringLiteral("core"),       QStringLiteral("wiring"),
    QStringLiteral("widgets"),  QStringLiteral("printing"), QStringLiteral("programs"),   QStringLiteral("records"),
    QStringLiteral("channels"), QStringLiteral("diagrams"), QStringLiteral("mainwindow"),
};
const QString kFirstWindowFolder = QStringLiteral("printing");

QMap<QString, int> floorsByFolder()
{
    QMap<QString, int> floors;
    for (int i = 0; i < kFolderOrder.size(); ++i)
        floors.insert(kFolderOrder[i], i);
    return floors;
}
const QMap<QString, int> kFloors = floorsByFolder();

QString folderOf(const QString& path)
{
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

// folder -> folders it includes, with one place each for the message.
using FolderGraph = QMap<QString, QMap<QString, QString>>;

FolderGraph folderGraph(const SourceLiterals& sources)
{
    FolderGraph graph;
    const auto includes = sources.folderIncludes();
    for (auto it = includes.begin(); it != includes.end(); ++it) {
        const QString to = folderOf(it.key());
        for (const QString& place : it.value()) {
            const QString from = folderOf(place);
            if (!from.isEmpty() && from != to)
                graph[from].insert(to, place + QStringLiteral(" includes ") + it.key());
        }
    }
    return graph;
}

// A loop through `start`, as "a -> b -> a", or empty.
QString loopThrough(const FolderGraph& graph, const QString& start)
{
    QStringList path{start};
    QSet<QString> seen;
    std::function<bool(const QString&)> walk = [&](const QString& at) {
        for (const QString& next : graph.value(at).keys()) {
            if (next == start) {
                path << next;
                return true;
            }
            if (seen.contains(next))
                continue;
            seen.insert(next);
            path << next;
            if (walk(next))
                return true;
            path.removeLast();
        }
        return false;
    };
    return walk(start) ? path.join(QStringLiteral(" -> ")) : QString();
}
} // namespace

TEST(LayersTest, EveryIncludeGoesToTheSameFloorOrBelow)
{
    const SourceLiterals sources(QStringLiteral(VELMORO_SOURCE_DIR "/src"));
    ASSERT_GT(sources.fileCount(), 50);
    const FolderGraph graph = folderGraph(sources);
    ASSERT_TRUE(graph.contains(QStringLiteral("core"))) << "no include read at all";

    for (auto from = graph.begin(); from != graph.end(); ++from) {
        ASSERT_TRUE(kFloors.contains(from.key())) << "src/" << from.key().toStdString() << " has no floor yet";
        for (auto to = from.value().begin(); to != from.value().end(); ++to) {
            ASSERT_TRUE(kFloors.contains(to.key())) << to.value().toStdString();
            EXPECT_LE(kFloors[to.key()], kFloors[from.key()]) << to.value().toStdString();
        }
    }
}

TEST(LayersTest, WindowFoldersIncludeEachOtherWithoutALoop)
{
    const SourceLiterals sources(QStringLiteral(VELMORO_SOURCE_DIR "/src"));
    const FolderGraph graph = folderGraph(sources);
    for (auto it = kFloors.begin(); it != kFloors.end(); ++it) {
        if (it.value() < kFloors[kFirstWindowFolder])
            continue;
        const QString loop = loopThrough(graph, it.key());
        EXPECT_TRUE(loop.isEmpty()) << loop.toStdString();
    }
}
