#pragma once

#include <QLockFile>
#include <QString>

namespace corv {

// Refuses a second running copy on the same data folder. The lock is released
// when the object dies; a lock left by a crashed copy is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    bool acquire();

private:
    QLockFile lock_;
};

inline constexpr const char* kAlreadyRunningMessage = "ATTENZIONE !!  Programma già in esecuzione !";

} // namespace corv
