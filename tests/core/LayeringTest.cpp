// The core's folders in layers: what the build declares (src/core/CMakeLists.txt)
// and what the sources include must agree, and no folder reaches back.
#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kCore = QStringLiteral(CORVUTIL_SOURCE_DIR "/src/core");

// Folder -> the folders its files include ("#include "db/RowReader.h"").
QMap<QString, QSet<QString>> includesByFolder()
{
    static const QRegularExpression include(QStringLiteral("^#include \"([a-z]+)/[^\"]+\""), QRegularExpression::MultilineOption);
    QMap<QString, QSet<QString>> edges;
    for (const QString& folder : QDir(kCore).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        edges[folder];
        for (const QString& name : QDir(kCore + '/' + folder).entryList({"*.h", "*.cpp"}, QDir::Files)) {
            QFile file(kCore + '/' + folder + '/' + name);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            auto matches = include.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext()) {
                const QString target = matches.next().captured(1);
                if (target != folder && QDir(kCore + '/' + target).exists())
                    edges[folder].insert(target);
            }
        }
    }
    return edges;
}

struct Layer {
    QStringList folders;
    QStringList below; // the layers it links
};

// The layers as the build declares them.
QMap<QString, Layer> declaredLayers()
{
    QFile cmake(kCore + "/CMakeLists.txt");
    EXPECT_TRUE(cmake.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(cmake.readAll()).simplified();
    static const QRegularExpression call(QStringLiteral("corv_core_layer\\((\\w+) FOLDERS ([\\w ]+?)(?: BELOW ([\\w: ]+?))?(?: PRIVATE_LINKS [\\w: ]+?)?\\)"));
    QMap<QString, Layer> layers;
    auto matches = call.globalMatch(text);
    while (matches.hasNext()) {
        const auto m = matches.next();
        Layer layer{m.captured(2).split(' ', Qt::SkipEmptyParts), {}};
        for (const QString& lib : m.captured(3).split(' ', Qt::SkipEmptyParts)) {
            if (lib.startsWith("corvutil_"))
                layer.below << lib;
        }
        layers.insert(m.captured(1), layer);
    }
    return layers;
}

// Every folder a layer may include: its own and those of the layers below it.
QSet<QString> reachable(const QMap<QString, Layer>& layers, const QString& name)
{
    QSet<QString> folders;
    const Layer layer = layers.value(name);
    for (const QString& folder : layer.folders)
        folders.insert(folder);
    for (const QString& below : layer.below)
        folders.unite(reachable(layers, below));
    return folders;
}

TEST(Layering, EveryCoreFolderBelongsToOneDeclaredLayer)
{
    const QMap<QString, Layer> layers = declaredLayers();
    ASSERT_GE(layers.size(), 8) << "the build declares its layers";
    QMap<QString, QString> owner;
    for (auto it = layers.begin(); it != layers.end(); ++it) {
        for (const QString& folder : it->folders) {
            EXPECT_FALSE(owner.contains(folder)) << folder.toStdString() << " in two layers";
            owner[folder] = it.key();
        }
    }
    for (const QString& folder : includesByFolder().keys())
        EXPECT_TRUE(owner.contains(folder)) << folder.toStdString() << " is in no layer";
}

TEST(Layering, NoFolderIncludesOneAboveItOrOneThatIncludesItBack)
{
    const QMap<QString, Layer> layers = declaredLayers();
    QMap<QString, QString> owner;
    for (auto it = layers.begin(); it != layers.end(); ++it) {
        for (const QString& folder : it->folders)
            owner[folder] = it.key();
    }
    const QMap<QString, QSet<QString>> edges = includesByFolder();
    for (auto it = edges.begin(); it != edges.end(); ++it) {
        const QSet<QString> allowed = reachable(layers, owner.value(it.key()));
        for (const QString& target : it.value()) {
            EXPECT_TRUE(allowed.contains(target)) << it.key().toStdString() << " includes " << target.toStdString() << ", a layer above it";
            EXPECT_FALSE(edges.value(target).contains(it.key())) << it.key().toStdString() << " and " << target.toStdString() << " include each other";
        }
    }
    // No longer cycles either, through any number of folders.
    QMap<QString, int> mark; // 1 on the path, 2 done
    std::function<bool(const QString&, QStringList&)> cycle = [&](const QString& folder, QStringList& path) {
        mark[folder] = 1;
        path << folder;
        for (const QString& next : edges.value(folder)) {
            if (mark.value(next) == 1 || (mark.value(next) == 0 && cycle(next, path))) {
                path << next;
                return true;
            }
        }
        mark[folder] = 2;
        path.removeLast();
        return false;
    };
    for (const QString& folder : edges.keys()) {
        QStringList path;
        if (mark.value(folder) == 0 && cycle(folder, path))
            ADD_FAILURE() << "folders in a cycle: " << path.join(" -> ").toStdString();
    }
}

TEST(Layering, OnlyTheConsoleReadsTheConsoleState)
{
    for (const QString& folder : QDir(kCore).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder == "console")
            continue;
        for (const QString& name : QDir(kCore + '/' + folder).entryList({"*.h", "*.cpp"}, QDir::Files)) {
            QFile file(kCore + '/' + folder + '/' + name);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_FALSE(file.readAll().contains("ConsoleState")) << (folder + '/' + name).toStdString();
        }
    }
}

} // namespace
