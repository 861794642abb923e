#pragma once

#include "forms/RecordStore.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace corv {

class Ui;

// The record window template without its window: the code and description
// fields, the mode, which toolbar buttons are on, and the record operations
// (new, save, save and new, delete, restore, previous, next, read). The window
// shows what it says and calls it from its toolbar, menu and keys. Without a
// bound table the record operations beep and change nothing.
class RecordForm {
public:
    enum class Mode { None, Insert, View, Edit };

    // `store` null: a window that uses the template for its toolbar only.
    RecordForm(Ui& ui, std::unique_ptr<RecordStore> store);

    // What the window shows.
    const QString& code() const { return code_; }
    const QString& description() const { return description_; }
    Mode mode() const { return mode_; }
    // "Inizio Inserimento..", "Modifica", "Visualizzazione", or empty.
    QString modeText() const;
    bool newEnabled() const { return newEnabled_; }
    bool saveEnabled() const { return saveEnabled_ && bound(); }
    bool deleteEnabled() const { return deleteEnabled_ && bound(); }
    bool restoreEnabled() const { return restoreEnabled_; }
    // Previous, next and read need a bound table.
    bool recordsEnabled() const { return bound(); }
    bool bound() const { return store_ != nullptr && store_->binding().bound(); }
    const QVariantMap& current() const { return current_; }

    // The user typed in a field: the form is being edited.
    void setCode(const QString& code);
    void setDescription(const QString& description);

    // The window's load: cleared, view state, restore and delete off, mode insert.
    void load();
    void newRecord();
    // False (and a beep) when nothing could be saved.
    bool save();
    void saveAndNew();
    void remove();
    void restore();
    void previous() { move(false); }
    void next() { move(true); }
    // The record of the code typed, when there is one (the code field left).
    void readRecord();

    // Called after every change of what the window shows.
    std::function<void()> changed;

private:
    void clearMask();
    void saveOff();
    void saveOn();
    void show(const QVariantMap& record);
    // Asks to save a form the user changed; a "no" drops the edits.
    void saveIfModified();
    void move(bool next);
    bool failed(const QString& error);
    void notify()
    {
        if (changed)
            changed();
    }

    Ui& ui_;
    std::unique_ptr<RecordStore> store_;
    QString code_;
    QString description_;
    bool modified_ = false;
    Mode mode_ = Mode::None;
    bool newEnabled_ = true;
    bool saveEnabled_ = false;
    bool deleteEnabled_ = false;
    bool restoreEnabled_ = false;
    QVariantMap current_;
};

} // namespace corv
