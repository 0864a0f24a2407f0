#pragma once

#include <QString>

#include <functional>

// The central laboratory's dictionary codes for what the register records as
// Polish names: tissue, species, sex or class, kind of sampling place and
// result. The tables are fixed; the tissue register's own code columns are
// not used. Names are lower-cased first and then compared exactly, the first
// listed name deciding.
class ClabCodes
{
public:
    // Receives the text of a warning about a name the central dictionary
    // does not know; the export goes on with the code returned.
    using Warning = std::function<void(const QString &text)>;

    // Tissue (the trimmed NazTkanka); never empty: an unknown name gets the
    // diaphragm code after a warning.
    static QString TkankaCLab(const QString &name, const Warning &warn);
    // Species (Gatunek); an unknown name gives "" after a warning.
    static QString GatunekCLab(const QString &name, const Warning &warn);
    // Sex or animal class (Plec); an unknown name gets the male code, with a
    // warning, because nothing in the record says otherwise.
    static QString PlecCLab(const QString &name, const Warning &warn);
    // Sampling place from the client's kind (TypWNI): exact names only.
    static QString PlaceByKindCLab(const QString &kind);
    // Sampling place from the client's name (Nazwa): every listed fragment the
    // name contains overwrites the result, so the last one found wins.
    static QString PlaceByNameCLab(const QString &name);
    // The result value sent for a sample's Wynik; an unlisted text as it is.
    static QString ResultCLab(const QString &wynik);
};
