#include "samples/SampleOrderImport.h"

#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/Transaction.h"
#include "platform/fs/FsErrors.h"
#include "platform/ui/MsgBox.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleStore.h"
#include "samples/SampleValidator.h"

namespace
{

const QString Marker = QStringLiteral("[PartiaMervask]");
const QString LineSeparators = QStringLiteral("||||||||||");
const QString ImportTitle = QStringLiteral("IMPORT Z PLIKU");

// The fields of a sample line in the order they fill the row.
const char *const LineColumns[] = {"NrProbki",     "IDProbkiWNI", "IDProbkiNr",
                                   "IDProbkiData", "NrTacy",      "NazTkanka",
                                   "Gatunek",      "Plec",        "Uwagi"};

} // namespace

std::optional<QStringList> SampleOrderImport::SampleLines(const QStringList &fileLines)
{
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        if (TrimBlanks(fileLines.at(i)).startsWith(Marker))
            return fileLines.mid(i + 1);
    }
    return std::nullopt;
}

QStringList SampleOrderImport::Fields(const QString &line)
{
    const QString prepared = TrimBlanks(line) + LineSeparators;
    QStringList fields;
    for (int n = 1; n <= 9; ++n)
        fields.append(
            NullToDefault(GetDelimitedField(prepared, n, QLatin1Char('|')), QString()).toString());
    return fields;
}

SampleOrderImport::Outcome SampleOrderImport::Run(dao::Recordset &rs, const QStringList &lines,
                                                  qint64 firstDaily, qint64 firstGeneral,
                                                  BatchNumber batch, const QDate &deliveryDate)
{
    Outcome outcome;
    dao::Database db = rs.Parent();
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    // Another workstation may have taken a number since the range was
    // confirmed; nobody can take one from here to the commit.
    const QDate day = SampleStore::DeliveryDay(deliveryDate);
    const int count = int(lines.size());
    // Numbers past their fields would stop the import half-way.
    if (!SampleNumbering::DailyRangeFits(firstDaily, count) ||
        !SampleNumbering::GeneralRangeFits(firstGeneral, count))
        throw dao::Error::Make(dao::err::Overflow);
    if (const auto taken = SampleNumbering::FirstDailyTaken(db, day, firstDaily, count)) {
        outcome.clash = SampleValidator::DailyTaken(QString::number(*taken));
        return outcome;
    }
    if (const auto taken = SampleNumbering::FirstGeneralTaken(db, firstGeneral, count)) {
        outcome.clash = SampleValidator::GeneralTaken(QString::number(*taken));
        return outcome;
    }
    for (const QString &line : lines) {
        const QStringList fields = Fields(line);
        ++outcome.attempted;
        try {
            rs.AddNew();
            rs(QStringLiteral("NrDzien")) = firstDaily + outcome.stored;
            rs(QStringLiteral("NrOgolny")) = firstGeneral + outcome.stored;
            rs(QStringLiteral("Partia")) = batch;
            for (int i = 0; i < fields.size(); ++i)
                SampleStore::SetField(rs, QLatin1String(LineColumns[i]), fields.at(i));
            rs(QStringLiteral("DataDoLab")) = day;
            SampleStore::SetField(rs, QStringLiteral("IDProbki"),
                                  SampleStore::SampleId(fields.at(1), fields.at(2), fields.at(3)));
            rs.Update();
        } catch (const RuntimeError &error) {
            if (rs.IsOpen() && rs.EditMode() != dao::dbEditNone)
                rs.CancelUpdate();
            outcome.error = error;
            outcome.failedSampleId =
                SampleStore::SampleId(fields.at(1), fields.at(2), fields.at(3));
            break;
        }
        outcome.last = rs.LastModified();
        ++outcome.stored;
    }
    transaction.Commit();
    return outcome;
}

SampleOrderImport::Message SampleOrderImport::FailureMessage(const RuntimeError &error,
                                                             const QString &sampleId)
{
    const QString numbered =
        QString::number(error.Number()) + QLatin1Char('-') + error.Description();
    switch (error.Number()) {
    case dao::err::ConversionError:
        return {QStringLiteral("Błąd wczytania! Sprawdź opcję programu: 'Wczytuj szyfrowane "
                               "pliki'!"),
                ui::vbExclamation, ImportTitle};
    case dao::err::FieldTooSmall:
        return {QStringLiteral("Jedna z wartości wczytywanego pliku jest nieprawidłowa.\r"
                               "Dane nie zostały wczytane prawidłowo.\r"
                               "Popraw plik i wczytaj ponownie lub wprowadź dane manualnie.\r"
                               "Przeslij plik programiście w celu weryfikacji.\r") +
                    numbered,
                ui::vbExclamation, ImportTitle};
    case fs::ErrPathNotFound:
        return {QStringLiteral("Nie odnaleziono ścieżki do pliku!\r") + numbered, ui::vbExclamation,
                ImportTitle};
    case dao::err::DuplicateKey:
        return {QStringLiteral("Wczytywany numer próbki już istnieje!\r") + sampleId,
                ui::vbExclamation, ImportTitle};
    default:
        return {QStringLiteral("Błąd wczytania! Poinformuj programistę!\r") +
                    QString::number(error.Number()) + error.Description(),
                ui::vbInformation, QStringLiteral("IMPORT")};
    }
}
