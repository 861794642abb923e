#pragma once

#include <QString>
#include <QStringList>

namespace corv {

// The list the settlement register and the article obsolescence share in
// F_StLiq. It knows what it holds, so that each command acts only on lines
// of its own kind: settlement lines are never taken as article codes, nor
// article lines as periods; and an article list keeps the mode of the
// search that filled it.
struct MaintenanceList {
    enum class Kind { Empty, Settlements, Articles, ObsoleteArticles };
    Kind kind = Kind::Empty;
    QString heading;
    QStringList lines;
    // The article code of each article line: data kept apart from its text.
    QStringList keys;

    void clear(Kind newKind = Kind::Empty, const QString& newHeading = {})
    {
        kind = newKind;
        heading = newHeading;
        lines.clear();
        keys.clear();
    }
    bool holdsArticles() const { return kind == Kind::Articles || kind == Kind::ObsoleteArticles; }
};

} // namespace corv
