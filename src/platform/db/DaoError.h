#pragma once

#include "platform/RuntimeError.h"

#include <QString>
#include <QStringList>

namespace dao
{

// Engine error numbers that callers branch on, and the others the layer raises.
namespace err
{
enum : int {
    ObjectNotSet = rterr::ObjectNotSet,
    Overflow = rterr::Overflow,
    EngineError = 3000,
    InvalidArgument = 3001,
    TableExists = 3010,
    UpdateWithoutEdit = 3020,
    NoCurrentRecord = 3021,
    DuplicateKey = 3022,
    FileNotFound = 3024,
    ReadOnly = 3027,
    CommitWithoutBegin = 3034,
    DiskError = 3043,
    InvalidPath = 3044,
    CannotOpen = 3051,
    TooFewParameters = 3061,
    UnknownName = 3070,
    SyntaxError = 3075,
    ExpressionSyntax = 3077,
    TableNotFound = 3078,
    TextAfterStatement = 3142,
    InvalidBookmark = 3159,
    FieldTooSmall = 3163,
    RecordDeleted = 3167,
    FieldDefinedTwice = 3191,
    DataChanged = 3197,
    DatabaseExists = 3204,
    Locked = 3218,
    InvalidOperation = 3219,
    NoFieldsDefined = 3264,
    ItemNotFound = 3265,
    ZeroLengthNotAllowed = 3315,
    NotADatabase = 3343,
    NoSuchField = 3381,
    ObjectInvalid = 3420,
    ConversionError = 3421,
    TypeMismatch = 3464
};
} // namespace err

// The error every operation of the layer throws: the engine's number and its
// Polish description, as the error boxes show them.
class Error : public RuntimeError
{
public:
    Error(int number, QString description);

    // The error with its standard description; %1, %2 take `args`.
    static Error Make(int number, const QStringList &args = {});
    static QString DescriptionOf(int number, const QStringList &args = {});

    // Another workstation holds the file (3218). `beforeAnyWrite`: the
    // refusal came before this program wrote anything in its transaction (at
    // its BEGIN or at a read), so nothing was rolled back and every list of
    // this program is as it was; otherwise (at COMMIT) the rows written were
    // taken back.
    static Error Locked(bool beforeAnyWrite);
    bool BeforeAnyWrite() const { return beforeAnyWrite_; }

private:
    bool beforeAnyWrite_ = false;
};

} // namespace dao
