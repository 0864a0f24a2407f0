#include "Recordset.h"

#include "DaoError.h"
#include "Database.h"
#include "RecordsetImpl.h"

namespace dao
{

Recordset::Recordset() = default;
Recordset::Recordset(std::shared_ptr<detail::RecordsetImpl> impl) : impl_(std::move(impl)) {}

void Recordset::notSet()
{
    throw Error::Make(err::ObjectNotSet);
}

bool Recordset::IsOpen() const
{
    return impl_ && impl_->IsOpen();
}

void Recordset::Close()
{
    impl().Close();
}

void Recordset::Requery()
{
    impl().Requery();
}

QString Recordset::Source() const
{
    return impl().Source();
}

QString Recordset::TableName() const
{
    return impl().TableName();
}

Database Recordset::Parent() const
{
    return Database(impl().Parent());
}

bool Recordset::BOF() const
{
    return impl().BOF();
}

bool Recordset::EOF() const
{
    return impl().EOF_();
}

int Recordset::RecordCount() const
{
    return impl().RecordCount();
}

void Recordset::MoveFirst()
{
    impl().MoveFirst();
}

void Recordset::MoveLast()
{
    impl().MoveLast();
}

void Recordset::MoveNext()
{
    impl().MoveNext();
}

void Recordset::MovePrevious()
{
    impl().MovePrevious();
}

int Recordset::AbsolutePosition() const
{
    return impl().AbsolutePosition();
}

void Recordset::setAbsolutePosition(int position)
{
    impl().SetAbsolutePosition(position);
}

void Recordset::FindFirst(const QString &criteria)
{
    impl().Find(criteria, false);
}

void Recordset::FindNext(const QString &criteria)
{
    impl().Find(criteria, true);
}

bool Recordset::NoMatch() const
{
    return impl().NoMatch();
}

void Recordset::AddNew()
{
    impl().AddNew();
}

void Recordset::Edit()
{
    impl().Edit();
}

void Recordset::Update()
{
    impl().Update();
}

void Recordset::CancelUpdate()
{
    impl().CancelUpdate();
}

void Recordset::Delete()
{
    impl().Delete();
}

EditModeEnum Recordset::EditMode() const
{
    return impl().EditMode();
}

dao::Bookmark Recordset::Bookmark() const
{
    return {impl().CurrentRowid()};
}

void Recordset::setBookmark(const dao::Bookmark &bookmark)
{
    impl().SetBookmark(bookmark.rowid);
}

dao::Bookmark Recordset::LastModified() const
{
    return {impl().LastModified()};
}

dao::Fields Recordset::Fields() const
{
    impl().Columns();
    return dao::Fields(impl_);
}

Field Recordset::Fields(const QString &name) const
{
    const int index = impl().QuickColumnIndex(name);
    if (index < 0)
        throw Error::Make(err::ItemNotFound);
    return Field(impl_, index);
}

Field Recordset::Fields(int index) const
{
    const auto &columns = impl().Columns();
    if (index < 0 || index >= columns.size())
        throw Error::Make(err::ItemNotFound);
    return Field(impl_, index);
}

int Recordset::FieldIndex(const QString &name) const
{
    return impl().QuickColumnIndex(name);
}

Variant Recordset::ValueAt(int position, int fieldIndex) const
{
    return impl().ValueAt(position, fieldIndex);
}

dao::Bookmark Recordset::BookmarkAt(int position) const
{
    return {impl().RowidAt(position)};
}

int Recordset::PositionOf(const dao::Bookmark &bookmark) const
{
    return impl().PositionOf(bookmark.rowid);
}

int Recordset::Subscribe(RecordsetListener listener)
{
    return impl().Subscribe(std::move(listener));
}

void Recordset::Unsubscribe(int id)
{
    if (impl_)
        impl_->Unsubscribe(id);
}

} // namespace dao
