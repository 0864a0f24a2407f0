#pragma once

#include "platform/report/DataSource.h"
#include "platform/report/ReportDefinition.h"

#include <QHash>
#include <QTemporaryDir>

// Tables held in memory, for tests of the report engine without a database.
class MemorySource : public report::DataSource
{
public:
    report::TableData &table(const QString &name, const QStringList &fields)
    {
        report::TableData &t = tables_[name.toLower()];
        t.name = name;
        t.fields = fields;
        return t;
    }

    report::TableData readTable(const QString &name) override
    {
        ++reads;
        return tables_.value(name.toLower());
    }

    int reads = 0;

private:
    QHash<QString, report::TableData> tables_;
};

// A definition parsed from text, as if read from a file in `folder`.
inline report::ReportDefinition definitionOf(const QByteArray &json,
                                             const QString &folder = QStringLiteral("."))
{
    return report::ReportDefinition::parse(json, folder + QStringLiteral("/test.rpt"));
}
