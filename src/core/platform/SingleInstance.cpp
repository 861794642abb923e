#include "platform/SingleInstance.h"

namespace corv {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath)
{
    lock_.setStaleLockTime(0); // a copy that runs for days must not lose its lock
}

bool SingleInstance::acquire() { return lock_.tryLock(0); }

} // namespace corv
