#pragma once

#include "RecordWindow.h"
#include "forms/FlagLists.h"
#include "forms/RecordForm.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace corv {

class CodeCombo;
class PipeListView;

// The three flag windows (Ardea VAT codes, Corvina VAT codes, Corvina
// accounting reasons): one window over the template, described by the flag
// list it shows.
class FlagsWindow : public RecordWindow {
    Q_OBJECT
public:
    FlagsWindow(AppContext& ctx, FlagSource source, const CorvinaCompanies& companies, int corvinaRow, QWidget* parent = nullptr);
    ~FlagsWindow() override;

    FlagList& list() { return list_; }

private:
    void read();
    void showRows();
    void indicatorChosen(int index);
    void report();
    // Asks before a change of the selected codes, with their number; then
    // says in the status bar how many changed.
    bool confirmChange(qsizetype codes);
    void saidChanged(int changed, qsizetype selected);

    FlagList list_;
    QComboBox* sources_ = nullptr;
    PipeListView* rows_ = nullptr;
    QComboBox* indicators_ = nullptr;
    CodeCombo* values_ = nullptr;
    QList<QCheckBox*> flags_;
};

} // namespace corv
