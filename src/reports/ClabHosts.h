#pragma once

#include <QString>

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
    // True for an address in the reserved domain "invalid", such as the
    // installer's https://clab.invalid.
    static bool IsPlaceholder(const QString &address);
    // The refusal naming a key that has no value.
    static QString MissingKeyText(const QString &key);
};
