#pragma once

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <functional>

namespace corv {

class Ui;

// A user's request to stop the command that runs (Esc, the stop button, the
// window closed): long commands look at it between rows and end cleanly,
// keeping what they saved. It may be asked from another thread.
class StopRequest {
public:
    void request() { requested_ = true; }
    void clear() { requested_ = false; }
    bool requested() const { return requested_; }

private:
    std::atomic<bool> requested_ = false;
};

// The feedback of a long command, one object for both ways: its progress in
// the status bar (pending events run then) a few times a second however many
// rows go by, and the user's request to stop, answered between two rows.
class Feedback {
public:
    // Milliseconds from some fixed moment; a test gives its own clock.
    using Clock = std::function<qint64()>;
    Feedback(Ui& ui, const StopRequest& stop, int intervalMs = 200, Clock clock = {});
    // One step done; cheap when called for every row: the text is built only
    // when shown. False when the user asked to stop: the loop ends there.
    template <typename MakeText>
    bool step(MakeText&& makeText)
    {
        ++done_;
        if (!shown_ || now() - last_ >= intervalMs_)
            show(makeText());
        return !stop_.requested();
    }
    // The steps the command will take, when it knows them (or can count them
    // cheaply): the progress then shows a percentage and the time left.
    void setTotal(qint64 total) { total_ = total; }
    bool stopRequested() const { return stop_.requested(); }

private:
    void show(const QString& text);
    qint64 now() const { return clock_ ? clock_() : timer_.elapsed(); }

    Ui& ui_;
    const StopRequest& stop_;
    int intervalMs_;
    Clock clock_;
    QElapsedTimer timer_;
    bool shown_ = false;
    qint64 last_ = 0;
    qint64 done_ = 0;
    qint64 total_ = 0;
};

} // namespace corv
