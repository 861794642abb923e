#pragma once

#include "console/ConsoleCommands.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace corv {

// The values an unattended run gives the commands that take them in a window
// of their own.
struct UnattendedValues {
    int vatYear = 0; // the year of the VAT totals; 0: the newest with movements
    // The nature (N1, N2.1, ...) or document type (TD01, ...) of the listings;
    // "0": the lines without one.
    QString listingValue;
    // The folder of the Corvina backup; empty: the one chosen in its window.
    QString backupFolder;
    // The last settlement period to make definitive, "MMAAAA".
    QString settlementPeriod;
    // "csv" or "json": the rows also for a program, beside what is written.
    QString exportFormat;
    // The VAT-data communication (its progressive number); 0: the newest.
    int communication = 0;
    // The settlement register's change: the state ("Provvisoria", "Definitiva",
    // "Stampata") and the settlements, "MM/AAAA" each.
    QString settlementState;
    QStringList settlementPeriods;
    // The article search: the cut-off date (gg/mm/aaaa) and, when given, the
    // articles whose code holds the text.
    QString articleCutOff;
    QString articleCode;
    // The accounting reasons whose flags are set, by code.
    QStringList reasons;
    // The indicator the flag corrections set: its column, its name or its
    // position from 1; the value is `listingValue`.
    QString indicator;
};
using UnattendedWork = std::function<CommandResult(AppContext&, ConsoleState&, const UnattendedValues&)>;

// The console commands that run without a window, each with a short Italian
// name beside its button's name, and whether a question of it, answered Yes,
// changes a database or a saved file.
struct UnattendedCommand {
    QString name;       // short name: "nembo-totali"
    QString objectName; // the button: "Cmd_NbPrimaNota"
    bool changesData = false;
    // The command of the same tab that reads the reference lists it needs;
    // empty when it needs none.
    QString readsFirst = {};
    // The main work of a button that opens a window, done without it; empty:
    // the button's own work.
    UnattendedWork headless = {};
    // The options without which it cannot run ("--valore").
    QStringList requiredOptions = {};
    // The work of the button's right click: named by its short name only.
    bool rightClick = false;
};

const QList<UnattendedCommand>& unattendedCommands();
// By short name, or by button name for the work of its click, without regard
// to case; nullptr when none.
const UnattendedCommand* findUnattendedCommand(const QString& name);
// What a command needs, as a person reads it.
QString needsText(CommandNeeds needs);
// The tab's name as the console shows it.
QString tabName(ConsoleState::Tab tab);

} // namespace corv
