#pragma once

#include "RecordWindow.h"
#include "maintenance/VatDataCodes.h"

class QComboBox;
class QLabel;

namespace corv {

class PipeListView;

// F_CFPISuComDatIVA: the codes of the invoice-data communications of the
// Corvina company chosen on the console, and its VAT codes by indicator.
class VatDataCodesWindow : public RecordWindow {
    Q_OBJECT
public:
    VatDataCodesWindow(AppContext& ctx, const CorvinaCompany& company, QWidget* parent = nullptr);

private:
    void showLines();
    void readCommunications();

    VatDataCodes codes_;
    QComboBox* communications_ = nullptr;
    PipeListView* lines_ = nullptr;
    QComboBox* indicators_ = nullptr;
    QComboBox* values_ = nullptr;
};

} // namespace corv
