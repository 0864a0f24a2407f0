#pragma once

#include <QString>

// Splits a configuration line into key and value. The separator is the first
// "=" (or the given separator), else the first "#", else the first ";"; on
// return `line` holds the key, `value` the rest and `separator` the one used.
// Nothing is trimmed. A key longer than maxKeyLength (> 0) is cut. An empty
// line leaves every output as it was.
void SplitKeyValue(QString &line, QString &value, QString &separator, int maxKeyLength);
