#pragma once

#include <QString>
#include <QStringList>

// The central laboratory's addresses, kept as keys of T:\mervasklab.ini
// because they differ between installations: the address that the
// document's namespace begins with, and the address of the upload service.
class ClabHosts
{
public:
    static inline const QString SchemaKey = QStringLiteral("CLABSCHEMAT");
    static inline const QString UploadKey = QStringLiteral("CLABSERWIS");

    // The key's value, trimmed; "" when the key is missing, empty or still
    // holds the installer's placeholder. Errors reading the file go to the
    // caller.
    static QString Read(const QString &key);
    // True for an address whose host is in the reserved domain "invalid",
    // such as the installer's https://clab.invalid, also written without a
    // scheme, in capitals or with a trailing dot.
    static bool IsPlaceholder(const QString &address);
    // The one refusal naming every key in `keys` (at least one).
    static QString MissingKeyText(const QStringList &keys);
};
