#include "util/Feedback.h"

#include "platform/Ui.h"

namespace corv {

Feedback::Feedback(Ui& ui, const StopRequest& stop, int intervalMs, Clock clock)
    : ui_(ui), stop_(stop), intervalMs_(intervalMs), clock_(std::move(clock))
{
    timer_.start();
}

void Feedback::show(const QString& text)
{
    ui_.progress({text, done_, total_, timer_.elapsed()});
    ui_.processEvents();
    shown_ = true;
    last_ = now();
}

} // namespace corv
