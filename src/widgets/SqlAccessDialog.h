#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace corv {

class SqlAccessForm;

// The SQL Server login window (F_SQLAccess) over its core form.
class SqlAccessDialog : public QDialog {
    Q_OBJECT
public:
    explicit SqlAccessDialog(SqlAccessForm& form, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void showFields();
    void takeFields();

    SqlAccessForm& form_;
    QLineEdit* server_;
    QLineEdit* user_;
    QLineEdit* password_;
    QCheckBox* showPassword_;
    QLabel* serverLabel_;
    bool activated_ = false;
    bool closing_ = false;
};

} // namespace corv
