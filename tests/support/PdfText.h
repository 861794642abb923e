#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace corv::test {

// What poppler's tools read in a PDF: its page count, and its text laid out
// in columns of a fixed pitch (points per character), lines without their
// trailing blanks, blank lines and page breaks left out.
struct PdfText {
    static int pages(const QString& pdf)
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        info.waitForFinished(60000);
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(QString::fromUtf8(info.readAllStandardOutput()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    // `page` 0: every page.
    static QStringList lines(const QString& pdf, double pitch, int page = 0)
    {
        QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-fixed"), QString::number(pitch)};
        if (page > 0)
            arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
        text.waitForFinished(120000);
        QStringList kept; // without trailing blanks (and CR), blank lines left out
        for (QString line : QString::fromUtf8(text.readAllStandardOutput()).remove(QLatin1Char('\f')).split(QLatin1Char('\n'))) {
            line.remove(QRegularExpression(QStringLiteral("[ \r]+$")));
            if (!line.isEmpty())
                kept << line;
        }
        return kept;
    }
};

} // namespace corv::test
