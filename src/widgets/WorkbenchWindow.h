#pragma once

#include "RecordWindow.h"
#include "forms/FiscalCodeWorkbench.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace corv {

class DateField;

// F_VerCFPI: the fiscal code workbench on the record window template.
class WorkbenchWindow : public RecordWindow {
    Q_OBJECT
public:
    explicit WorkbenchWindow(AppContext& ctx, QWidget* parent = nullptr);
    FiscalCodeWorkbench& workbench() { return bench_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field(const char* name, const QString& hint, int maxLength = 0);
    void showFields();

    FiscalCodeWorkbench bench_;
    DateField* birth_ = nullptr;
    QLineEdit *surname_, *name_, *townCode_, *townFind_, *surnameGroup_, *nameGroup_, *dateGroup_, *check_, *original_, *test_;
    QComboBox* sex_ = nullptr;
    QLabel* townName_ = nullptr;
    QLabel* composed_ = nullptr;
    QLabel* readDate_ = nullptr;
    bool showing_ = false;
};

} // namespace corv
