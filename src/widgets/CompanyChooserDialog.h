#pragma once

#include <QDialog>

class QListWidget;

namespace corv {

class AppContext;

// The company chooser: one row per Ardea company, activated by its button or
// a double-click, after two confirmations.
class CompanyChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit CompanyChooserDialog(AppContext& ctx, QWidget* parent = nullptr);

protected:
    void done(int result) override;

private:
    void fill();
    void activateSelected();

    AppContext& ctx_;
    QListWidget* list_;
};

} // namespace corv
