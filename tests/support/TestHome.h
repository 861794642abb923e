#pragma once

#include "context/AppContext.h"
#include "ScriptedUi.h"

#include <QTemporaryDir>
#include <memory>

namespace corv::test {

// A temporary program home. With `demo` it holds a complete demo installation
// (registry file, ARDEA_Z.INI, SQLite catalogs).
class TestHome {
public:
    explicit TestHome(bool demo = true);
    // Fails the test when a file the program wrote here holds the demo's
    // password (the login files aside, which keep it by design).
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    AppPaths paths() const { return AppPaths::forHome(dir_.path()); }
    // A context over this home talking to `ui`.
    std::unique_ptr<AppContext> context(Ui& ui) const;

    QString readFile(const QString& name) const;
    // A report's lines (CR LF), without the empty one after the last.
    QStringList lines(const QString& name) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    // The run log's lines without their time prefix.
    QStringList logLines() const { return logLinesOf(path()); }
    static QStringList logLinesOf(const QString& folder);

private:
    QTemporaryDir dir_;
};

} // namespace corv::test
