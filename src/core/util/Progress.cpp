#include "util/Progress.h"

#include "platform/Ui.h"

namespace corv {

Progress::Progress(Ui& ui, int intervalMs) : ui_(ui), intervalMs_(intervalMs) {}

void Progress::show(const QString& text)
{
    ui_.status(text);
    ui_.processEvents();
    timer_.start();
}

} // namespace corv
