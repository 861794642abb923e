#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace corv {

// The lines of a long list held compactly: one UTF-8 block and the offset of
// each line, about a third of what a QStringList of the same lines takes. A
// million report lines stay well within memory; the list views read a line
// only when it is on screen. Copies share the block.
class CompactLines {
public:
    CompactLines() = default;
    CompactLines(const QStringList& lines); // NOLINT: lists convert as they stand

    void append(QStringView line);
    CompactLines& operator<<(QStringView line)
    {
        append(line);
        return *this;
    }
    CompactLines& operator<<(const QString& line)
    {
        append(line);
        return *this;
    }
    void append(const CompactLines& other);
    void clear();

    qsizetype size() const { return ends_.size(); }
    bool isEmpty() const { return ends_.isEmpty(); }
    QString at(qsizetype index) const;
    QString operator[](qsizetype index) const { return at(index); }
    QString last() const { return at(size() - 1); }
    // The line as stored, without a conversion.
    QByteArrayView utf8At(qsizetype index) const;
    QStringList toStringList() const;

    // Sorted as the console's sorted list orders its lines: by their text,
    // letters without regard to case, equal lines in the order they came.
    void sortCaseInsensitive();

    friend bool operator==(const CompactLines& a, const CompactLines& b) { return a.ends_ == b.ends_ && a.text_ == b.text_; }

private:
    QByteArray text_;
    QList<qsizetype> ends_; // where each line ends in text_
};

} // namespace corv
