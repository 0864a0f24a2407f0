#include "reports/ClabStore.h"

#include "foundation/ResultWords.h"
#include "platform/db/DaoError.h"
#include "platform/db/SqlText.h"
#include "registers/ClientStore.h"

#include <QStringList>

namespace
{

QString text(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

QDate date(const QVariant &value)
{
    return value.isNull() ? QDate() : value.toDate();
}

// Field positions of a recordset, looked up once per run.
class Columns
{
public:
    Columns(const dao::Recordset &rs, std::initializer_list<const char *> names)
    {
        for (const char *name : names)
            index_.append(rs.FieldIndex(QLatin1String(name)));
    }
    int operator[](int i) const { return index_[i]; }

private:
    QVector<int> index_;
};

// The stored sample code, or for samples stored before the code was kept
// whole, its parts joined.
QString sampleName(const dao::Recordset &samples, int row, int code, int wni, int nr, int day)
{
    const QVariant whole = samples.ValueAt(row, code);
    return !whole.isNull() ? whole.toString()
                           : text(samples.ValueAt(row, wni)) + text(samples.ValueAt(row, nr)) +
                                 text(samples.ValueAt(row, day));
}

} // namespace

ClabStore::ClabStore(dao::Database month, dao::Database stale)
    : month_(std::move(month)), stale_(std::move(stale))
{
}

// The batches of the choice; their numbers, one for every batch.
QStringList ClabStore::openBatches(const QString &batchChoice, const QDate &from, const QDate &to)
{
    QString where;
    if (batchChoice == AllBatches) {
        where = QStringLiteral("DataZakBad >= ") + dao::SqlDate(from) +
                QStringLiteral(" and DataZakBad <= ") + dao::SqlDate(to);
    } else {
        bool ok = false;
        const qint64 number = batchChoice.trimmed().toLongLong(&ok);
        if (!ok)
            throw dao::Error::Make(dao::err::SyntaxError,
                                   {QStringLiteral("Partia = ") + batchChoice});
        where = QStringLiteral("Partia = ") + QString::number(number);
    }
    batches_ = month_.OpenRecordset(
        QStringLiteral("SELECT * FROM PARTIA WHERE Czystopis = 'T' AND ") + where);
    samples_ = dao::Recordset();
    samplesOfBatch_.clear();
    clients_.clear();
    sampleCount_ = 0;
    const int partia = batches_.FieldIndex(QStringLiteral("Partia"));
    const int count = batches_.RecordCount();
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 0; i < count; ++i)
        numbers.append(text(batches_.ValueAt(i, partia)));
    return numbers;
}

// The samples of the chosen batches in one statement, sorted out by batch
// here, so that a month of thousands of batches is read once.
void ClabStore::groupSamples(const QString &source)
{
    samples_ = month_.OpenRecordset(source);
    const int samplePartia = samples_.FieldIndex(QStringLiteral("Partia"));
    const int sampleCount = samples_.RecordCount();
    for (int row = 0; row < sampleCount; ++row)
        samplesOfBatch_[text(samples_.ValueAt(row, samplePartia))].append(row);
}

namespace
{

QString samplesOf(QStringList numbers)
{
    numbers.removeDuplicates();
    return QStringLiteral("SELECT * FROM BADANIE WHERE Partia IN (") + numbers.join(u',') + u')';
}

} // namespace

void ClabStore::Open(const QString &batchChoice, const QDate &from, const QDate &to)
{
    const QStringList numbers = openBatches(batchChoice, from, to);
    if (numbers.isEmpty())
        return;
    groupSamples(samplesOf(numbers));
    for (const QString &number : numbers)
        sampleCount_ += int(samplesOfBatch_.value(number).size());
}

void ClabStore::OpenForCheck(const QString &batchChoice, const QDate &from, const QDate &to)
{
    const QStringList numbers = openBatches(batchChoice, from, to);
    if (numbers.isEmpty())
        return;
    const QString all = samplesOf(numbers);
    // Counted from the row keys alone; no sample is read for it.
    sampleCount_ = month_.OpenRecordset(all).RecordCount();
    QHash<QString, int> times;
    for (const QString &number : numbers)
        ++times[number];
    for (auto it = times.cbegin(); it != times.cend(); ++it) {
        if (it.value() > 1)
            sampleCount_ +=
                (it.value() - 1) * month_
                                       .OpenRecordset(QStringLiteral("SELECT * FROM BADANIE WHERE "
                                                                     "Partia = ") +
                                                      it.key())
                                       .RecordCount();
    }
    // Compared byte for byte, whatever the column's collation: a result the
    // check refuses is never left out here.
    groupSamples(all + QStringLiteral(" AND (Wynik IS NULL OR Wynik COLLATE BINARY NOT IN (") +
                 dao::SqlText(ResultWords::NotFound) + u',' + dao::SqlText(ResultWords::Found) +
                 QStringLiteral("))"));
}

ClabBatch ClabStore::Batch(int index) const
{
    const Columns b(batches_, {"Partia", "WNI", "KodPIW", "Platnik", "Pobral", "DataPobr",
                               "DataDoLab", "DataZakBad"});
    ClabBatch batch;
    batch.partia = text(batches_.ValueAt(index, b[0]));
    batch.wni = text(batches_.ValueAt(index, b[1]));
    batch.kodPiw = text(batches_.ValueAt(index, b[2]));
    batch.platnik = text(batches_.ValueAt(index, b[3]));
    batch.pobral = text(batches_.ValueAt(index, b[4]));
    batch.dataPobr = date(batches_.ValueAt(index, b[5]));
    batch.dataDoLab = date(batches_.ValueAt(index, b[6]));
    batch.dataZakBad = date(batches_.ValueAt(index, b[7]));
    const QVector<int> rows = samplesOfBatch_.value(batch.partia);
    if (rows.isEmpty())
        return batch;
    const Columns s(samples_, {"NrOgolny", "NazTkanka", "Gatunek", "Plec", "Wynik", "IDProbki",
                               "IDProbkiWNI", "IDProbkiNr", "IDProbkiData"});
    batch.samples.reserve(rows.size());
    for (const int row : rows) {
        ClabSample sample;
        sample.nrOgolny = text(samples_.ValueAt(row, s[0]));
        sample.nazTkanka = text(samples_.ValueAt(row, s[1]));
        sample.gatunek = text(samples_.ValueAt(row, s[2]));
        sample.plec = text(samples_.ValueAt(row, s[3]));
        sample.wynik = text(samples_.ValueAt(row, s[4]));
        sample.idProbki = sampleName(samples_, row, s[5], s[6], s[7], s[8]);
        batch.samples.append(sample);
    }
    return batch;
}

ClabBatch ClabStore::Results(int index) const
{
    ClabBatch batch;
    batch.partia = text(batches_.ValueAt(index, batches_.FieldIndex(QStringLiteral("Partia"))));
    const QVector<int> rows = samplesOfBatch_.value(batch.partia);
    if (rows.isEmpty())
        return batch;
    const Columns s(samples_, {"Wynik", "IDProbki", "IDProbkiWNI", "IDProbkiNr", "IDProbkiData"});
    batch.samples.resize(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        ClabSample &sample = batch.samples[i];
        sample.wynik = text(samples_.ValueAt(rows[i], s[0]));
        sample.idProbki = sampleName(samples_, rows[i], s[1], s[2], s[3], s[4]);
    }
    return batch;
}

ClabStore::PayerKinds ClabStore::KindsWithSamples() const
{
    PayerKinds kinds;
    const int partia = batches_.FieldIndex(QStringLiteral("Partia"));
    const int platnik = batches_.FieldIndex(QStringLiteral("Platnik"));
    const int count = batches_.RecordCount();
    for (int i = 0; i < count; ++i) {
        if (samplesOfBatch_.value(text(batches_.ValueAt(i, partia))).isEmpty())
            continue;
        if (text(batches_.ValueAt(i, platnik)) == QLatin1String("Z"))
            kinds.official = true;
        else
            kinds.service = true;
    }
    return kinds;
}

std::optional<ClabClient> ClabStore::Client(const QString &wni)
{
    const auto known = clients_.constFind(wni);
    if (known != clients_.constEnd())
        return *known;
    std::optional<ClabClient> client;
    if (const std::optional<::Client> found = ClientStore::Find(stale_, wni))
        client = ClabClient{found->Nazwa, found->Miejscowosc, found->Ulica, found->TypWNI};
    clients_.insert(wni, client);
    return client;
}

QString ClabStore::LaboratoryCode(dao::Database stale, const QString &field)
{
    dao::Recordset rs = stale.OpenRecordset(QStringLiteral("PODATNIK"));
    QString code;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        code = text(rs(field).Value());
    }
    rs.Close();
    return code;
}
