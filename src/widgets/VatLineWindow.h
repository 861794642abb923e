#pragma once

#include "RecordWindow.h"
#include "maintenance/VatLineListing.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace corv {

class CodeCombo;
class PipeListView;

// F_NatIVA and F_TipDoc: a Corvina company's VAT lines of the VAT nature or
// document type chosen.
class VatLineWindow : public RecordWindow {
    Q_OBJECT
public:
    VatLineWindow(AppContext& ctx, VatLineKind kind, const CorvinaCompanies& companies, int selected, QWidget* parent = nullptr);

private:
    void runListing();

    VatLineListing listing_;
    QComboBox* companies_ = nullptr;
    CodeCombo* values_ = nullptr;
    QCheckBox* zero_ = nullptr;
    PipeListView* lines_ = nullptr;
    CorvinaCompanies companyList_;
};

} // namespace corv
