#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "batches/FormPartia.h"
#include "digestion/FormNastawienie.h"
#include "foundation/Globals.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "samples/FormBadanie.h"

#include <QLabel>
#include <QtTest>

using F = DigestionFixture;

// The batch register hands its batch to the run window, the run window's
// jump hands it on to the samples, and the samples opened afterwards from the
// register are the whole batch again, not the sample the jump asked for.
class tst_BatchToRunToSamples : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

private slots:
    void batchRunAndSamplesShareOneBatch()
    {
        F::AddBatch(12);
        F::AddBatch(13);
        F::AddRun(12, 1);
        F::AddTray(12, 1, 1, {{"NrTusz", "12"}});
        for (int carcass : {11, 12, 13})
            F::AddSample(12, carcass);
        F::AddSample(13, 12);

        ui::ScriptedUi scripted;
        QString runEstablishment;
        int jumpedTo = 0;
        int reopenedAt = 0;
        int reopenedRows = 0;
        scripted.AnswerWindow("FormPartia", [&](QWidget &window) {
            auto &batches = static_cast<FormPartia &>(window);
            batches.DataPartia->Recordset().FindFirst(QStringLiteral("Partia = 12"));

            scripted.AnswerWindow("FormNastawienie", [&](QWidget &w) {
                auto &runs = static_cast<FormNastawienie &>(w);
                QCOMPARE(runs.LabPartia->text(), QStringLiteral("12"));
                runEstablishment = runs.LabZaklad->text();
                scripted.AnswerWindow("FormBadanie", [&](QWidget &s) {
                    auto &samples = static_cast<FormBadanie &>(s);
                    QCOMPARE(samples.LabPartia->text(), QStringLiteral("12"));
                    QCOMPARE(samples.LabZaklad->text(), runEstablishment);
                    jumpedTo =
                        samples.DataBad->Recordset()(QStringLiteral("NrProbki")).Value().toInt();
                    PRESS(&samples, "ComZamk");
                });
                PRESS(&runs, "ComPrzejdzDo");
                QCOMPARE(runs.LabPartia->text(), QStringLiteral("12"));
                PRESS(&runs, "ComZamk");
            });
            PRESS(&batches, "ComNastawienie");

            scripted.AnswerWindow("FormBadanie", [&](QWidget &s) {
                auto &samples = static_cast<FormBadanie &>(s);
                QCOMPARE(samples.LabPartia->text(), QStringLiteral("12"));
                reopenedRows = samples.DataBad->RowCount();
                reopenedAt =
                    samples.DataBad->Recordset()(QStringLiteral("NrProbki")).Value().toInt();
                PRESS(&samples, "ComZamk");
            });
            PRESS(&batches, "ComEdytuj");
            PRESS(&batches, "ComZamk");
        });
        FormPartia::Open(F::Day.toString(QStringLiteral("dd.MM.yyyy")));
        SCRIPTED_UI_VERIFY(scripted);

        QVERIFY(!runEstablishment.isEmpty());
        QCOMPARE(jumpedTo, 12);
        QCOMPARE(reopenedRows, 3);
        QCOMPARE(reopenedAt, 11);
        QVERIFY(FormRequest.isEmpty());
    }
};

QTEST_MAIN(tst_BatchToRunToSamples)
#include "tst_BatchToRunToSamples.moc"
