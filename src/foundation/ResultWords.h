#pragma once

#include <QString>
#include <QStringList>

// The result of a sample or a run, as the laboratory writes it, and the two
// words of the older order files that mean the same.
namespace ResultWords
{
inline const QString NotFound = QStringLiteral("nie stwierdzono");
inline const QString Found = QStringLiteral("stwierdzono");
inline const QString Withdrawn = QStringLiteral("odstąpienie");
inline const QString Negative = QStringLiteral("ujemny");
inline const QString Positive = QStringLiteral("dodatni");

// The entries of a result list, in the order the lists offer them.
inline QStringList Choices()
{
    return {NotFound, Found, Withdrawn};
}
} // namespace ResultWords
