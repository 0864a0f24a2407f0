#include "SamplesFixture.h"

#include "foundation/Globals.h"
#include "foundation/frmLoginLab.h"
#include "platform/fs/Cp1250.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

#include <QLineEdit>

#include <QDir>
#include <QFile>
#include <QFileInfo>

void SamplesFixture::AddBatch(int batch, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("WNI"), Wni},
                       {QStringLiteral("KodPIW"), Wni.left(4)},
                       {QStringLiteral("DataUboju"), Day.addDays(-1)},
                       {QStringLiteral("DataPobr"), Day.addDays(-1)},
                       {QStringLiteral("DataDoLab"), Day},
                       {QStringLiteral("MiejscowoscPobr"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("Pobral"), QStringLiteral("Jan Kowalski")},
                       {QStringLiteral("Platnik"), QStringLiteral("Z")},
                       {QStringLiteral("Czystopis"), QStringLiteral("N")}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Partia"), values);
}

void SamplesFixture::AddSample(int batch, int carcass, const QVariant &daily,
                               const QVariant &general, const QVariantMap &extra)
{
    QVariantMap values{
        {QStringLiteral("Partia"), batch},
        {QStringLiteral("NrProbki"), carcass},
        {QStringLiteral("NrDzien"), daily},
        {QStringLiteral("NrOgolny"), general},
        {QStringLiteral("IDProbkiWNI"), Wni},
        {QStringLiteral("IDProbkiNr"), QString::number(carcass).rightJustified(3, '0')},
        {QStringLiteral("IDProbkiData"), QStringLiteral("04032024")},
        {QStringLiteral("NrTacy"), 1},
        {QStringLiteral("NazTkanka"), QStringLiteral("filary przepony")},
        {QStringLiteral("Gatunek"), QStringLiteral("Świnie")},
        {QStringLiteral("Plec"), QStringLiteral("Tucznik")},
        {QStringLiteral("DataDoLab"), Day}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Badanie"), values);
}

BatchHeading SamplesFixture::Heading(int batch)
{
    return {batch, Day, Wni, Wni + QStringLiteral(" - Ubojnia")};
}

QStringList SamplesFixture::Texts(const QString &sql, const QString &field)
{
    QStringList values;
    for (const QVariant &value : Column(MonthDb, sql, field))
        values.append(value.typeId() == QMetaType::QDate
                          ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                          : value.toString());
    return values;
}

void SamplesFixture::WriteFile(const QString &windowsPath, const QStringList &lines,
                               const QString &lineEnd)
{
    const QString path = Real(windowsPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(fs::Cp1250::Encode(lines.join(lineEnd) + lineEnd));
}

void SamplesFixture::Open(ui::ScriptedUi &ui, int batch,
                          const std::function<void(FormBadanie &)> &story)
{
    ui.AnswerWindow(QStringLiteral("FormBadanie"),
                    [&story](QWidget &window) { story(static_cast<FormBadanie &>(window)); });
    FormBadanie::OpenForBatch(Heading(batch));
}

void SamplesFixture::SignIn(const QString &kind)
{
    ui::WindowRegistry::Instance<frmLoginLab>().TextOperatRodz->setText(kind);
}
