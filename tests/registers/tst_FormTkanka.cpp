#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"
#include "RegisterTesting.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/MsgBox.h"
#include "registers/FormTkanka.h"
#include "samples/FormBadanie.h"

#include <QComboBox>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>

#include <set>

namespace
{

FormTkanka &openTissues()
{
    return OpenThroughDoor<FormTkanka>([] { FormTkanka::Open(); });
}

QList<QWidget *> browseControls(FormTkanka &w)
{
    return {w.ComDodaj, w.ComUsun, w.ComPopraw, w.ComZamknij, w.DataTkanka, w.DBGridTkanka};
}

constexpr int TissuesPerWorkstation = 60;

// Adds tissues through the register as its user does; false when a save did
// not close the frame.
bool addTissues(FormTkanka &w, const QString &prefix, int count)
{
    for (int i = 0; i < count; ++i) {
        w.ComDodaj->click();
        QTest::keyClicks(w.TextNazwa, prefix + QString::number(i));
        QTest::keyClicks(w.TextKodCLab, QStringLiteral("187001"));
        w.ComZapisz->click();
        if (!w.FrameTkanka->isHidden())
            return false;
    }
    return true;
}

// The other workstation's part: it runs the statements it is given, or adds
// tissues while this one does.
int otherWorkstation(const QStringList &statements)
{
    if (!statements.isEmpty())
        return other_workstation::ExecuteStatements(statements);
    FormTkanka &w = OpenThroughDoor<FormTkanka>([] { FormTkanka::Open(); });
    other_workstation::Ready();
    return addTissues(w, QStringLiteral("drugi "), TissuesPerWorkstation) ? 0 : 1;
}

} // namespace

class FormTkankaTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private slots:
    // A new tissue takes the next number; a name already stored, in any
    // case and with blanks around it, is refused; Enter in the name moves on.
    void add()
    {
        ui::ScriptedUi scripted;
        FormTkanka &w = openTissues();
        QCOMPARE(w.windowTitle(), "MATERIAŁ");
        PRESS(&w, "ComDodaj");
        QCOMPARE(w.FrameTkanka->title(), " NOWY RODZAJ MATERIAŁU ");
        QCOMPARE(w.TextID->text(), "8");
        QVERIFY(!w.TextID->isEnabled());
        QCOMPARE(w.focusWidget(), w.TextNazwa);
        QVERIFY(BrowseControlsEnabled(browseControls(w), false));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClicks(w.TextNazwa, " Filary PRZEPONY ");
        QTest::keyClick(w.TextNazwa, Qt::Key_Return);
        QTRY_COMPARE(w.focusWidget(), w.TextKodCLab);
        QVERIFY(w.FrameTkanka->isVisible());
        scripted.Answer("OK");
        PRESS(&w, "ComZapisz");
        QCOMPARE(scripted.Last().text, "Pozycja: Filary PRZEPONY już istnieje. Popraw!");
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(scripted.Last().style, ui::vbInformation);
        QCOMPARE(w.focusWidget(), w.TextNazwa);
        QCOMPARE(RegistersFixture::Rows("Tkanka").size(), 7);
        RETYPE(&w, "TextNazwa", " Mięsień 'x' ");
        RETYPE(&w, "TextKodCLab", " 187001 ");
        PRESS(&w, "ComZapisz");
        QVERIFY(BrowseControlsEnabled(browseControls(w), true));
        const QVariantMap stored = StoredRow("Tkanka", "IDTkanka", 8);
        QCOMPARE(stored.value("NazTkanka"), "Mięsień 'x'");
        QCOMPARE(stored.value("KodCLab"), "187001");
        QCOMPARE(stored.value("NazCLab"), "");
        QCOMPARE(w.DataTkanka->Recordset()("IDTkanka").Value(), 8);

        // The one-byte number is used up at 255: no frame.
        RegistersFixture::AddRow("Tkanka", {{"IDTkanka", 255}, {"NazTkanka", "ostatni"}});
        scripted.Answer("OK");
        PRESS(&w, "ComDodaj");
        QCOMPARE(scripted.Last().text, "Osiągnięto maksymalną liczbę pozycji (255)!");
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QVERIFY(w.FrameTkanka->isHidden());
        QVERIFY(BrowseControlsEnabled(browseControls(w), true));
        SCRIPTED_UI_VERIFY(scripted);
    }

    // A correction keeps its own name and number and goes into the row it
    // loaded, wherever the list stands; delete asks with the exclamation
    // icon and moves on to the next row.
    void correctAndDelete()
    {
        RegistersFixture::AddRow("Tkanka", {{"IDTkanka", 9}});
        ui::ScriptedUi scripted;
        FormTkanka &w = openTissues();
        QVERIFY(GoTo(w.DataTkanka, "IDTkanka", 9));
        PRESS(&w, "ComPopraw");
        QCOMPARE(w.FrameTkanka->title(), " KOREKTA RODZAJU MATERIAŁU ");
        QCOMPARE(w.TextNazwa->text(), "");
        PRESS(&w, "ComAnuluj");
        QVERIFY(GoTo(w.DataTkanka, "NazTkanka", "inne"));
        PRESS(&w, "ComPopraw");
        RETYPE(&w, "TextNazCLab", "inne tkanki");
        w.DataTkanka->Recordset().MoveFirst();
        PRESS(&w, "ComZapisz");
        QCOMPARE(StoredRow("Tkanka", "IDTkanka", 7).value("NazCLab"), "inne tkanki");
        QCOMPARE(StoredRow("Tkanka", "IDTkanka", 7).value("NazTkanka"), "inne");
        QCOMPARE(StoredRow("Tkanka", "IDTkanka", 1).value("NazCLab"), QVariant());

        QVERIFY(GoTo(w.DataTkanka, "NazTkanka", "inne"));
        scripted.Answer("No");
        PRESS(&w, "ComUsun");
        QCOMPARE(scripted.Last().text, "Czy usunąć tkankę: inne");
        QCOMPARE(scripted.Last().title, "PYTANIE");
        QCOMPARE(scripted.Last().style, 308);
        QCOMPARE(RegistersFixture::Rows("Tkanka").size(), 8);
        scripted.Answer("Yes");
        PRESS(&w, "ComUsun");
        QVERIFY(StoredRow("Tkanka", "IDTkanka", 7).isEmpty());
        QCOMPARE(w.DataTkanka->Recordset()("IDTkanka").Value(), 9);
        QVERIFY(w.DBGridTkanka->isEnabled());

        // A tissue another workstation deleted is refused and leaves the list,
        // as after one's own delete, instead of staying as an empty line.
        QVERIFY(GoTo(w.DataTkanka, "IDTkanka", 9));
        QVERIFY(other_workstation::Run({"DELETE FROM Tkanka WHERE IDTkanka = 9"}));
        scripted.Answer("Yes");
        scripted.Answer("OK");
        PRESS(&w, "ComUsun");
        QCOMPARE(scripted.Last().text, "3167Rekord jest usunięty.");
        QVERIFY(!Shown(w.DBGridTkanka, 0).contains("9"));
        QVERIFY(!Shown(w.DBGridTkanka, 0).contains(QString()));
        QCOMPARE(Shown(w.DBGridTkanka, 0).size(), RegistersFixture::Rows("Tkanka").size());
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Closing tells the sample window; its material list then holds the new
    // tissue in alphabetical place.
    void closingRefillsTheMaterialList()
    {
        FormBadanie &samples = ui::WindowRegistry::Instance<FormBadanie>();
        QObject receiver;
        // The sample window's own refill, as its subscription runs it.
        QObject::connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, &receiver,
                         [&samples](const QString &table) {
                             if (table == "Tkanka")
                                 samples.RefillPickLists();
                         });
        ui::ScriptedUi scripted;
        FormTkanka &w = openTissues();
        PRESS(&w, "ComDodaj");
        RETYPE(&w, "TextNazwa", "łopatka");
        PRESS(&w, "ComZapisz");
        PRESS(&w, "ComZamknij");
        QVERIFY(!w.isVisible());
        QStringList names;
        for (int i = 0; i < samples.ComboTkanka->count(); ++i)
            names.append(samples.ComboTkanka->itemText(i));
        QCOMPARE(names, (QStringList{"część mostkowa przepony", "część żebrowa przepony",
                                     "filary przepony", "inne", "łopatka", "mięśnie brzuszne",
                                     "mięśnie języka", "mięśnie żuchwowe"}));
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Two workstations adding tissues at once never store one number twice:
    // each save takes its number when it writes, and the list's "Numer"
    // shows the number stored.
    void twoWorkstationsAddingTissuesNeverShareANumber()
    {
        ui::ScriptedUi scripted;
        FormTkanka &w = openTissues();
        const int delivered = RegistersFixture::Rows("Tkanka").size();
        QProcess other;
        QVERIFY(other_workstation::Start(other, {}));
        QVERIFY(addTissues(w, QStringLiteral("pierwszy "), TissuesPerWorkstation));
        QVERIFY(other.waitForFinished(300000));
        QCOMPARE(other.exitStatus(), QProcess::NormalExit);
        QCOMPARE(other.exitCode(), 0);

        const QList<QVariantMap> tissues = RegistersFixture::Rows("Tkanka");
        QCOMPARE(tissues.size(), delivered + 2 * TissuesPerWorkstation);
        std::set<int> numbers;
        for (const QVariantMap &tissue : tissues)
            numbers.insert(tissue.value("IDTkanka").toInt());
        QCOMPARE(int(numbers.size()), tissues.size());
        const QString last = QStringLiteral("pierwszy %1").arg(TissuesPerWorkstation - 1);
        const QAbstractItemModel *list = w.DBGridTkanka->model();
        const int row = w.DBGridTkanka->Row();
        QCOMPARE(list->index(row, 1).data().toString(), last);
        QCOMPARE(list->index(row, 0).data().toInt(),
                 StoredRow("Tkanka", "NazTkanka", last).value("IDTkanka").toInt());
        SCRIPTED_UI_VERIFY(scripted);
    }
};

int main(int argc, char **argv)
{
    int exitCode = 0;
    if (other_workstation::RanAsOther(argc, argv, exitCode, otherWorkstation))
        return exitCode;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    FormTkankaTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_FormTkanka.moc"
