#pragma once

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace corv {

class AppContext;
class RecordForm;

// The record window template on screen: the "&File", "&Modifica" and help
// menus, the toolbar, the code and description fields, the status panels
// and the keys (Ctrl+Del, Shift+F11, Shift+F12, F9), over a RecordForm that
// holds the state. A window adds its own controls to body().
class RecordWindow : public QMainWindow {
    Q_OBJECT
public:
    // `showRecordFields`: whether the code and description fields are shown
    // (windows that use the template for its toolbar and status bar hide them).
    RecordWindow(AppContext& ctx, RecordForm& form, const QString& objectName, const QString& caption, bool showRecordFields,
                 QWidget* parent = nullptr);
    // A window with no record table of its own: the template's toolbar and
    // status bar over a form that reads and writes nothing.
    RecordWindow(AppContext& ctx, const QString& objectName, const QString& caption, QWidget* parent = nullptr);
    ~RecordWindow() override;

    QVBoxLayout* body() const { return body_; }
    QAction* action(const char* name) const;
    // What the form says, shown again (after a command of the window's own).
    void refresh();
    // The first panel of the status bar.
    void hint(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The print entries run Save unless a window prints.
    virtual void print();

    AppContext& ctx_;

private:
    std::unique_ptr<RecordForm> ownForm_; // the table-less form, when the window has one

protected:
    RecordForm& form_;

private:
    void build(const QString& objectName, const QString& caption, bool showRecordFields);
    QAction* addAction(const char* name, const QString& text);
    void buildMenus();
    void buildToolBar();

    QLineEdit* code_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLabel* mode_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    bool refreshing_ = false;
};

} // namespace corv
