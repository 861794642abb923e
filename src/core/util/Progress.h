#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>

namespace corv {

class Ui;

// Shows a long command's progress in the status bar and lets pending events
// run a few times a second, however many rows go by in between.
class Progress {
public:
    // Milliseconds from some fixed moment; a test gives its own clock.
    using Clock = std::function<qint64()>;
    explicit Progress(Ui& ui, int intervalMs = 200, Clock clock = {});
    // Cheap when called for every row: the text is built only when shown.
    template <typename MakeText>
    void step(MakeText&& makeText)
    {
        if (shown_ && now() - last_ < intervalMs_)
            return;
        show(makeText());
    }

private:
    void show(const QString& text);
    qint64 now() const { return clock_ ? clock_() : timer_.elapsed(); }

    Ui& ui_;
    int intervalMs_;
    Clock clock_;
    QElapsedTimer timer_;
    bool shown_ = false;
    qint64 last_ = 0;
};

} // namespace corv
