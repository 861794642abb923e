#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// A connection of its own for one piece of work (a release read in another
// database, a side database, a demo catalog being filled): a name no other
// connection uses, closed and removed when the object goes.
class ScopedConnection {
public:
    explicit ScopedConnection(const QString& purpose);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    // One of our connection strings (see openDatabase): an existing catalog only.
    bool open(const QString& connectionString, QString* error = nullptr);
    // An SQLite file, created when it does not exist.
    bool openSqliteFile(const QString& file, QString* error = nullptr);

    const QString& name() const { return name_; }
    QSqlDatabase db() const;

private:
    QString name_;
};

} // namespace corv
