#include "DaoError.h"

#include <QHash>

namespace dao
{

namespace
{

const QHash<int, QString> &descriptions()
{
    static const QHash<int, QString> texts{
        {err::ObjectNotSet, QStringLiteral("Nie ustawiono zmiennej obiektu.")},
        {err::Overflow, QStringLiteral("Przepełnienie.")},
        {err::EngineError, QStringLiteral("Błąd mechanizmu bazy danych (%1).")},
        {err::InvalidArgument, QStringLiteral("Nieprawidłowy argument.")},
        {err::TableExists, QStringLiteral("Tabela '%1' już istnieje.")},
        {err::UpdateWithoutEdit,
         QStringLiteral("Operacja Update lub CancelUpdate bez operacji AddNew lub Edit.")},
        {err::NoCurrentRecord, QStringLiteral("Brak bieżącego rekordu.")},
        {err::DuplicateKey,
         QStringLiteral("Zmiany nie zostały wprowadzone, ponieważ spowodowałyby powstanie "
                        "zduplikowanych wartości w indeksie lub kluczu podstawowym.")},
        {err::FileNotFound, QStringLiteral("Nie można znaleźć pliku '%1'.")},
        {err::ReadOnly, QStringLiteral("Nie można zaktualizować. Baza danych lub obiekt są tylko "
                                       "do odczytu.")},
        {err::CommitWithoutBegin,
         QStringLiteral("Próbowano zatwierdzić lub wycofać transakcję bez jej rozpoczęcia.")},
        {err::DiskError, QStringLiteral("Błąd dysku lub sieci.")},
        {err::InvalidPath, QStringLiteral("'%1' nie jest prawidłową ścieżką. Upewnij się, że nazwa "
                                          "ścieżki jest wpisana poprawnie i że masz połączenie z "
                                          "serwerem, na którym znajduje się plik.")},
        {err::CannotOpen, QStringLiteral("Nie można otworzyć pliku '%1'.")},
        {err::TooFewParameters, QStringLiteral("Za mało parametrów. Oczekiwano 1.")},
        {err::UnknownName, QStringLiteral("Mechanizm bazy danych nie rozpoznaje '%1' jako "
                                          "prawidłowej nazwy pola lub wyrażenia.")},
        {err::SyntaxError, QStringLiteral("Błąd składni w wyrażeniu kwerendy '%1'.")},
        {err::ExpressionSyntax, QStringLiteral("Błąd składni w wyrażeniu '%1'.")},
        {err::TableNotFound, QStringLiteral("Nie można znaleźć tabeli wejściowej lub kwerendy "
                                            "'%1'.")},
        {err::InvalidBookmark, QStringLiteral("Nieprawidłowa zakładka.")},
        {err::FieldTooSmall,
         QStringLiteral("Pole jest za małe, aby przyjąć dane, które próbowano dodać.")},
        {err::RecordDeleted, QStringLiteral("Rekord jest usunięty.")},
        {err::FieldDefinedTwice, QStringLiteral("Nie można zdefiniować pola '%1' więcej niż raz.")},
        {err::DataChanged,
         QStringLiteral("Inny użytkownik zmienił ten rekord, od kiedy został odczytany. "
                        "Odśwież dane i spróbuj ponownie.")},
        {err::DatabaseExists, QStringLiteral("Baza danych '%1' już istnieje.")},
        {err::Locked, QStringLiteral("Nie można zaktualizować; obecnie zablokowane.")},
        {err::InvalidOperation, QStringLiteral("Nieprawidłowa operacja.")},
        {err::TextAfterStatement,
         QStringLiteral("Znaleziono znaki po zakończeniu instrukcji SQL. Można wykonać tylko "
                        "jedną instrukcję naraz.")},
        {err::NoFieldsDefined,
         QStringLiteral("Nie zdefiniowano pól - nie można dołączyć obiektu TableDef.")},
        {err::ItemNotFound, QStringLiteral("Nie znaleziono elementu w tej kolekcji.")},
        {err::ZeroLengthNotAllowed,
         QStringLiteral("Pole '%1' nie może być ciągiem o zerowej długości.")},
        {err::NotADatabase, QStringLiteral("Nierozpoznany format bazy danych '%1'.")},
        {err::NoSuchField, QStringLiteral("Brak pola o nazwie '%1' w tabeli '%2'.")},
        {err::ObjectInvalid,
         QStringLiteral("Obiekt jest nieprawidłowy lub nie jest już ustawiony.")},
        {err::ConversionError, QStringLiteral("Błąd konwersji typu danych.")},
        {err::TypeMismatch, QStringLiteral("Niezgodność typów danych w wyrażeniu kryterium.")},
    };
    return texts;
}

} // namespace

Error::Error(int number, QString description) : RuntimeError(number, std::move(description)) {}

QString Error::DescriptionOf(int number, const QStringList &args)
{
    const QString text =
        descriptions().value(number, QStringLiteral("Błąd mechanizmu bazy danych."));
    // One pass, so that a '%' inside an argument (a path) is never taken for a marker.
    if (args.size() >= 2 && text.contains(QLatin1String("%2")))
        return text.arg(args.at(0), args.at(1));
    if (!args.isEmpty() && text.contains(QLatin1String("%1")))
        return text.arg(args.at(0));
    return text;
}

Error Error::Make(int number, const QStringList &args)
{
    return Error(number, DescriptionOf(number, args));
}

Error Error::Locked(bool beforeAnyWrite)
{
    Error error = Make(err::Locked);
    error.beforeAnyWrite_ = beforeAnyWrite;
    return error;
}

} // namespace dao
