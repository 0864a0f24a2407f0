#pragma once

#include <QString>

namespace dao::detail
{

// Text order of the databases: letter case is ignored, Polish letters follow
// their base letters (a ą b c ć ... z ź ż), everything else sorts by code
// point, and trailing blanks count.
class PolishCollation
{
public:
    static char32_t Fold(char32_t c);
    // Equal keys exactly for characters that compare equal.
    static quint32 Key(char32_t c);
    // Decodes one character of UTF-8 and advances; bad bytes stand for themselves.
    static char32_t Next(const unsigned char *&p, const unsigned char *end);
    static int Compare(const char *a, int lengthA, const char *b, int lengthB);
    static int Compare(const QString &a, const QString &b);
};

} // namespace dao::detail
