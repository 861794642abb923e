#pragma once

#include <QElapsedTimer>
#include <QString>

namespace corv {

class Ui;

// Shows a long command's progress in the status bar and lets pending events
// run a few times a second, however many rows go by in between.
class Progress {
public:
    explicit Progress(Ui& ui, int intervalMs = 200);
    // Cheap when called for every row: the text is built only when shown.
    template <typename MakeText>
    void step(MakeText&& makeText)
    {
        if (timer_.isValid() && timer_.elapsed() < intervalMs_)
            return;
        show(makeText());
    }

private:
    void show(const QString& text);

    Ui& ui_;
    int intervalMs_;
    QElapsedTimer timer_;
};

} // namespace corv
