#pragma once

#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "journal/VatListings.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"
#include "db/SqliteFunctions.h"

#include <sqlite3.h>

#include <cstdio>

// One run per process: the script times the whole process from outside
// (scripts/bench/measure.sh), so no run reuses what an earlier one left in
// memory and no part of the program's work goes unmeasured.

// Nobody at the screen: every question takes its default answer (or Yes),
// nothing is shown, events are not run, reports are not opened.
class QuietUi : public corv::BatchUi {
public:
    explicit QuietUi(bool answerYes = false) : answerYes_(answerYes) {}
    Answer message(const QString&, const QString&, Icon, Buttons, Answer defaultAnswer) override { return answerYes_ ? Answer::Yes : defaultAnswer; }
    void status(const QString&) override {}
    void processEvents() override {}
    bool openInViewer(const QString&, const QString&) override { return true; }

private:
    bool answerYes_;
};

// The DEMO company of a demo installation opened as the console opens it,
// with Corvina and its views; false when any step fails.
inline bool openDemoCompany(corv::AppContext& ctx)
{
    corv::ArdeaLogin login(ctx);
    if (login.AR_InitLib(false) != corv::InitOutcome::Ready)
        return false;
    ctx.setArdeaReached(true);
    QString code = QStringLiteral("DEMO");
    if (!corv::CompanyOpening(ctx).AziOpen(code) || !login.ARRecOpen() || !corv::ensureCorvinaViews(ctx))
        return false;
    ctx.setDataOpen(true);
    ctx.setCorvinaOpen(true);
    return true;
}

// Every statement a SQLite connection runs, written with its values to a
// file for the sqlite3 shell to replay, and the rows they returned counted:
// the replay must return as many.
class StatementTrace {
public:
    // False when the file cannot be created.
    bool start(const QSqlDatabase& db, const char* path)
    {
        file_ = std::fopen(path, "w");
        if (!file_)
            return false;
        sqlite3_trace_v2(corv::sqliteHandleOf(db), SQLITE_TRACE_STMT | SQLITE_TRACE_ROW, &StatementTrace::event, this);
        return true;
    }
    // False when the file could not be written whole.
    bool finish()
    {
        const bool written = !file_ || (!std::ferror(file_) && std::fclose(file_) == 0);
        file_ = nullptr;
        return written;
    }
    bool active() const { return file_ != nullptr; }
    long rows() const { return rows_; }

private:
    static int event(unsigned kind, void* self, void* statement, void*)
    {
        auto* trace = static_cast<StatementTrace*>(self);
        if (kind == SQLITE_TRACE_ROW) {
            ++trace->rows_;
        } else if (char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement))) {
            std::fputs(sql, trace->file_);
            std::fputs(";\n", trace->file_);
            sqlite3_free(sql);
        }
        return 0;
    }
    std::FILE* file_ = nullptr;
    long rows_ = 0;
};

// The statements of the connection a benchmark measures, traced when the
// environment names a file in CORVUTIL_BENCH_TRACE (or, for a second
// connection, CORVUTIL_BENCH_TRACE_2): the script replays them with the
// sqlite3 shell as the reference.
inline StatementTrace& benchTrace(int which)
{
    static StatementTrace traces[2];
    return traces[which];
}
inline bool traceIfAsked(const QSqlDatabase& db, int which = 0)
{
    const QByteArray file = qgetenv(which == 0 ? "CORVUTIL_BENCH_TRACE" : "CORVUTIL_BENCH_TRACE_2");
    return file.isEmpty() || benchTrace(which).start(db, file.constData());
}

// What every run prints: "righe N", the rows as the command counted them,
// then, when traced, "righe lette M", the rows the traced statements
// returned. The exit status: 0, or 1 when a trace could not be written.
inline int printRows(long rows)
{
    long traced = 0;
    bool anyTrace = false;
    for (int which : {0, 1}) {
        anyTrace = anyTrace || benchTrace(which).active();
        traced += benchTrace(which).rows();
        if (!benchTrace(which).finish())
            return 1;
    }
    std::printf("righe %ld\n", rows);
    if (anyTrace)
        std::printf("righe lette %ld\n", traced);
    return 0;
}
