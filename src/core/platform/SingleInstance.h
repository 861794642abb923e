#pragma once

#include <QLockFile>
#include <QString>

namespace corv {

// Refuses a second running copy on the same data folder. The lock is released
// when the object dies; a lock left by a crashed copy is taken over.
class SingleInstance {
public:
    enum class Result {
        Acquired,
        AlreadyRunning,  // another copy holds the lock
        CannotCreate,    // the lock file cannot be created (folder read-only, disk full)
    };

    explicit SingleInstance(const QString& lockPath);
    Result acquire();
    // The message for a failed acquire, naming the folder when the file could not be created.
    QString failureText(Result result) const;

private:
    QString path_;
    QLockFile lock_;
};

inline constexpr const char* kAlreadyRunningMessage = "ATTENZIONE !!  Programma già in esecuzione !";

} // namespace corv
