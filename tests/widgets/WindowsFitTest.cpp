// Every window of the program on a 1280x800 screen, at the desktop's font
// size and at 150%: each label and button shows its whole text, and no part
// of a window is off the screen.
#include "BackupWindow.h"
#include "ChartWindow.h"
#include "CompanyChooserDialog.h"
#include "ConsoleSession.h"
#include "DiskPrintWindow.h"
#include "FlagsWindow.h"
#include "FolderChooserDialog.h"
#include "KeysHelp.h"
#include "ListWindow.h"
#include "ReportViewerWindow.h"
#include "SqlAccessDialog.h"
#include "StockSettlementWindow.h"
#include "VatDataCodesWindow.h"
#include "VatLineWindow.h"
#include "VatTotalsWindow.h"
#include "WindowPlacement.h"
#include "WorkbenchWindow.h"
#include "ardea/SqlAccessForm.h"
#include "listview/Rs2List.h"
#include "report/ReportFile.h"

#include <QAbstractButton>
#include <QLabel>

using namespace corv;

namespace {

class WindowsFit : public corv::test::ConsoleSession {
protected:
    // What does not fit in the window shown: texts cut, parts off the screen.
    QStringList misfits(QWidget* window)
    {
        window->show();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        keepOnScreen(window);
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        QStringList found;
        const QRect screen = window->screen()->availableGeometry();
        if (!screen.contains(window->frameGeometry()))
            found << QStringLiteral("fuori dallo schermo: %1,%2 %3x%4")
                         .arg(window->frameGeometry().x()).arg(window->frameGeometry().y())
                         .arg(window->frameGeometry().width()).arg(window->frameGeometry().height());
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(window))
                continue;
            auto* label = qobject_cast<QLabel*>(child);
            auto* button = qobject_cast<QAbstractButton*>(child);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (text.isEmpty() || (label && label->wordWrap()) || (label && label->textFormat() == Qt::RichText))
                continue;
            // The text's own width, with a button's icon and margins.
            int needed = 0;
            for (const QString& line : QString(text).remove(QLatin1Char('&')).split(QLatin1Char('\n')))
                needed = std::max(needed, child->fontMetrics().horizontalAdvance(line));
            if (button)
                needed += (button->icon().isNull() ? 0 : button->iconSize().width() + 4) + 8;
            if (child->width() < needed)
                found << child->objectName() + QLatin1Char('"') + text.left(30) + QStringLiteral("\" larga %1 invece di %2").arg(child->width()).arg(needed);
        }
        return found;
    }
};

TEST_F(WindowsFit, EveryWindowShowsItsTextsWholeOnTheScreenAtTwoFontSizes)
{
    ASSERT_EQ(console->screen()->availableGeometry().size(), QSize(1280, 800)) << "lo schermo delle prove è di 1280x800";
    const QString report = home.file("Prova.LOG");
    ASSERT_TRUE(ReportFile::writeAll(report, {"Riga uno", "Riga due"}));
    const QFont normal = QApplication::font();
    for (double scale : {1.0, 1.5}) {
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        QApplication::setFont(font);
        const CorvinaCompanies companies = console->state().corvinaCompanies;
        IniFile settings = ctx->corvSettings();
        FolderChooser chooser(settings, "Prova", home.path());
        SqlAccessForm form(ctx->ardeaSettings(), ctx->loginBackup(), ui, {});
        Rs2ListResult list;
        list.listName = "Prova";
        list.caption = "Elenco di prova";
        list.heading = "Codice!Descrizione!";
        list.lines = {"001|Prima riga|", "002|Seconda riga|"};
        const std::vector<std::pair<const char*, std::function<QWidget*()>>> windows = {
            {"console", [&]() -> QWidget* { return console.get(); }},
            {"F_IVAArdea", [&]() -> QWidget* { return new FlagsWindow(*ctx, FlagSource::ArdeaVatCodes, companies, 0); }},
            {"F_IVACorvina", [&]() -> QWidget* { return new FlagsWindow(*ctx, FlagSource::CorvinaVatCodes, companies, 0); }},
            {"F_CauCorvina", [&]() -> QWidget* { return new FlagsWindow(*ctx, FlagSource::CorvinaReasons, companies, 0); }},
            {"F_BckEF", [&]() -> QWidget* { return new BackupWindow(*ctx); }},
            {"F_VerCFPI", [&]() -> QWidget* { return new WorkbenchWindow(*ctx); }},
            {"F_DbP", [&]() -> QWidget* { return new DiskPrintWindow(*ctx); }},
            {"F_TotIVA", [&]() -> QWidget* { return new VatTotalsWindow(*ctx); }},
            {"F_StLiq", [&]() -> QWidget* { return new StockSettlementWindow(*ctx); }},
            {"F_NatIVA", [&]() -> QWidget* { return new VatLineWindow(*ctx, VatLineKind::Nature, companies, 0); }},
            {"F_TipDoc", [&]() -> QWidget* { return new VatLineWindow(*ctx, VatLineKind::DocumentType, companies, 0); }},
            {"F_CFPISuComDatIVA", [&]() -> QWidget* { return new VatDataCodesWindow(*ctx, companies.value(0)); }},
            {"F_List", [&]() -> QWidget* { return new ListWindow(*ctx, list); }},
            {"F_Aziende", [&]() -> QWidget* { return new CompanyChooserDialog(*ctx); }},
            {"F_Fold", [&]() -> QWidget* { return new FolderChooserDialog(chooser, ui); }},
            {"F_SQLAccess", [&]() -> QWidget* { return new SqlAccessDialog(form); }},
            {"F_Report", [&]() -> QWidget* { return ReportViewerWindow::open(report, ctx.get(), nullptr); }},
            {"F_Grafico", [&]() -> QWidget* { return new ChartWindow({"Prova", {"01", "02"}, {"Serie"}, {{1.0, 2.0}}}); }},
            {"F_Aiuto", [&]() -> QWidget* { return new KeysHelp; }},
        };
        for (const auto& [name, make] : windows) {
            QWidget* window = make();
            ASSERT_NE(window, nullptr) << name;
            const QStringList found = misfits(window);
            // For a person to look at: CORVUTIL_SCREENSHOTS=folder keeps a picture of each.
            if (const QString folder = qEnvironmentVariable("CORVUTIL_SCREENSHOTS"); !folder.isEmpty())
                window->grab().save(QStringLiteral("%1/%2-%3.png").arg(folder, QLatin1String(name)).arg(int(scale * 100)));
            EXPECT_TRUE(found.isEmpty()) << name << " al " << scale * 100 << "%:\n" << found.join('\n').toStdString();
            if (window != console.get()) {
                window->setAttribute(Qt::WA_DeleteOnClose, false);
                window->close();
                delete window;
            }
        }
    }
    QApplication::setFont(normal);
}

} // namespace
