#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace fs
{

// The single-byte Windows-1250 code page, written out so that it behaves the
// same wherever the program runs. The five bytes that the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to U+0080 + byte both ways, so
// that any byte string survives a decode and encode unchanged.
class Cp1250
{
public:
    static QString Decode(QByteArrayView bytes);
    // Characters that the code page cannot hold are written as '?'.
    static QByteArray Encode(QStringView text);

    // The character's code in the code page (0..255); '?' (63) when the code
    // page cannot hold it.
    static int Asc(QChar c);
    // The character of a code; codes outside 0..255 raise error 5.
    static QChar Chr(int code);

    static bool CanEncode(QChar c);
};

} // namespace fs
