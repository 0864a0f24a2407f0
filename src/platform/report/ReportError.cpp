#include "ReportError.h"

#include "platform/fs/DriveMap.h"

namespace report
{

namespace
{

// The operator knows the files by the register's own paths (T:\Raporty\...),
// not by where the drive map keeps them.
QString Shown(const QString &path)
{
    return fs::DriveMap::ToWindows(path);
}

} // namespace

RuntimeError ReportError::missingDefinition(const QString &path)
{
    return RuntimeError(
        err::FileNotFound,
        QStringLiteral("Nie można otworzyć raportu: %1 (brak pliku)").arg(Shown(path)));
}

RuntimeError ReportError::unreadableDefinition(const QString &path, const QString &reason)
{
    return RuntimeError(
        err::PathFileAccess,
        QStringLiteral("Nie można otworzyć raportu: %1 (%2)").arg(Shown(path), reason));
}

RuntimeError ReportError::badDefinition(const QString &path, const QString &detail)
{
    return RuntimeError(
        err::BadDefinition,
        QStringLiteral("Nie można otworzyć raportu: %1 (%2)").arg(Shown(path), detail));
}

RuntimeError ReportError::badFormula(const QString &formula, const QString &detail)
{
    return RuntimeError(
        err::BadFormula,
        QStringLiteral("Błędna formuła wyboru rekordów: \"%1\" (%2)").arg(formula, detail));
}

RuntimeError ReportError::badField(const QString &reference, const QString &detail)
{
    return RuntimeError(err::BadField,
                        QStringLiteral("Błąd pola raportu %1: %2").arg(reference, detail));
}

RuntimeError ReportError::cannotWrite(const QString &path, const QString &reason)
{
    return RuntimeError(
        err::PathFileAccess,
        QStringLiteral("Nie można zapisać pliku: %1 (%2)").arg(Shown(path), reason));
}

RuntimeError ReportError::printFailed(const QString &printer)
{
    return RuntimeError(err::PrintFailed,
                        QStringLiteral("Nie można drukować na drukarce %1").arg(printer));
}

} // namespace report
