#include "util/Progress.h"

#include "platform/Ui.h"

namespace corv {

Progress::Progress(Ui& ui, int intervalMs, Clock clock) : ui_(ui), intervalMs_(intervalMs), clock_(std::move(clock))
{
    timer_.start();
}

void Progress::show(const QString& text)
{
    ui_.status(text);
    ui_.processEvents();
    shown_ = true;
    last_ = now();
}

} // namespace corv
