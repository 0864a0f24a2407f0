#include "samples/SamplePickLists.h"

#include "foundation/TextProcedures.h"
#include "platform/db/Field.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

namespace
{

void column(dao::Database db, const QString &statement, const QString &field, QStringList &items)
{
    dao::Recordset rs = db.OpenRecordset(statement);
    while (!rs.EOF()) {
        items.append(ValueText(rs(field).Value()));
        rs.MoveNext();
    }
    rs.Close();
}

} // namespace

void SamplePickLists::Tissues(dao::Database db, QStringList &items)
{
    column(db, QStringLiteral("SELECT * FROM Tkanka Order By NazTkanka"),
           QStringLiteral("NazTkanka"), items);
}

void SamplePickLists::Descriptions(dao::Database db, QStringList &items)
{
    column(db, QStringLiteral("SELECT * FROM OpisProbki"), QStringLiteral("PODPOWIEDZ"), items);
}

void SamplePickLists::RemarkHints(dao::Database db, QStringList &items)
{
    column(db, QStringLiteral("SELECT * FROM UwagiProbka ORDER BY PODPOWIEDZ"),
           QStringLiteral("PODPOWIEDZ"), items);
}

QString SamplePickLists::SpeciesId(dao::Database db, const QString &name)
{
    dao::Recordset rs =
        db.OpenRecordset(QStringLiteral("SELECT * FROM GATUNEK WHERE NazGatunek = ") +
                         dao::SqlText(name) + QStringLiteral(" ORDER BY NazGatunek"));
    QString id;
    if (rs.RecordCount() > 0)
        id = ValueText(rs(QStringLiteral("IDGatunek")).Value());
    rs.Close();
    return id;
}

QString SamplePickLists::SexesSource(qint64 species)
{
    return QStringLiteral("PLEC WHERE IDGATUNEK = ") + QString::number(species);
}

bool SamplePickLists::HasSexes(dao::Database db, qint64 species)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + SexesSource(species));
    const bool any = rs.RecordCount() > 0;
    rs.Close();
    return any;
}
