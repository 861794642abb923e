#pragma once

#include <QString>
#include <functional>

namespace corv {

class AppContext;

// The fiscal code workbench (F_VerCFPI) without its window: a natural
// person's code composed from surname, name, sex, birth date and town; birth
// date and sex read back from a code's group; towns looked up; a reference
// and a test code side by side; the sheet. Composition terminates: the check
// character is computed only over the four groups when they make 15
// characters, and written only when it changes.
class FiscalCodeWorkbench {
public:
    explicit FiscalCodeWorkbench(AppContext& ctx);

    // The fields, as the window shows them.
    struct Fields {
        QString surname, name;
        QString sex = QStringLiteral("M");
        QString birthDate = QStringLiteral("__/__/____");
        QString townCode, townFind, townName;
        QString surnameGroup, nameGroup, dateGroup, checkChar;
        QString composed; // Lbl_Calc
        QString original, test;
    };
    const Fields& fields() const { return f_; }

    // The user's changes, each followed by the composition.
    void setSurname(const QString& text);
    void setName(const QString& text);
    void setSex(const QString& sex);
    void setBirthDate(const QString& text);
    void setTownCode(const QString& text);
    void setDateGroup(const QString& text);
    void setCheckChar(const QString& text);
    void setTownFind(const QString& text) { f_.townFind = text; }
    void setOriginal(const QString& text) { f_.original = text; }
    void setTest(const QString& text) { f_.test = text; }

    // Birth date and sex out of the date-and-sex group (Lbl_CodData).
    void readBirthData();
    // The town of the code typed: one match taken, several offered.
    void lookUpTown();
    // Cmd_FLoc: the towns whose code or name holds the search text.
    void searchTown();
    // Cmd_FLoc right-click: the town database rebuilt from its text files.
    void rebuildTowns();
    // Cmd_CpCF and Cmd_Clr.
    void copyOriginal();
    void clear();
    // Lbl_Calc: CODFISC.TXT written and shown; its path, empty on failure.
    QString writeSheet();

    // Called after every change of the fields.
    std::function<void()> changed;

private:
    void compose();
    void notify()
    {
        if (changed)
            changed();
    }
    // A row of the town table ("code|cap|name|..."): code and name taken.
    void takeTown(const QString& row);

    AppContext& ctx_;
    Fields f_;
    bool composing_ = false;
};

} // namespace corv
