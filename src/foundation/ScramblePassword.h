#pragma once

#include <QString>

// The one-way password transformation whose output OPERATORZY.OP_HASLO stores.
// The password is upper-cased in place (the caller's variable receives it);
// the result has the same length. It works on Windows-1250 codes, so a stored
// value survives the round trip through the code page.
QString ScramblePassword(QString &password);
