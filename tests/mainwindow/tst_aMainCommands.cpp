#include "MainWindowFixture.h"
#include "Press.h"

#include "digestion/FormPodpAll.h"
#include "foundation/Globals.h"
#include "foundation/ProgramEnd.h"
#include "mainwindow/aMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormChoroba.h"
#include "registers/FormZaklad.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

// The commands of the main window: each opens its window with what the
// window expects set, or does its work, and none ends in an unhandled error.
class aMainCommandsTest : public QObject
{
    Q_OBJECT

    using Check = std::function<void(QWidget &)>;

    struct Opening {
        const char *row;
        const char *command;
        const char *window;
        const char *control; // the data control that lists the table
        const char *table;
        const char *key; // the field the list is ordered by
        Check check;
    };

    std::unique_ptr<MainWindowFixture> fixture_;
    std::unique_ptr<ProgramEndRecorder> ends_;
    aMain *window_ = nullptr;

    template <class C> static C *Child(QWidget &window, const char *name)
    {
        return window.findChild<C *>(QLatin1String(name));
    }

    static Check Text(const char *label, const char *text)
    {
        return
            [=](QWidget &w) { QCOMPARE(Child<QLabel>(w, label)->text(), QString::fromUtf8(text)); };
    }

    static Check Equipment(const char *heading, int maxLength)
    {
        return [=](QWidget &w) {
            Text("LabelOpis", heading)(w);
            QCOMPARE(Child<QLabel>(w, "LabelTyp")->text(), QStringLiteral("string"));
            QCOMPARE(Child<QLineEdit>(w, "TextWartosc")->maxLength(), maxLength);
        };
    }

    static Check GridCaption(const char *caption)
    {
        return [=](QWidget &w) {
            QCOMPARE(Child<ui::DBGrid>(w, "DBGridPodp")->Caption(), QString::fromUtf8(caption));
        };
    }

    static Check Hints(const char *caption)
    {
        return [=](QWidget &w) {
            QCOMPARE(w.windowTitle(), QString::fromUtf8(caption));
            Text("LabelCaption", "PODPOWIEDZI DO UWAG")(w);
        };
    }

    static Check OrderedByCode()
    {
        return [](QWidget &w) { QVERIFY(Child<QRadioButton>(w, "OptionK")->isChecked()); };
    }

    static const QList<Opening> &Openings()
    {
        static const QList<Opening> openings{
            {"Lekarz", "menLekarz", "FormLekarz", "DataLekarz", "Lekarz", "Nazwisko", {}},
            {"Opis", "StanPr", "FormOpisProbki", "DataPodp", "OpisProbki", "IdPodp", {}},
            {"Tkanka", "menRodzMat", "FormTkanka", "DataTkanka", "TKANKA", "IDTkanka", {}},
            {"Gatunek", "menGatunek", "FormGatunek", "DataGatunek", "GATUNEK", "IDGatunek", {}},
            {"Płeć", "menPlec", "FormPlec", "DataGatunek", "GATUNEK", "IDGatunek", {}},
            {"PIW", "piwety", "FormPIW", "DataZlew", "PIW", "IdPiw", OrderedByCode()},
            {"WIW", "wiw", "FormWIW", "DataZlew", "WIW", "Idwiw", OrderedByCode()},
            {"autoryzujące", "menAutoryzowal", "FormAutoryzowal", "DataDane", "Autoryzowal", "Nr",
             GridCaption("DEFINICJA OSÓB AUTORYZUJĄCYCH BADANIE")},
            {"wykonujące", "menWykonujacy", "FormAutoryzowal", "DataDane", "Wykonujacy", "Nr",
             GridCaption("DEFINICJA OSÓB WYKONUJĄCYCH BADANIE")},
            {"odpowiedzialne", "menOdpowiedzialny", "FormAutoryzowal", "DataDane", "Odpowiedzialny",
             "Nr", GridCaption("DEFINICJA OSÓB ODPOWIEDZIALNYCH ZA BADANIE")},
            {"uwagi do próbek", "MenUwagiB", "FormPodp", "DataPodp", "UwagiProbka", "IdPodp",
             Hints("Uwagi do próbek")},
            {"uwagi do partii", "MenUwagiP", "FormPodp", "DataPodp", "UwagiPartia", "IdPodp",
             Hints("Uwagi do partii")},
            // Each equipment opener sets its own limit, whatever was opened
            // before: HCl (150) is followed by Mieszadło (30) and so on.
            {"HCl", "menHCL", "FormPodpAll", "DataPodp", "HCLseria", "ID",
             Equipment("HCL seria/data ważności", 150)},
            {"Mieszadło", "menMieszadlo", "FormPodpAll", "DataPodp", "MIESZADLO", "ID",
             Equipment("MIESZADŁO", 30)},
            {"Pepsyna", "menPepsyna", "FormPodpAll", "DataPodp", "PepsynaSeria", "ID",
             Equipment("Pepsyna seria/data ważności", 150)},
            {"Sito", "menSito", "FormPodpAll", "DataPodp", "Sito", "ID",
             Equipment("Sito - nr ewidencyjny", 30)},
            {"Termometr", "menTermometr", "FormPodpAll", "DataPodp", "TERMOMETR", "ID",
             Equipment("TERMOMETR", 30)},
            {"Trychinoskop", "menTrychinoskop", "FormPodpAll", "DataPodp", "TRYCHINOSKOP", "ID",
             Equipment("TRYCHINOSKOP", 30)},
            {"Waga", "menWaga", "FormPodpAll", "DataPodp", "WAGA", "ID", Equipment("WAGA", 30)},
            // The method list shows the laboratory's own method only.
            {"Metoda", "mentTSM", "FormChoroba", nullptr, nullptr, nullptr,
             [](QWidget &w) {
                 QCOMPARE(Child<ui::DataControl>(w, "DataChoroba")->RowCount(), 1);
                 QCOMPARE(Child<QLineEdit>(w, "TextMetoda")->text(),
                          QStringLiteral("Metoda wytrawiania – wykrywanie larw Trichinella w "
                                         "mięsie"));
                 QVERIFY(Child<QGroupBox>(w, "FrameChoroba")->isVisible());
             }},
            {"Operatorzy", "Operatorzy", "FormOperat", nullptr, nullptr, nullptr, {}},
            {"Opcje", "Opcje", "FormOpcje", nullptr, nullptr, nullptr, {}},
            {"ComOpcje", "ComOpcje", "FormOpcje", nullptr, nullptr, nullptr, {}},
            {"Użytkownik", "ComPlytki", "FormUzytkownik", nullptr, nullptr, nullptr, {}},
            {"Płytki ELISA", "men3Zaklad", "FormUzytkownik", nullptr, nullptr, nullptr, {}},
        };
        return openings;
    }

    // The commands that no user reaches: their button or menu item is
    // hidden (or sits in a hidden menu or frame) for good, so the tests send
    // the click or the pick that the control would send instead of pressing it.
    static const QStringList &Unreachable()
    {
        static const QStringList names{
            "men3Zaklad",   "MatZuzyte", "menGatunek",   "menPlec",  "MenUwagiP",
            "Archiwizacja", "Ilprob",    "WMatZuzyte",   "WRodzUb",  "Opcje",
            "CzyscBaze",    "Men1KZV",   "ComMatZuzyte", "ComOpcje", "Command2",
            "Command3",     "Command4",  "Command5",     "Command6", "ComDodKol",
        };
        return names;
    }

    // Presses the button or picks the menu item `name` as the user does.
    void Run(const char *name)
    {
        if (Unreachable().contains(QLatin1String(name))) {
            if (auto *button = window_->findChild<QAbstractButton *>(QLatin1String(name)))
                Q_EMIT button->clicked();
            else if (auto *item = window_->MenuItem(QLatin1String(name)))
                Q_EMIT item->triggered();
            else
                QFAIL(qPrintable(QStringLiteral("no control %1").arg(QLatin1String(name))));
            return;
        }
        if (window_->findChild<QAbstractButton *>(QLatin1String(name)))
            PRESS(window_, name);
        else
            TRIGGER_MENU(window_, name);
    }

    // Runs the command; it must open exactly the named window, on which the
    // check runs while it is shown.
    void ExpectWindow(const char *command, const QString &windowName, const Check &check = {})
    {
        ui::ScriptedUi ui;
        bool shown = false;
        ui.AnswerWindow(windowName, [&](QWidget &window) {
            if (check)
                check(window);
            shown = true;
        });
        Run(command);
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(shown);
    }

    // Runs the command, which must show one error box and no window.
    void ExpectReported(const char *command)
    {
        ui::ScriptedUi ui;
        ui.Answer("OK");
        Run(command);
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
    }

    // The values of one field over the rows that a window's list shows.
    static QStringList Listed(const dao::Recordset &rs, const char *field)
    {
        QStringList values;
        for (int row = 0; row < rs.RecordCount(); ++row)
            values.append(rs.ValueAt(row, rs.FieldIndex(QLatin1String(field))).toString());
        return values;
    }

private slots:
    void init()
    {
        fixture_ = std::make_unique<MainWindowFixture>();
        QVERIFY2(fixture_->IsValid(), qPrintable(fixture_->Problem()));
        ends_ = std::make_unique<ProgramEndRecorder>();
        window_ = &ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        ui.Answer("OK");
        ui.Answer("OK");
        // The program's start, as its main() makes it.
        window_->Start();
        window_->show();
        SCRIPTED_UI_VERIFY(ui);
    }

    void cleanup()
    {
        window_ = nullptr;
        ends_.reset();
        fixture_.reset();
    }

    void menusShowWhatTheUserReaches()
    {
        const QString reachable = QStringLiteral(
            "Men2Red menLekarz mentTSM Operatorzy StanPr menAutoryzowal menWykonujacy "
            "menOdpowiedzialny piwety menRodzMat MenUwagiB Men2Uzytkownik wiw zlewnie menHCL "
            "menMieszadlo menPepsyna menSito menTermometr menTrychinoskop menWaga Men1Exit");
        QString problem;
        for (const QString &name : reachable.split(QLatin1Char(' ')))
            QVERIFY2(press::FindAction(window_, qPrintable(name), problem), qPrintable(problem));
        for (const char *name : {"Command1", "ComPlytki", "ComArchiwizacja", "ComWysDoWIW",
                                 "ComUzytkownik", "ComCLab", "ComEnd"})
            QVERIFY2(press::FindButton(window_, name, problem), qPrintable(problem));
        for (const QString &name : Unreachable()) {
            const bool reached =
                window_->findChild<QAbstractButton *>(name)
                    ? press::FindButton(window_, qPrintable(name), problem) != nullptr
                    : press::FindAction(window_, qPrintable(name), problem) != nullptr;
            QVERIFY2(!reached, qPrintable(name));
        }
        int shownButtons = 0;
        for (const QPushButton *button : window_->findChildren<QPushButton *>())
            shownButtons += button->isVisibleTo(window_) ? 1 : 0;
        QCOMPARE(shownButtons, 7);
    }

    void windowsOpenWithTheirRecordSource_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < Openings().size(); ++i)
            QTest::newRow(Openings().at(i).row) << i;
    }

    // Each list shows every row of its table in its order, whatever order
    // the rows were written in.
    void windowsOpenWithTheirRecordSource()
    {
        QFETCH(int, index);
        const Opening &opening = Openings().at(index);
        QStringList expected;
        if (opening.table) {
            dao::Database stale = fixture_->OpenStale();
            const QString table = QLatin1String(opening.table);
            const QString key = QLatin1String(opening.key);
            const bool text = stale.TableDefs()(table).Fields()(key).Type() == dao::dbText;
            for (const char *value : {"90", "80"})
                MainWindowFixture::AddRow(
                    stale, table,
                    {{key, text ? QStringLiteral("Z%1").arg(value) : QString::fromLatin1(value)}});
            for (const QVariant &value : MainWindowFixture::Column(
                     stale, QStringLiteral("SELECT * FROM %1").arg(table), key))
                expected.append(value.toString());
            std::sort(expected.begin(), expected.end(), [text](const QString &a, const QString &b) {
                return text ? a < b : a.toInt() < b.toInt();
            });
            stale.Close();
        } else {
            dao::Database stale = fixture_->OpenStale();
            MainWindowFixture::AddRow(stale, QStringLiteral("Kierunek"),
                                      {{QStringLiteral("Kod"), QStringLiteral("INNY")},
                                       {QStringLiteral("Metoda"), QStringLiteral("Inna")}});
            stale.Close();
        }
        ExpectWindow(opening.command, QLatin1String(opening.window), [&](QWidget &window) {
            if (opening.control) {
                const dao::Recordset rs =
                    Child<ui::DataControl>(window, opening.control)->Recordset();
                QVERIFY(rs.IsOpen());
                QCOMPARE(Listed(rs, opening.key), expected);
            }
            if (opening.check)
                opening.check(window);
        });
    }

    // Without the parent laboratory code the batch register stays closed and
    // the laboratory identity opens instead; with it, the register opens.
    void batchRegisterNeedsTheLaboratoryCode()
    {
        for (const char *command : {"Command1", "Men2Red"}) {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            ui.AnswerWindow(QStringLiteral("FormUzytkownik"));
            Run(command);
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().first().text,
                     QStringLiteral("Aby prawidłowo definiować próbki wprowadź 3-cyfrowy kod "
                                    "lokalizacji VUV nadrzędnego!\r052 - VUV Warszawa;      054 - "
                                    "VUV Siedlce;     055 - VUV Ostrołęka\rUzupełnij dane "
                                    "użytkownika!"));
        }
        window_->LabelKodLok->setText(QStringLiteral("052"));
        const QString date = window_->LabelData->text();
        for (int batch : {3, 7, 5})
            MainWindowFixture::AddRow(MonthDb, QStringLiteral("Partia"),
                                      {{QStringLiteral("Partia"), batch}});
        ExpectWindow("Command1", QStringLiteral("FormPartia"), [date](QWidget &w) {
            QCOMPARE(Child<ui::MaskEdBox>(w, "DTPData")->Text(), date);
            // The month's batches, newest first.
            QCOMPARE(Listed(Child<ui::DataControl>(w, "DataPartia")->Recordset(), "Partia"),
                     QStringList({QStringLiteral("7"), QStringLiteral("5"), QStringLiteral("3")}));
        });
        // A month database that is not open is named as such; the register
        // stays closed.
        MonthDb.Close();
        ui::ScriptedUi ui;
        ui.Answer("OK");
        Run("Command1");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QVERIFY(
            ui.Last().text.startsWith(QStringLiteral("Baza danych miesiąca nie jest otwarta!")));
    }

    // A dictionary that cannot be read is reported and its window not shown.
    void unreadableDictionaryIsReported()
    {
        dao::Database stale = fixture_->OpenStale();
        stale.Execute(QStringLiteral("DELETE FROM Kierunek"));
        stale.Execute(QStringLiteral("DROP TABLE Lekarz"));
        stale.Close();
        ExpectReported("mentTSM");
        ExpectReported("menLekarz");
    }

    // The client register opened from here never offers its choose button,
    // also after the batch register has used it as a picker.
    void clientRegisterWithoutChooseButton()
    {
        for (const char *command : {"ComUzytkownik", "zlewnie"}) {
            ui::WindowRegistry::Instance<FormZaklad>().ComUzyj->setVisible(true);
            InitOnActivate = false;
            ExpectWindow(command, QStringLiteral("FormZaklad"), [](QWidget &window) {
                QVERIFY(!static_cast<FormZaklad &>(window).ComUzyj->isVisible());
                QVERIFY(InitOnActivate);
            });
        }
    }

    void periodWindowsStartAtTheWorkingDate()
    {
        const QString date = window_->LabelData->text();
        const Check bothBounds = [date](QWidget &window) {
            QCOMPARE(Child<ui::MaskEdBox>(window, "MebOd")->Text(), date);
            QCOMPARE(Child<ui::MaskEdBox>(window, "MebDo")->Text(), date);
        };
        ExpectWindow("ComCLab", QStringLiteral("FormCLab"), bothBounds);
        ExpectWindow("WMatZuzyte", QStringLiteral("FormMatZuzyte"), bothBounds);
        ExpectWindow("WRodzUb", QStringLiteral("FormRodzUboju"), bothBounds);
    }

    void aboutBoxHidesTheDateWhileShown()
    {
        // Closed with its button, the box brings back the letterhead frame and
        // the working date; closed by a key, too.
        for (const bool byKey : {false, true}) {
            ExpectWindow("Men1KZV", QStringLiteral("FrmInfQXrec"), [this, byKey](QWidget &box) {
                QVERIFY(!window_->LabelData->isVisibleTo(window_));
                QVERIFY(!window_->Frame1->isVisibleTo(window_));
                if (byKey)
                    QTest::keyClick(&box, Qt::Key_A);
                else
                    PRESS(&box, "ComSplashZamk");
            });
            QVERIFY(window_->LabelData->isVisibleTo(window_));
            QVERIFY(window_->Frame1->isVisibleTo(window_));
            window_->Frame1->setVisible(false);
        }
    }

    // Commands that open no window: nothing is shown and nothing fails.
    void commandsWithoutWindow()
    {
        for (const char *command : {"ComWysDoWIW", "Ilprob", "ComMatZuzyte", "Command5"}) {
            ui::ScriptedUi ui;
            Run(command);
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().size(), 0);
        }
        ui::ScriptedUi ui;
        ui.Answer("OK");
        Run("Command4");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, QStringLiteral("stop"));
        QVERIFY(!ends_->Ended());
    }

    // The menu bar is reached without a mouse: F10 or Alt takes the keyboard
    // to the first menu title, shown highlighted, the arrows go on to "Definicje" and down to
    // "Operatorzy", Enter opens it. F10 again leaves the menu bar.
    void menuBarFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("F10") << int(Qt::Key_F10);
        QTest::newRow("Alt") << int(Qt::Key_Alt);
    }

    void menuBarFromTheKeyboard()
    {
        QFETCH(int, key);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        QMenuBar *bar = window_->menuBar();
        const auto press = [&](Qt::Key pressed) {
            QWidget *target = QApplication::activePopupWidget();
            if (!target)
                target = QApplication::focusWidget() ? QApplication::focusWidget() : window_;
            QTest::keyClick(target, pressed,
                            pressed == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
        };
        // The first title as drawn: highlighted while the keyboard is on it.
        const auto firstTitle = [bar] {
            return bar->grab(bar->actionGeometry(bar->actions().constFirst())).toImage();
        };
        const QImage idle = firstTitle();
        press(Qt::Key_F10);
        QVERIFY(bar->activeAction());
        QCOMPARE(bar->activeAction()->objectName(), QStringLiteral("MenOperacjeDnia"));
        QVERIFY(firstTitle() != idle);
        press(Qt::Key_F10);
        QVERIFY(!bar->activeAction());
        QCOMPARE(firstTitle(), idle);

        ui::ScriptedUi ui;
        bool shown = false;
        ui.AnswerWindow(QStringLiteral("FormOperat"), [&](QWidget &) { shown = true; });
        press(Qt::Key(key));
        QVERIFY(bar->activeAction());
        QCOMPARE(bar->activeAction()->objectName(), QStringLiteral("MenOperacjeDnia"));
        QVERIFY(firstTitle() != idle);
        press(Qt::Key_Right);
        QCOMPARE(bar->activeAction()->objectName(), QStringLiteral("MenDefinicje"));
        press(Qt::Key_Down);
        QTRY_VERIFY(QApplication::activePopupWidget());
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(static_cast<QMenu *>(QApplication::activePopupWidget())->activeAction(),
                 window_->MenuItem(QStringLiteral("Operatorzy")));
        press(Qt::Key_Return);
        QTRY_VERIFY(shown);
        SCRIPTED_UI_VERIFY(ui);
    }

    // The hidden cleaning menu opens the cleaning window; the hidden materials
    // menu refuses a day without batches (the button says nothing).
    void cleaningAndMaterialsGate()
    {
        ExpectWindow("CzyscBaze", QStringLiteral("FormAdmBaz"));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        Run("MatZuzyte");
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(
            ui.Last().text.startsWith(QStringLiteral("Brak zdefiniowanych partii próbek dnia ")));
        // A day with a batch opens the day's entry.
        MainWindowFixture::AddRow(
            MonthDb, QStringLiteral("Partia"),
            {{QStringLiteral("Partia"), 1},
             {QStringLiteral("DataDoLab"),
              QDate::fromString(window_->LabelData->text(), QStringLiteral("dd.MM.yyyy"))}});
        ExpectWindow("MatZuzyte", QStringLiteral("FormIlTestow"));
    }

    // The backup (button and hidden menu item) and the regional send ask first;
    // a "No" leaves everything as it was.
    void backupAndSendAskFirst_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("question");
        const QString backup =
            QStringLiteral("Czy na pewno wykonać archiwum aktualnych baz danych?");
        QTest::newRow("ComArchiwizacja") << 0 << backup;
        QTest::newRow("Archiwizacja") << 1 << backup;
        QTest::newRow("Command6") << 2 << QStringLiteral("Czy wysłać dane do WIW?");
    }

    void backupAndSendAskFirst()
    {
        QFETCH(int, command);
        QFETCH(QString, question);
        const char *commands[] = {"ComArchiwizacja", "Archiwizacja", "Command6"};
        ui::ScriptedUi ui;
        ui.Answer("No");
        Run(commands[command]);
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QCOMPARE(ui.Last().text, question);
        QVERIFY(MonthDb.IsOpen());
        QVERIFY(StaleDb.IsOpen());
    }

    // The two list reports open in the preview window; afterwards both
    // buttons are hidden, also when the report cannot be shown. Their frame
    // is never shown, so they are called, not pressed.
    void listReports()
    {
        for (const char *command : {"Command2", "Command3"}) {
            window_->Command2->setVisible(true);
            window_->Command3->setVisible(true);
            ExpectWindow(command, QStringLiteral("FormDrukRap"), [](QWidget &window) {
                QCOMPARE(window.windowTitle(), QStringLiteral("Drukowanie"));
            });
            QVERIFY(!window_->Command2->isVisibleTo(window_));
            QVERIFY(!window_->Command3->isVisibleTo(window_));
        }
        QFile::remove(fixture_->Real(QStringLiteral("T:\\Raporty\\producen.rpt")));
        window_->Command3->setVisible(true);
        ExpectReported("Command3");
        QVERIFY(!window_->Command3->isVisibleTo(window_));
    }

    // The staging database of the installation has the field already: the
    // refusal is reported; without it the field is appended.
    void fieldForRecipientsInStaging()
    {
        ExpectReported("ComDodKol");
        dao::Database robot = fixture_->Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
        robot.Execute(QStringLiteral("ALTER TABLE seriatest DROP COLUMN Otrzymuja;"));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        Run("ComDodKol");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, QString());
        QVERIFY(MainWindowFixture::Shape(robot, QStringLiteral("SeriaTest"))
                    .contains(QStringLiteral("Otrzymuja:10:150")));
        robot.Close();
    }

    void exitClosesEveryDatabase_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Koniec") << 0;
        QTest::newRow("Zakończenie pracy") << 1;
        QTest::newRow("title bar") << 2;
    }

    void exitClosesEveryDatabase()
    {
        QFETCH(int, way);
        QVERIFY(StaleDb.IsOpen() && RobotDb.IsOpen() && MonthDb.IsOpen());
        if (way == 0)
            PRESS(window_, "ComEnd");
        else if (way == 1)
            TRIGGER_MENU(window_, "Men1Exit");
        else
            window_->close();
        QVERIFY(!StaleDb.IsOpen() && !RobotDb.IsOpen() && !MonthDb.IsOpen());
        QVERIFY(ends_->Ended());
    }
};

QTEST_MAIN(aMainCommandsTest)
#include "tst_aMainCommands.moc"
