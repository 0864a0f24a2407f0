#pragma once

#include "Document.h"
#include "ReportDefinition.h"
#include "ReportParameters.h"
#include "SelectionFormula.h"

#include <QString>
#include <QStringList>

namespace dao
{
class Database;
}

namespace report
{

class DataSource;

// One report to run: its definition with what the caller sets on it. The
// tables are read when it is rendered, so the document shows them as they
// are at that moment.
//
//     report::Report r = report::Report::open(folder + "wyniki.rpt");
//     r.setSelectionFormula(" {Partia.Partia} = 12");
//     r.setLetterhead({tx2, tx3, tx4, tx5, tx6});
//     report::Document doc = r.render(robotDb);
class Report
{
public:
    explicit Report(ReportDefinition definition);
    // Throws RuntimeError for a missing (53), unreadable (75) or broken
    // (err::BadDefinition) definition file.
    static Report open(const QString &path);

    // Throws err::BadFormula; the previous formula stays then.
    void setSelectionFormula(const QString &formula);
    void setLetterhead(const QStringList &lines) { parameters_.letterhead = lines; }
    void setParameter(const QString &name, const QString &value) { parameters_.set(name, value); }

    // Reads the tables and lays the pages out. Throws RuntimeError (the
    // database's errors, err::BadFormula, err::BadField).
    Document render(DataSource &source) const;
    Document render(const dao::Database &database) const;

    const ReportDefinition &definition() const { return definition_; }
    const SelectionFormula &selectionFormula() const { return formula_; }

private:
    ReportDefinition definition_;
    SelectionFormula formula_;
    ReportParameters parameters_;
};

} // namespace report
