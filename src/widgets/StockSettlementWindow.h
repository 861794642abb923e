#pragma once

#include "RecordWindow.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/MaintenanceList.h"
#include "maintenance/SettlementRegister.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corv {

class DateField;
class PipeListView;

// F_StLiq: the settlements of the open Ardea company with their states, and
// the articles to make obsolete, in one shared list that knows what it holds.
class StockSettlementWindow : public RecordWindow {
    Q_OBJECT
public:
    explicit StockSettlementWindow(AppContext& ctx, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildSettlementSide();
    QWidget* buildStockSide();
    void showList();
    void search();
    void lookUp(const QString& which);
    QString filterKey(const QString& which) const;

    MaintenanceList list_;
    SettlementRegister register_;
    ArticleObsolescence stock_;
    QLabel* company_ = nullptr;
    PipeListView* lines_ = nullptr;
    QComboBox* state_ = nullptr;
    DateField* cutOff_ = nullptr;
    QCheckBox* alreadyObsolete_ = nullptr;
    QLineEdit* code_ = nullptr;
    QComboBox* matchMode_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLineEdit* filters_[3] = {};
    QLabel* filterNames_[3] = {};
    QPushButton* searchButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QComboBox* priceList_ = nullptr;
    QComboBox* valuation_ = nullptr;
};

} // namespace corv
