#pragma once

#include "DaoTypes.h"

#include <QString>

#include <memory>

namespace dao
{

namespace detail
{
class RecordsetImpl;
struct FieldDef;
} // namespace detail

// A field: either a column definition (from CreateField or a TableDef) or a
// field of a recordset's current record. Copies refer to the same field.
class Field
{
public:
    Field();
    Field(const Field &) = default;
    // Assigning one field to another must copy the value, as the old code
    // reads (`rs("a") = rs2("b")`); write `rs("a") = rs2("b").Value()`.
    Field &operator=(const Field &) = delete;
    ~Field();

    QString Name() const;
    DataTypeEnum Type() const;
    int Size() const; // characters for Text, bytes for the others, 0 for Memo
    bool AllowZeroLength() const;
    void setAllowZeroLength(bool allow); // definitions not yet appended only

    // The current record's value; Null is an invalid Variant.
    // 3021 without a current record, 3167 when the row was deleted.
    Variant Value() const;
    // Checked at once: 3020 without AddNew/Edit, 3163 text too long,
    // 6 out of the type's range, 3421 no conversion.
    void setValue(const Variant &value);
    Field &operator=(const Variant &value)
    {
        setValue(value);
        return *this;
    }
    operator Variant() const { return Value(); }

private:
    friend class Fields;
    friend class TableDef;
    friend class Recordset;
    explicit Field(std::shared_ptr<detail::FieldDef> def);
    Field(const std::shared_ptr<detail::RecordsetImpl> &rs, int index);

    int resolvedIndex() const;

    std::shared_ptr<detail::FieldDef> def_;
    std::shared_ptr<detail::RecordsetImpl> rs_;
    int index_ = -1;
    quint64 schemaGeneration_ = 0;
};

} // namespace dao
