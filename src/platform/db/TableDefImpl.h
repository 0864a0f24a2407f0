#pragma once

#include "FieldDef.h"

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace dao::detail
{

class DatabaseImpl;

// A table definition: the fields of a new table until it is created, or an
// existing table whose fields are read from the file each time.
class TableDefImpl
{
public:
    TableDefImpl(std::shared_ptr<DatabaseImpl> database, QString name, bool exists);

    const QString &Name() const { return name_; }
    bool Exists() const { return exists_; }
    QVector<FieldDef> Columns() const;
    std::shared_ptr<FieldDef> FieldAt(int index) const;
    std::shared_ptr<FieldDef> FieldNamed(const QString &name) const;
    void AppendField(const std::shared_ptr<FieldDef> &field);
    void Create();

private:
    std::shared_ptr<DatabaseImpl> database_;
    QString name_;
    bool exists_;
    std::vector<std::shared_ptr<FieldDef>> pending_;
};

} // namespace dao::detail
