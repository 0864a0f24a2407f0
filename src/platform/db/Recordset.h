#pragma once

#include "Bookmark.h"
#include "DaoTypes.h"
#include "Field.h"
#include "Fields.h"

#include <QString>

#include <cstdio>
#include <memory>

// The C library's EOF macro would hide the recordset property of that name.
#undef EOF

namespace dao
{

class Database;

namespace detail
{
class RecordsetImpl;
} // namespace detail

// An updatable recordset over one table ("SELECT * FROM t [WHERE ...]
// [ORDER BY ...]" or a bare table name), in the statement's order (table order
// without ORDER BY). The rows are fixed when it is opened or re-queried; rows
// added through it join at the end. Values are read when needed, so other
// workstations can work on the file in between. Copies refer to the same
// recordset.
class Recordset
{
public:
    Recordset();

    bool IsOpen() const;
    void Close(); // a pending AddNew or Edit is dropped
    void Requery();
    QString Source() const;
    QString TableName() const;
    Database Parent() const;

    bool BOF() const;
    bool EOF() const;
    int RecordCount() const; // always complete
    // 3021: MoveFirst/MoveLast on no rows, MoveNext at EOF, MovePrevious at BOF.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    int AbsolutePosition() const; // 0-based; -1 without a current record
    void setAbsolutePosition(int position);

    // `criteria` is a WHERE condition over the table (field = 'text',
    // field = number, field LIKE 'x*' ...). No match leaves the position as it
    // was and sets NoMatch. 3070 for an unknown name.
    void FindFirst(const QString &criteria);
    void FindNext(const QString &criteria);
    bool NoMatch() const;

    // After AddNew + Update the row that was current stays current and the new
    // row, added at the end, is LastModified. After Delete there is no current
    // record until a move; MoveNext goes to the row that followed. Update and
    // Delete write only over a row that still holds what this recordset last
    // handed out of it (as the current row, or through ValueAt): 3197 when it
    // changed meanwhile, whoever changed it, 3167 when it was deleted; nothing
    // is written then. A row never handed out is written as it stands. A new
    // row never takes a rowid that a deleted row had, so a bookmark always
    // names the row it was taken for.
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    EditModeEnum EditMode() const;

    dao::Bookmark Bookmark() const;                  // 3021 without a current record
    void setBookmark(const dao::Bookmark &bookmark); // 3159 when not in this recordset
    dao::Bookmark LastModified() const;

    dao::Fields Fields() const;
    Field Fields(const QString &name) const; // 3265 when unknown
    Field Fields(int index) const;
    Field operator()(const QString &name) const { return Fields(name); }

    // For views over the recordset (the data control's grid): read any row's
    // values without moving, and learn of changes.
    int FieldIndex(const QString &name) const;           // -1 when unknown
    Variant ValueAt(int position, int fieldIndex) const; // Null for a deleted row
    dao::Bookmark BookmarkAt(int position) const;
    int PositionOf(const dao::Bookmark &bookmark) const; // -1 when absent
    int Subscribe(RecordsetListener listener);
    void Unsubscribe(int id);

    bool operator==(const Recordset &other) const { return impl_ == other.impl_; }

private:
    friend class Database;
    friend class Field;
    explicit Recordset(std::shared_ptr<detail::RecordsetImpl> impl);
    detail::RecordsetImpl &impl() const
    {
        if (!impl_)
            notSet();
        return *impl_;
    }
    [[noreturn]] static void notSet();
    std::shared_ptr<detail::RecordsetImpl> impl_;
};

} // namespace dao
