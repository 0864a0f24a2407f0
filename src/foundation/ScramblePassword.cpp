#include "foundation/ScramblePassword.h"

#include "foundation/TextProcedures.h"
#include "platform/fs/Cp1250.h"

#include <array>

namespace
{

// The shift table, entries 1..5 (entry 0 unused). Every stored OP_HASLO was
// written with these values: changing one locks every operator out.
constexpr std::array<int, 6> ShiftTable{0, 3, 1, 4, 2, 5};

} // namespace

QString ScramblePassword(QString &password)
{
    password = UpperCaseKeepLength(password);
    QString scrambled;
    scrambled.reserve(password.size());
    for (qsizetype i = 0; i < password.size(); ++i) {
        const int position = int(i) + 1;
        const int code =
            fs::Cp1250::Asc(password.at(i)) - position - ShiftTable[(position % 5) + 1];
        // Codes of valid passwords (3 to 10 printable characters) stay
        // positive; a longer text typed at sign-in wraps instead of failing,
        // and simply matches no stored value.
        scrambled.append(fs::Cp1250::Chr(code & 0xFF));
    }
    return scrambled;
}
