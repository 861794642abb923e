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
        return nonBlank(QString::fromUtf8(text.readAllStandardOutput()).remove(QLatin1Char('\f')).split(QLatin1Char('\n')));
    }

    // Lines without trailing blanks (and CR), blank ones left out.
    static QStringList nonBlank(const QStringList& lines)
    {
        QStringList kept;
        for (QString line : lines) {
            while (!line.isEmpty() && (line.back() == QLatin1Char(' ') || line.back() == QLatin1Char('\r')))
                line.chop(1);
            if (!line.isEmpty())
                kept << line;
        }
        return kept;
    }

    // The PDF's lines less the left margin: the blanks before the first line
    // beyond those the report's first line has.
    static QStringList withoutMargin(QStringList pdfLines, const QString& firstReportLine)
    {
        if (pdfLines.isEmpty())
            return pdfLines;
        const auto leading = [](const QString& s) {
            qsizetype n = 0;
            while (n < s.size() && s[n] == QLatin1Char(' '))
                ++n;
            return n;
        };
        const qsizetype margin = leading(pdfLines.first()) - leading(firstReportLine);
        for (QString& line : pdfLines)
            line = line.mid(std::min(margin, leading(line)));
        return pdfLines;
    }
};

} // namespace corv::test
