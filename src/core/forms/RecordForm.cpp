#include "forms/RecordForm.h"

#include "platform/Ui.h"

namespace corv {

RecordForm::RecordForm(Ui& ui, std::unique_ptr<RecordStore> store) : ui_(ui), store_(std::move(store)) {}

QString RecordForm::modeText() const
{
    switch (mode_) {
    case Mode::Insert: return QStringLiteral("Inizio Inserimento..");
    case Mode::Edit: return QStringLiteral("Modifica");
    case Mode::View: return QStringLiteral("Visualizzazione");
    case Mode::None: break;
    }
    return {};
}

void RecordForm::saveOn()
{
    saveEnabled_ = true;
    newEnabled_ = false;
    mode_ = Mode::Edit;
}

void RecordForm::saveOff()
{
    saveEnabled_ = false;
    newEnabled_ = true;
    mode_ = Mode::View;
    modified_ = false;
}

void RecordForm::clearMask()
{
    code_.clear();
    description_.clear();
    saveOff();
    restoreEnabled_ = false;
    mode_ = Mode::None;
}

void RecordForm::show(const QVariantMap& record)
{
    current_ = record;
    const RecordBinding& binding = store_->binding();
    code_ = record.value(binding.keyColumn).toString();
    description_ = record.value(binding.descriptionColumn).toString();
    saveOff();
    deleteEnabled_ = true;
    restoreEnabled_ = false;
}

bool RecordForm::failed(const QString& error)
{
    ui_.critical(QStringLiteral("Errore del database :\r\n") + error);
    return false;
}

void RecordForm::setCode(const QString& code)
{
    if (code == code_)
        return;
    code_ = code;
    modified_ = true;
    saveOn();
    restoreEnabled_ = true;
    notify();
}

void RecordForm::setDescription(const QString& description)
{
    if (description == description_)
        return;
    description_ = description;
    modified_ = true;
    saveOn();
    restoreEnabled_ = true;
    notify();
}

void RecordForm::load()
{
    clearMask();
    saveOff();
    restoreEnabled_ = false;
    deleteEnabled_ = false;
    current_.clear();
    mode_ = Mode::Insert;
    notify();
}

void RecordForm::saveIfModified()
{
    if (!modified_ || !bound())
        return;
    if (!ui_.askToChange(QStringLiteral("Salvo i Dati ?"))) {
        saveOff(); // the edits of the pending move are dropped
        return;
    }
    save();
}

bool RecordForm::save()
{
    if (!bound()) {
        ui_.beep();
        return false;
    }
    // A record needs its code.
    if (code_.trimmed().isEmpty()) {
        ui_.beep();
        return false;
    }
    QString error;
    if (!store_->save(code_, description_, &error))
        return failed(error);
    if (const auto saved = store_->read(code_))
        current_ = *saved;
    saveOff();
    deleteEnabled_ = true;
    restoreEnabled_ = false;
    notify();
    return true;
}

void RecordForm::newRecord()
{
    saveIfModified();
    clearMask();
    saveOff();
    restoreEnabled_ = false;
    deleteEnabled_ = false;
    newEnabled_ = false;
    current_.clear();
    mode_ = Mode::Insert;
    notify();
}

void RecordForm::saveAndNew()
{
    // Like every save of edits, asked first: No drops them and stops.
    if (modified_ && bound()) {
        if (!ui_.askToChange(QStringLiteral("Salvo i Dati ?"))) {
            saveOff();
            return;
        }
        if (!save())
            return;
    }
    newRecord();
}

void RecordForm::remove()
{
    if (!bound()) {
        ui_.beep();
        return;
    }
    saveIfModified();
    if (!ui_.askToChange(QStringLiteral("Confermi cancellazione ?")))
        return;
    // Nothing to delete without a record.
    if (code_.trimmed().isEmpty() || !store_->read(code_)) {
        ui_.beep();
        return;
    }
    QString error;
    if (!store_->remove(code_, &error)) {
        failed(error);
        return;
    }
    clearMask();
    deleteEnabled_ = false;
    current_.clear();
    mode_ = Mode::Insert;
    notify();
}

void RecordForm::restore()
{
    if (!ui_.askYesNo(QStringLiteral("I dati sono stati modificati. Vuoi ripristinare ?")))
        return;
    if (code_.trimmed().isEmpty())
        return;
    if (current_.isEmpty() || !bound()) {
        clearMask(); // no record to go back to
        notify();
        return;
    }
    show(current_);
    notify();
}

void RecordForm::move(bool next)
{
    if (!bound()) {
        ui_.beep();
        return;
    }
    saveIfModified();
    QString error;
    const auto record = store_->neighbour(code_, next, &error);
    if (!record) {
        if (!error.isEmpty())
            failed(error);
        ui_.beep();
        notify();
        return;
    }
    show(*record);
    notify();
}

void RecordForm::readRecord()
{
    if (!bound() || code_.isEmpty())
        return;
    QString error;
    if (const auto record = store_->read(code_, &error)) {
        show(*record);
        notify();
    } else if (!error.isEmpty()) {
        failed(error);
    }
}

} // namespace corv
