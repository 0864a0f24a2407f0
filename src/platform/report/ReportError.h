#pragma once

#include "platform/RuntimeError.h"

#include <QString>

namespace report
{

// Error numbers of the report layer. 53 and 75 are the numbers the register's
// handlers already know for a missing file and for a path or file access error;
// the others are our own.
namespace err
{
enum : int {
    FileNotFound = rterr::FileNotFound,
    PathFileAccess = rterr::PathFileAccess,
    BadDefinition = 32101,
    BadFormula = 32102,
    BadField = 32103,
    NoPrintAnswer = 32104,
    PrintFailed = 32105,
};
}

// Builds the error that every failure of the layer is reported with.
class ReportError
{
public:
    static RuntimeError missingDefinition(const QString &path);
    static RuntimeError unreadableDefinition(const QString &path, const QString &reason);
    static RuntimeError badDefinition(const QString &path, const QString &detail);
    static RuntimeError badFormula(const QString &formula, const QString &detail);
    static RuntimeError badField(const QString &reference, const QString &detail);
    static RuntimeError cannotWrite(const QString &path, const QString &reason);
    static RuntimeError printFailed(const QString &printer);
};

} // namespace report
