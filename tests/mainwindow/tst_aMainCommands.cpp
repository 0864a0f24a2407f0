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

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <memory>

// The commands of the main window: each opens its window with what the
// window expects set, or does its work, and none ends in an unhandled error.
class aMainCommandsTest : public QObject
{
    Q_OBJECT

    using Handler = void (aMain::*)();
    using Check = std::function<void(QWidget &)>;

    struct Opening {
        const char *row;
        Handler handler;
        const char *window;
        const char *control; // the data control that gets the record source
        const char *source;
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
            {"Lekarz",
             &aMain::menLekarz_Click,
             "FormLekarz",
             "DataLekarz",
             "SELECT * FROM Lekarz ORDER BY Nazwisko, Imie",
             {}},
            {"Opis",
             &aMain::StanPr_Click,
             "FormOpisProbki",
             "DataPodp",
             "SELECT * FROM OpisProbki ORDER BY IdPodp",
             {}},
            {"Tkanka",
             &aMain::menRodzMat_Click,
             "FormTkanka",
             "DataTkanka",
             "SELECT * FROM TKANKA ORDER BY IDTkanka",
             {}},
            {"Gatunek",
             &aMain::menGatunek_Click,
             "FormGatunek",
             "DataGatunek",
             "SELECT * FROM GATUNEK ORDER BY IDGatunek",
             {}},
            {"Płeć",
             &aMain::menPlec_Click,
             "FormPlec",
             "DataGatunek",
             "SELECT * FROM GATUNEK ORDER BY IDGatunek",
             {}},
            {"PIW", &aMain::piwety_Click, "FormPIW", "DataZlew", "SELECT * FROM PIW ORDER BY IdPiw",
             OrderedByCode()},
            {"WIW", &aMain::wiw_Click, "FormWIW", "DataZlew", "SELECT * FROM WIW ORDER BY Idwiw",
             OrderedByCode()},
            {"autoryzujące", &aMain::menAutoryzowal_Click, "FormAutoryzowal", "DataDane",
             "SELECT * FROM Autoryzowal ORDER BY Nr",
             GridCaption("DEFINICJA OSÓB AUTORYZUJĄCYCH BADANIE")},
            {"wykonujące", &aMain::menWykonujacy_Click, "FormAutoryzowal", "DataDane",
             "SELECT * FROM Wykonujacy ORDER BY Nr",
             GridCaption("DEFINICJA OSÓB WYKONUJĄCYCH BADANIE")},
            {"odpowiedzialne", &aMain::menOdpowiedzialny_Click, "FormAutoryzowal", "DataDane",
             "SELECT * FROM Odpowiedzialny ORDER BY Nr",
             GridCaption("DEFINICJA OSÓB ODPOWIEDZIALNYCH ZA BADANIE")},
            {"uwagi do próbek", &aMain::MenUwagiB_Click, "FormPodp", "DataPodp",
             "SELECT * FROM UwagiProbka ORDER BY IdPodp", Hints("Uwagi do próbek")},
            {"uwagi do partii", &aMain::MenUwagiP_Click, "FormPodp", "DataPodp",
             "SELECT * FROM UwagiPartia ORDER BY IdPodp", Hints("Uwagi do partii")},
            // Each equipment opener sets its own limit, whatever was opened
            // before: HCl (150) is followed by Mieszadło (30) and so on.
            {"HCl", &aMain::menHCL_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM HCLseria ORDER BY ID", Equipment("HCL seria/data ważności", 150)},
            {"Mieszadło", &aMain::menMieszadlo_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM MIESZADLO ORDER BY ID", Equipment("MIESZADŁO", 30)},
            {"Pepsyna", &aMain::menPepsyna_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM PepsynaSeria ORDER BY ID",
             Equipment("Pepsyna seria/data ważności", 150)},
            {"Sito", &aMain::menSito_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM Sito ORDER BY ID", Equipment("Sito - nr ewidencyjny", 30)},
            {"Termometr", &aMain::menTermometr_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM TERMOMETR ORDER BY ID", Equipment("TERMOMETR", 30)},
            {"Trychinoskop", &aMain::menTrychinoskop_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM TRYCHINOSKOP ORDER BY ID", Equipment("TRYCHINOSKOP", 30)},
            {"Waga", &aMain::menWaga_Click, "FormPodpAll", "DataPodp",
             "SELECT * FROM WAGA ORDER BY ID", Equipment("WAGA", 30)},
            {"Metoda", &aMain::mentTSM_Click, "FormChoroba", "DataChoroba",
             "SELECT * FROM Kierunek Where Kod = 'MERVASK'",
             [](QWidget &w) {
                 QCOMPARE(Child<QLineEdit>(w, "TextMetoda")->text(),
                          QStringLiteral("Metoda wytrawiania – wykrywanie larw Trichinella w "
                                         "mięsie"));
                 QVERIFY(Child<QGroupBox>(w, "FrameChoroba")->isVisible());
             }},
            {"Operatorzy", &aMain::Operatorzy_Click, "FormOperat", nullptr, nullptr, {}},
            {"Opcje", &aMain::Opcje_Click, "FormOpcje", nullptr, nullptr, {}},
            {"ComOpcje", &aMain::ComOpcje_Click, "FormOpcje", nullptr, nullptr, {}},
            {"Użytkownik", &aMain::ComPlytki_Click, "FormUzytkownik", nullptr, nullptr, {}},
            {"Płytki ELISA", &aMain::men3Zaklad_Click, "FormUzytkownik", nullptr, nullptr, {}},
        };
        return openings;
    }

    // Runs the command; it must open exactly the named window, on which the
    // check runs while it is shown.
    void ExpectWindow(Handler handler, const QString &windowName, const Check &check = {})
    {
        ui::ScriptedUi ui;
        bool shown = false;
        ui.AnswerWindow(windowName, [&](QWidget &window) {
            if (check)
                check(window);
            shown = true;
        });
        (window_->*handler)();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(shown);
    }

    // Runs the command, which must show one error box and no window.
    void ExpectReported(Handler handler)
    {
        ui::ScriptedUi ui;
        ui.Answer("OK");
        (window_->*handler)();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
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
        window_->Form_Load();
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
        const QString visible = QStringLiteral(
            "MenOperacjeDnia Men2Red MenDefinicje menLekarz mentTSM Operatorzy StanPr "
            "menAutoryzowal menWykonujacy menOdpowiedzialny piwety menRodzMat MenUwagiB "
            "Men2Uzytkownik wiw zlewnie menDefKr1 menHCL menMieszadlo menPepsyna menSito "
            "menTermometr menTrychinoskop menWaga MenKoniec Men1Exit");
        const QString hiddenDisabled = QStringLiteral(
            "men3Zaklad MatZuzyte menGatunek menPlec MenUwagiP MenArchiwum WMatZuzyte WRodzUb "
            "Men1Tech CzyscBaze Men1KZV");
        for (const QString &name : visible.split(QLatin1Char(' ')))
            QVERIFY2(window_->MenuItem(name)->isVisible(), qPrintable(name));
        for (const QString &name : hiddenDisabled.split(QLatin1Char(' '))) {
            QVERIFY2(!window_->MenuItem(name)->isVisible(), qPrintable(name));
            QVERIFY2(!window_->MenuItem(name)->isEnabled(), qPrintable(name));
        }
        for (const char *name : {"MenWydruki", "MenNarzedzia", "A"})
            QVERIFY(!window_->MenuItem(QLatin1String(name))->isVisible());
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

    void windowsOpenWithTheirRecordSource()
    {
        QFETCH(int, index);
        const Opening &opening = Openings().at(index);
        ExpectWindow(opening.handler, QLatin1String(opening.window), [&](QWidget &window) {
            if (opening.control) {
                const dao::Recordset rs =
                    Child<ui::DataControl>(window, opening.control)->Recordset();
                QVERIFY(rs.IsOpen());
                QCOMPARE(rs.Source(), QString::fromUtf8(opening.source));
            }
            if (opening.check)
                opening.check(window);
        });
    }

    // Without the parent laboratory code the batch register stays closed and
    // the laboratory identity opens instead; with it, the register opens.
    void batchRegisterNeedsTheLaboratoryCode()
    {
        for (Handler handler : {&aMain::Command1_Click, &aMain::Men2Red_Click}) {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            ui.AnswerWindow(QStringLiteral("FormUzytkownik"));
            (window_->*handler)();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().first().text,
                     QStringLiteral("Aby prawidłowo definiować próbki wprowadź 3-cyfrowy kod "
                                    "lokalizacji VUV nadrzędnego!\r052 - VUV Warszawa;      054 - "
                                    "VUV Siedlce;     055 - VUV Ostrołęka\rUzupełnij dane "
                                    "użytkownika!"));
        }
        window_->LabelKodLok->setText(QStringLiteral("052"));
        const QString date = window_->LabelData->text();
        ExpectWindow(&aMain::Command1_Click, QStringLiteral("FormPartia"), [date](QWidget &w) {
            QCOMPARE(Child<ui::MaskEdBox>(w, "DTPData")->Text(), date);
            QCOMPARE(Child<ui::DataControl>(w, "DataPartia")->Recordset().Source(),
                     QStringLiteral("SELECT * FROM PARTIA ORDER BY PARTIA DESC"));
        });
        // A month database that is not open is named as such; the register
        // stays closed.
        MonthDb.Close();
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->Command1_Click();
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
        ExpectReported(&aMain::mentTSM_Click);
        ExpectReported(&aMain::menLekarz_Click);
    }

    // The client register opened from here never offers its choose button,
    // also after the batch register has used it as a picker.
    void clientRegisterWithoutChooseButton()
    {
        for (Handler handler : {&aMain::ComUzytkownik_Click, &aMain::zlewnie_Click}) {
            ui::WindowRegistry::Instance<FormZaklad>().ComUzyj->setVisible(true);
            InitOnActivate = false;
            ExpectWindow(handler, QStringLiteral("FormZaklad"), [](QWidget &window) {
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
        ExpectWindow(&aMain::ComCLab_Click, QStringLiteral("FormCLab"), bothBounds);
        ExpectWindow(&aMain::WMatZuzyte_Click, QStringLiteral("FormMatZuzyte"), bothBounds);
        ExpectWindow(&aMain::WRodzUb_Click, QStringLiteral("FormRodzUboju"), bothBounds);
    }

    void aboutBoxHidesTheDateWhileShown()
    {
        // Closed with its button, the box brings back the letterhead frame and
        // the working date; closed by a key, too.
        for (const bool byKey : {false, true}) {
            ExpectWindow(&aMain::Men1KZV_Click, QStringLiteral("FrmInfQXrec"),
                         [this, byKey](QWidget &box) {
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
        for (Handler handler : {&aMain::ComWysDoWIW_Click, &aMain::Ilprob_Click,
                                &aMain::ComMatZuzyte_Click, &aMain::Command5_Click}) {
            ui::ScriptedUi ui;
            (window_->*handler)();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().size(), 0);
        }
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->Command4_Click();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, QStringLiteral("stop"));
        QVERIFY(!ends_->Ended());
    }

    // The hidden cleaning menu opens the cleaning window; the hidden materials
    // menu refuses a day without batches (the button says nothing).
    void cleaningAndMaterialsGate()
    {
        ExpectWindow(&aMain::CzyscBaze_Click, QStringLiteral("FormAdmBaz"));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->MatZuzyte_Click();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(window_->CommandOrigin, QStringLiteral("menu"));
        QVERIFY(
            ui.Last().text.startsWith(QStringLiteral("Brak zdefiniowanych partii próbek dnia ")));
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
        const Handler handlers[] = {&aMain::ComArchiwizacja_Click, &aMain::Archiwizacja_Click,
                                    &aMain::Command6_Click};
        ui::ScriptedUi ui;
        ui.Answer("No");
        (window_->*handlers[command])();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QCOMPARE(ui.Last().text, question);
        QVERIFY(MonthDb.IsOpen());
        QVERIFY(StaleDb.IsOpen());
    }

    // The two list reports open in the preview window; afterwards both
    // buttons are hidden, also when the report cannot be shown.
    void listReports()
    {
        for (Handler handler : {&aMain::Command2_Click, &aMain::Command3_Click}) {
            window_->Command2->setVisible(true);
            window_->Command3->setVisible(true);
            ExpectWindow(handler, QStringLiteral("FormDrukRap"), [](QWidget &window) {
                QCOMPARE(window.windowTitle(), QStringLiteral("Drukowanie"));
            });
            QVERIFY(!window_->Command2->isVisibleTo(window_));
            QVERIFY(!window_->Command3->isVisibleTo(window_));
        }
        QFile::remove(fixture_->Real(QStringLiteral("T:\\Raporty\\producen.rpt")));
        window_->Command3->setVisible(true);
        ExpectReported(&aMain::Command3_Click);
        QVERIFY(!window_->Command3->isVisibleTo(window_));
    }

    // The staging database of the installation has the field already: the
    // refusal is reported; without it the field is appended.
    void fieldForRecipientsInStaging()
    {
        ExpectReported(&aMain::ComDodKol_Click);
        dao::Database robot = fixture_->Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
        robot.Execute(QStringLiteral("ALTER TABLE seriatest DROP COLUMN Otrzymuja;"));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->ComDodKol_Click();
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
            window_->ComEnd_Click();
        else if (way == 1)
            window_->Men1Exit_Click();
        else
            window_->close();
        QVERIFY(!StaleDb.IsOpen() && !RobotDb.IsOpen() && !MonthDb.IsOpen());
        QVERIFY(ends_->Ended());
    }
};

QTEST_MAIN(aMainCommandsTest)
#include "tst_aMainCommands.moc"
