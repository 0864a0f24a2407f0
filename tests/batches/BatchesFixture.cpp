#include "BatchesFixture.h"

#include "Press.h"

#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/WindowRegistry.h"

#include <QComboBox>
#include <QLineEdit>

BatchesFixture::BatchesFixture()
{
    if (IsValid())
        OperatorSurname = Operator + QStringLiteral("  ");
}

QStringList BatchesFixture::Column(dao::Database db, const QString &sql, const QString &field)
{
    QStringList values;
    for (const QVariant &value : TableData::Column(db, sql, field))
        values.append(value.typeId() == QMetaType::QDate
                          ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                          : value.toString());
    return values;
}

void BatchesFixture::AddClient(const QString &id, const QString &name, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("IdRzezni"), id},
                       {QStringLiteral("TypWNI"), QStringLiteral("zakład ubojowy")},
                       {QStringLiteral("Nazwa"), name},
                       {QStringLiteral("Miejscowosc"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("Ulica"), QStringLiteral("ul. Źródlana 7")},
                       {QStringLiteral("KodPocztowy"), QStringLiteral("99-100")},
                       {QStringLiteral("Miasto"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("KodPIW"), id.left(4)}};
    values.insert(extra);
    AddRow(StaleDb, QStringLiteral("Zaklad"), values);
}

void BatchesFixture::AddBatch(int batch, const QString &wni, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("WNI"), wni},
                       {QStringLiteral("KodPIW"), wni.left(4)},
                       {QStringLiteral("MiejscowoscPobr"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("Pobral"), QStringLiteral("Jan Kowalski")},
                       {QStringLiteral("Platnik"), QStringLiteral("Z")},
                       {QStringLiteral("DataUboju"), Day.addDays(-1)},
                       {QStringLiteral("DataPobr"), Day.addDays(-1)},
                       {QStringLiteral("DataDoLab"), Day},
                       {QStringLiteral("Czystopis"), QStringLiteral("N")},
                       {QStringLiteral("TNWyslane"), true}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Partia"), values);
}

void BatchesFixture::AddChildren(int batch, int samples, int runs, int trays)
{
    for (int i = 1; i <= samples; ++i)
        AddRow(MonthDb, QStringLiteral("Badanie"),
               {{QStringLiteral("Partia"), batch},
                {QStringLiteral("NrProbki"), 100 + i},
                {QStringLiteral("NrDzien"), i}});
    for (int i = 1; i <= runs; ++i)
        AddRow(MonthDb, QStringLiteral("Nastawienie"),
               {{QStringLiteral("Partia"), batch}, {QStringLiteral("Nastawienie"), i}});
    for (int i = 1; i <= trays; ++i)
        AddRow(MonthDb, QStringLiteral("PozycjaN"),
               {{QStringLiteral("Partia"), batch},
                {QStringLiteral("Nastawienie"), 1 + i % 2},
                {QStringLiteral("NrTacy"), i}});
}

FormPartia &BatchesFixture::OpenRegister()
{
    FormPartia &form = ui::WindowRegistry::Instance<FormPartia>();
    form.DTPData->setText(Day.toString(QStringLiteral("dd.MM.yyyy")));
    form.DataPartia->setRecordset(
        MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM PARTIA ORDER BY PARTIA DESC")));
    InitOnActivate = true;
    form.show();
    return form;
}

void BatchesFixture::FillValidFrame(FormPartia &form, const QString &wni)
{
    RETYPE(&form, "TextZaklad", wni);
    RETYPE(&form, "DTPDataUboju", QStringLiteral("04.03.2024"));
    RETYPE(&form, "TextDataPobr", QStringLiteral("04.03.2024"));
    RETYPE(&form, "TextKodPIW", wni.left(4));
    RETYPE(&form, "TextMiejscowoscPobr", QStringLiteral("Ostrołęka"));
    RETYPE(&form, "ComboLekarz", QStringLiteral("Jan Kowalski"));
}
