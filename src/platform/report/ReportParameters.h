#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace report
{

// What the caller hands to a report besides its data: the laboratory's
// letterhead lines and named texts ({?Name} in the definition).
class ReportParameters
{
public:
    QStringList letterhead;

    void set(const QString &name, const QString &value) { values_.insert(name.toLower(), value); }
    // A parameter the caller did not pass reads as the empty text.
    QString value(const QString &name) const { return values_.value(name.toLower()); }

private:
    QHash<QString, QString> values_;
};

} // namespace report
