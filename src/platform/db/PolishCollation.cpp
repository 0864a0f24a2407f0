#include "PolishCollation.h"

#include <QChar>

namespace dao::detail
{

char32_t PolishCollation::Fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    return QChar::toCaseFolded(c);
}

quint32 PolishCollation::Key(char32_t c)
{
    // Room for the Polish letters right after their base letter; no other
    // character can land there, since everything else is spaced by 16.
    const char32_t folded = Fold(c);
    switch (folded) {
    case U'ą':
        return 'a' * 16 + 1;
    case U'ć':
        return 'c' * 16 + 1;
    case U'ę':
        return 'e' * 16 + 1;
    case U'ł':
        return 'l' * 16 + 1;
    case U'ń':
        return 'n' * 16 + 1;
    case U'ó':
        return 'o' * 16 + 1;
    case U'ś':
        return 's' * 16 + 1;
    case U'ź':
        return 'z' * 16 + 1;
    case U'ż':
        return 'z' * 16 + 2;
    default:
        return quint32(folded) * 16;
    }
}

char32_t PolishCollation::Next(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return lead;
    }
    if (end - p < extra)
        return lead;
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return lead;
        c = (c << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return c;
}

int PolishCollation::Compare(const char *a, int lengthA, const char *b, int lengthB)
{
    auto *pa = reinterpret_cast<const unsigned char *>(a);
    auto *pb = reinterpret_cast<const unsigned char *>(b);
    const auto *endA = pa + lengthA;
    const auto *endB = pb + lengthB;
    while (pa < endA && pb < endB) {
        if (*pa < 0x80 && *pb < 0x80) {
            const char32_t ca = Fold(*pa++);
            const char32_t cb = Fold(*pb++);
            if (ca != cb)
                return ca < cb ? -1 : 1;
            continue;
        }
        const quint32 ka = Key(Next(pa, endA));
        const quint32 kb = Key(Next(pb, endB));
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (pa < endA)
        return 1;
    return pb < endB ? -1 : 0;
}

int PolishCollation::Compare(const QString &a, const QString &b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return Compare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

} // namespace dao::detail
