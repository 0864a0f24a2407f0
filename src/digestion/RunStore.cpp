#include "digestion/RunStore.h"

#include "digestion/RunValidator.h"
#include "foundation/RecordWrite.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Transaction.h"

#include <QLocale>

#include <limits>

namespace
{

const QString RunTable = QStringLiteral("Nastawienie");
const QString TrayTable = QStringLiteral("PozycjaN");

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result.append(QLatin1String(name));
    return result;
}

bool isDateField(const QString &field)
{
    return field == QLatin1String("DataRozpBad") || field == QLatin1String("DataZakBad");
}

bool isDecimalField(const QString &field)
{
    return field == QLatin1String("Nawazka") || field == QLatin1String("Pepsyna") ||
           field == QLatin1String("Kwas");
}

// An optional quantity: its value when the box holds a number, else Null. A
// number too large for its field is left to the field to refuse.
dao::Variant quantity(const QString &field, const QString &text)
{
    if (isDecimalField(field)) {
        const std::optional<double> value = RunValidator::DecimalValue(text);
        return value ? dao::Variant(*value) : dao::Variant();
    }
    const std::optional<qint64> value = RunValidator::IntegerValue(
        text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    return value ? dao::Variant(*value) : dao::Variant();
}

// A stored value as the frames show it: numbers with the Polish decimal comma
// that the list and the card show too, without a thousands separator (the
// save reads the text back) and to a Single's seven significant digits.
QString frameText(const dao::Variant &value)
{
    if (!dao::IsNull(value) &&
        (value.typeId() == QMetaType::Float || value.typeId() == QMetaType::Double)) {
        QLocale polish(QLocale::Polish, QLocale::Poland);
        polish.setNumberOptions(QLocale::OmitGroupSeparator);
        return polish.toString(value.toDouble(), 'g', 7);
    }
    return ValueText(value);
}

dao::Variant dateValue(const QString &text)
{
    const std::optional<QDate> day = RunValidator::DateOf(text);
    return day ? dao::Variant(*day) : dao::Variant();
}

// The run frame's values by the field each is written to, in the order they
// are written.
struct RunColumn {
    const char *field;
    QString RunFrameValues::*value;
};
const RunColumn RunColumns[] = {{"Nastawienie", &RunFrameValues::number},
                                {"NrTac", &RunFrameValues::trays},
                                {"IlProbek", &RunFrameValues::sampleCount},
                                {"Nawazka", &RunFrameValues::sampleWeight},
                                {"Pepsyna", &RunFrameValues::pepsin},
                                {"Kwas", &RunFrameValues::acid},
                                {"Temperatura", &RunFrameValues::temperature},
                                {"TemperaturaMax", &RunFrameValues::temperatureMax},
                                {"Czas", &RunFrameValues::digestionTime},
                                {"CzasSedymentacji1", &RunFrameValues::settlingTime1},
                                {"CzasSedymentacji2", &RunFrameValues::settlingTime2},
                                {"Waga", &RunFrameValues::scales},
                                {"Termometr", &RunFrameValues::thermometer},
                                {"Mieszadlo", &RunFrameValues::stirrer},
                                {"Trychinoskop", &RunFrameValues::trichinoscope},
                                {"OdczynnikHCL", &RunFrameValues::acidSeries},
                                {"OdczynnikPepsyna", &RunFrameValues::pepsinSeries},
                                {"Sito", &RunFrameValues::sieve},
                                {"Wynik", &RunFrameValues::result},
                                {"DataRozpBad", &RunFrameValues::startDate},
                                {"GodzRozpBad", &RunFrameValues::startTime},
                                {"DataZakBad", &RunFrameValues::endDate},
                                {"GodzZakBad", &RunFrameValues::endTime},
                                {"Uwagi", &RunFrameValues::remarks},
                                {"Wykonujacy", &RunFrameValues::performedBy},
                                {"Odpowiedzialny", &RunFrameValues::responsible}};

void setRunFields(dao::Recordset &rs, BatchNumber batch, int number, const RunFrameValues &values)
{
    rs(QStringLiteral("Partia")) = batch;
    rs(QStringLiteral("Nastawienie")) = number;
    for (const RunColumn &column : RunColumns) {
        const QString field = QLatin1String(column.field);
        if (field == QLatin1String("Nastawienie"))
            continue;
        const QString &text = values.*column.value;
        if (field == QLatin1String("IlProbek") || isDecimalField(field))
            rs(field) = quantity(field, text);
        else if (isDateField(field))
            rs(field) = dateValue(text);
        else
            rs(field) = text;
    }
}

void setTrayFields(dao::Recordset &rs, BatchNumber batch, int run, int tray,
                   const FrameTexts &texts)
{
    rs(QStringLiteral("Partia")) = batch;
    rs(QStringLiteral("Nastawienie")) = run;
    rs(QStringLiteral("NrTacy")) = tray;
    for (const QString &field : RunStore::TrayFields()) {
        if (field == QLatin1String("NrTacy"))
            continue;
        const QString text = texts.value(field);
        if (field == QLatin1String("IlProbek"))
            rs(field) = *RunValidator::SmallInteger(text);
        else
            rs(field) = text;
    }
}

QString keyCondition(BatchNumber batch)
{
    return QStringLiteral(" WHERE PARTIA = ") + QString::number(batch);
}

int count(dao::Database db, const QString &sql)
{
    dao::Recordset rs = db.OpenRecordset(sql);
    const int rows = rs.RecordCount();
    rs.Close();
    return rows;
}

} // namespace

const QStringList &RunStore::TrayFields()
{
    static const QStringList fields = names({"NrTacy", "NrTusz", "NrTuszTucznik", "NrTuszMaciora",
                                             "NrTuszKnur", "NrTuszDzik", "NrTuszInne", "IlProbek"});
    return fields;
}

dao::Recordset RunStore::OpenRuns(dao::Database db, BatchNumber batch)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM Nastawienie") + keyCondition(batch) +
                            QStringLiteral(" ORDER BY Nastawienie"));
}

dao::Recordset RunStore::OpenTrays(dao::Database db, BatchNumber batch, int run)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM PozycjaN") + keyCondition(batch) +
                            QStringLiteral(" And Nastawienie = ") + QString::number(run) +
                            QStringLiteral(" ORDER BY NrTacy"));
}

dao::Recordset RunStore::OpenNoTrays(dao::Database db)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM PozycjaN") + keyCondition(0));
}

int RunStore::NextRunNumber(dao::Database db, BatchNumber batch)
{
    dao::Recordset rs = OpenRuns(db, batch);
    int next = 1;
    if (rs.RecordCount() > 0) {
        rs.MoveLast();
        next = rs(QStringLiteral("Nastawienie")).Value().toInt() + 1;
    }
    rs.Close();
    return next;
}

std::pair<QString, QString> RunStore::BatchTestDates(dao::Database db, BatchNumber batch)
{
    dao::Recordset rs =
        db.OpenRecordset(QStringLiteral("SELECT * FROM Partia") + keyCondition(batch));
    std::pair<QString, QString> dates;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        dates = {ValueText(rs(QStringLiteral("DataRozpBad")).Value()),
                 ValueText(rs(QStringLiteral("DataZakBad")).Value())};
    }
    rs.Close();
    return dates;
}

FrameTexts RunStore::Texts(const dao::Recordset &rs, const QStringList &fields)
{
    FrameTexts texts;
    for (const QString &field : fields)
        texts.insert(field, frameText(rs(field).Value()));
    return texts;
}

RunFrameValues RunStore::RunValues(const dao::Recordset &rs)
{
    RunFrameValues values;
    for (const RunColumn &column : RunColumns)
        values.*column.value = frameText(rs(QLatin1String(column.field)).Value());
    return values;
}

std::variant<Refusal, dao::Bookmark> RunStore::SaveRun(dao::Database db, BatchNumber batch,
                                                       const RunFrameValues &values,
                                                       const std::optional<LoadedRow> &loadedRun)
{
    const int number = *RunValidator::SmallInteger(values.number);
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    std::optional<int> stored;
    dao::Recordset runs;
    if (loadedRun) {
        runs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + RunTable);
        HoldAsLoaded(runs, *loadedRun);
        stored = runs(QStringLiteral("Nastawienie")).Value().toInt();
    } else {
        runs = db.OpenRecordset(QStringLiteral("SELECT * FROM Nastawienie") + keyCondition(batch));
    }
    if (!stored || *stored != number) {
        if (count(db, QStringLiteral("SELECT * FROM Nastawienie") + keyCondition(batch) +
                          QStringLiteral(" And Nastawienie = ") + QString::number(number)) > 0)
            return RunValidator::DuplicateRun(number);
    }
    if (std::optional<Refusal> fault =
            RunValidator::CheckRunDates(values.startDate, values.endDate))
        return *fault;
    if (stored && *stored != number) {
        const BatchNumber storedBatch = runs(QStringLiteral("Partia")).Value().toLongLong();
        db.Execute(QStringLiteral("UPDATE PozycjaN SET Nastawienie = %1 WHERE Partia = %2 And "
                                  "Nastawienie = %3")
                       .arg(number)
                       .arg(storedBatch)
                       .arg(*stored));
    }
    const dao::Bookmark written = WriteLoadedRow(
        runs, loadedRun, [&](dao::Recordset &rs) { setRunFields(rs, batch, number, values); });
    runs.Close();
    transaction.Commit();
    return written;
}

std::variant<Refusal, dao::Bookmark> RunStore::SaveTray(dao::Database db, BatchNumber batch,
                                                        int run, const FrameTexts &texts,
                                                        const std::optional<LoadedRow> &loadedTray)
{
    const int number = *RunValidator::SmallInteger(texts.value(QStringLiteral("NrTacy")));
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    dao::Recordset trays;
    std::optional<int> stored;
    if (loadedTray) {
        trays = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + TrayTable);
        HoldAsLoaded(trays, *loadedTray);
        stored = trays(QStringLiteral("NrTacy")).Value().toInt();
    } else {
        trays = OpenTrays(db, batch, run);
    }
    if (!stored || *stored != number) {
        dao::Recordset same = OpenTrays(db, batch, run);
        same.FindFirst(QStringLiteral("NrTacy = ") + QString::number(number));
        const bool taken = !same.NoMatch();
        same.Close();
        if (taken)
            return RunValidator::DuplicateTray(number);
    }
    const dao::Bookmark written = WriteLoadedRow(trays, loadedTray, [&](dao::Recordset &rs) {
        setTrayFields(rs, batch, run, number, texts);
    });
    trays.Close();
    transaction.Commit();
    return written;
}

bool RunStore::DeleteRun(dao::Database db, dao::Recordset &runs, dao::Recordset &trays,
                         const QList<dao::Bookmark> &chosen)
{
    const BatchNumber batch = runs(QStringLiteral("Partia")).Value().toLongLong();
    const int number = runs(QStringLiteral("Nastawienie")).Value().toInt();
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    for (const dao::Bookmark &tray : chosen) {
        trays.setBookmark(tray);
        trays.Delete();
    }
    // Trays another workstation added to the run meanwhile keep it.
    const bool emptied =
        count(db, QStringLiteral("SELECT * FROM PozycjaN") + keyCondition(batch) +
                      QStringLiteral(" And Nastawienie = ") + QString::number(number)) == 0;
    if (emptied)
        runs.Delete();
    transaction.Commit();
    return emptied;
}

void RunStore::DeleteTray(dao::Database db, dao::Recordset &trays)
{
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    trays.Delete();
    transaction.Commit();
}
