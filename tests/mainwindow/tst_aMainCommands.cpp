#include "MainWindowFixture.h"

#include "digestion/FormPodpAll.h"
#include "foundation/Globals.h"
#include "foundation/ProgramEnd.h"
#include "mainwindow/aMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormAutoryzowal.h"
#include "registers/FormChoroba.h"
#include "registers/FormPIW.h"
#include "registers/FormPodp.h"
#include "registers/FormWIW.h"
#include "registers/FormZaklad.h"
#include "reports/FormCLab.h"

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

    std::unique_ptr<MainWindowFixture> fixture_;
    std::unique_ptr<ProgramEndRecorder> ends_;
    aMain *window_ = nullptr;

    // The record source that the window's data control received.
    static QString Source(QWidget &window, const char *control)
    {
        auto *data = window.findChild<ui::DataControl *>(QLatin1String(control));
        if (!data || !data->Recordset().IsOpen())
            return {};
        return data->Recordset().Source();
    }

    // Runs the command; it must open exactly the named window, on which the
    // check runs while it is shown.
    void ExpectWindow(Handler handler, const QString &windowName, const Check &check = {})
    {
        ui::ScriptedUi ui;
        bool checked = false;
        ui.AnswerWindow(windowName, [&](QWidget &window) {
            if (check)
                check(window);
            checked = true;
        });
        (window_->*handler)();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(checked);
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
        QVERIFY(MonthDb.IsOpen());
    }

    void cleanup()
    {
        window_ = nullptr;
        ends_.reset();
        fixture_.reset();
    }

    void menusShowWhatTheUserReaches()
    {
        const QStringList visible{"MenOperacjeDnia",
                                  "Men2Red",
                                  "MenDefinicje",
                                  "menLekarz",
                                  "mentTSM",
                                  "Operatorzy",
                                  "StanPr",
                                  "menAutoryzowal",
                                  "menWykonujacy",
                                  "menOdpowiedzialny",
                                  "piwety",
                                  "menRodzMat",
                                  "MenUwagiB",
                                  "Men2Uzytkownik",
                                  "wiw",
                                  "zlewnie",
                                  "menDefKr1",
                                  "menHCL",
                                  "menMieszadlo",
                                  "menPepsyna",
                                  "menSito",
                                  "menTermometr",
                                  "menTrychinoskop",
                                  "menWaga",
                                  "MenKoniec",
                                  "Men1Exit"};
        const QStringList hiddenDisabled{"men3Zaklad", "MatZuzyte",   "menGatunek", "menPlec",
                                         "MenUwagiP",  "MenArchiwum", "WMatZuzyte", "WRodzUb",
                                         "Men1Tech",   "CzyscBaze",   "Men1KZV"};
        const QStringList hidden{"MenWydruki", "MenNarzedzia", "A"};
        for (const QString &name : visible)
            QVERIFY2(window_->MenuItem(name)->isVisible(), qPrintable(name));
        for (const QString &name : hiddenDisabled) {
            QVERIFY2(!window_->MenuItem(name)->isVisible(), qPrintable(name));
            QVERIFY2(!window_->MenuItem(name)->isEnabled(), qPrintable(name));
        }
        for (const QString &name : hidden)
            QVERIFY2(!window_->MenuItem(name)->isVisible(), qPrintable(name));
        for (QPushButton *button :
             {window_->Command1, window_->ComPlytki, window_->ComArchiwizacja, window_->ComWysDoWIW,
              window_->ComUzytkownik, window_->ComCLab, window_->ComEnd})
            QVERIFY(button->isVisibleTo(window_));
        for (QPushButton *button :
             {window_->ComMatZuzyte, window_->ComOpcje, window_->ComTworzBazy, window_->Command5,
              window_->Command2, window_->Command3, window_->ComDodKol, window_->Command6,
              window_->Command4, window_->ComAdmin, window_->ComKodKresk})
            QVERIFY(!button->isVisibleTo(window_));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Menu główne"));
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
            QCOMPARE(ui.Log().first().title, QStringLiteral("INFORMACJA"));
            QCOMPARE(ui.Log().first().text,
                     QStringLiteral("Aby prawidłowo definiować próbki wprowadź 3-cyfrowy kod "
                                    "lokalizacji VUV nadrzędnego!\r052 - VUV Warszawa;      054 - "
                                    "VUV Siedlce;     055 - VUV Ostrołęka\rUzupełnij dane "
                                    "użytkownika!"));
        }
        window_->LabelKodLok->setText(QStringLiteral("052"));
        InitOnActivate = false;
        ExpectWindow(&aMain::Command1_Click, QStringLiteral("FormPartia"),
                     [](QWidget &) { QVERIFY(InitOnActivate); });
    }

    void batchRegisterWithoutMonthDatabaseIsReported()
    {
        window_->LabelKodLok->setText(QStringLiteral("052"));
        MonthDb.Close();
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->Command1_Click();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
    }

    void windowsOfTheDefinitions()
    {
        const auto sourceIs = [](const char *control, const QString &sql) {
            return [control, sql](QWidget &window) { QCOMPARE(Source(window, control), sql); };
        };
        ExpectWindow(&aMain::menLekarz_Click, QStringLiteral("FormLekarz"),
                     sourceIs("DataLekarz", "SELECT * FROM Lekarz ORDER BY Nazwisko, Imie"));
        ExpectWindow(&aMain::StanPr_Click, QStringLiteral("FormOpisProbki"),
                     sourceIs("DataPodp", "SELECT * FROM OpisProbki ORDER BY IdPodp"));
        ExpectWindow(&aMain::menRodzMat_Click, QStringLiteral("FormTkanka"),
                     sourceIs("DataTkanka", "SELECT * FROM TKANKA ORDER BY IDTkanka"));
        ExpectWindow(&aMain::menGatunek_Click, QStringLiteral("FormGatunek"),
                     sourceIs("DataGatunek", "SELECT * FROM GATUNEK ORDER BY IDGatunek"));
        ExpectWindow(&aMain::menPlec_Click, QStringLiteral("FormPlec"),
                     sourceIs("DataGatunek", "SELECT * FROM GATUNEK ORDER BY IDGatunek"));
        for (Handler handler : {&aMain::Operatorzy_Click})
            ExpectWindow(handler, QStringLiteral("FormOperat"));
        for (Handler handler : {&aMain::Opcje_Click, &aMain::ComOpcje_Click})
            ExpectWindow(handler, QStringLiteral("FormOpcje"));
        for (Handler handler :
             {&aMain::ComPlytki_Click, &aMain::Men2Uzytkownik_Click, &aMain::men3Zaklad_Click})
            ExpectWindow(handler, QStringLiteral("FormUzytkownik"));
    }

    void methodWindowGetsTheMethodText()
    {
        InitOnActivate = false;
        ExpectWindow(&aMain::mentTSM_Click, QStringLiteral("FormChoroba"), [](QWidget &window) {
            auto &form = static_cast<FormChoroba &>(window);
            QCOMPARE(form.TextMetoda->text(),
                     QStringLiteral("Metoda wytrawiania – wykrywanie larw Trichinella w mięsie"));
            QVERIFY(form.FrameChoroba->isVisible());
            QVERIFY(InitOnActivate);
            QCOMPARE(Source(window, "DataChoroba"),
                     QStringLiteral("SELECT * FROM Kierunek Where Kod = 'MERVASK'"));
        });
    }

    // A dictionary that cannot be read is reported and its window not shown.
    void unreadableDictionaryIsReported()
    {
        {
            dao::Database stale = fixture_->OpenStale();
            stale.Execute(QStringLiteral("DELETE FROM Kierunek"));
            stale.Execute(QStringLiteral("DROP TABLE Lekarz"));
            stale.Close();
        }
        for (Handler handler : {&aMain::mentTSM_Click, &aMain::menLekarz_Click}) {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            (window_->*handler)();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().size(), 1);
            QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
        }
    }

    void personListsNameTheirList_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("source");
        QTest::newRow("autoryzujące") << 0 << "DEFINICJA OSÓB AUTORYZUJĄCYCH BADANIE"
                                      << "SELECT * FROM Autoryzowal ORDER BY Nr";
        QTest::newRow("wykonujące") << 1 << "DEFINICJA OSÓB WYKONUJĄCYCH BADANIE"
                                    << "SELECT * FROM Wykonujacy ORDER BY Nr";
        QTest::newRow("odpowiedzialne") << 2 << "DEFINICJA OSÓB ODPOWIEDZIALNYCH ZA BADANIE"
                                        << "SELECT * FROM Odpowiedzialny ORDER BY Nr";
    }

    void personListsNameTheirList()
    {
        QFETCH(int, which);
        QFETCH(QString, caption);
        QFETCH(QString, source);
        const Handler handlers[] = {&aMain::menAutoryzowal_Click, &aMain::menWykonujacy_Click,
                                    &aMain::menOdpowiedzialny_Click};
        ExpectWindow(handlers[which], QStringLiteral("FormAutoryzowal"), [&](QWidget &window) {
            QCOMPARE(static_cast<FormAutoryzowal &>(window).DBGridPodp->Caption(), caption);
            QCOMPARE(Source(window, "DataDane"), source);
        });
    }

    void equipmentListsBoundTheirValues_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("HCl") << 0 << "HCL seria/data ważności"
                             << "HCLseria" << 150;
        QTest::newRow("Mieszadło") << 1 << "MIESZADŁO"
                                   << "MIESZADLO" << 30;
        QTest::newRow("Pepsyna") << 2 << "Pepsyna seria/data ważności"
                                 << "PepsynaSeria" << 150;
        QTest::newRow("Sito") << 3 << "Sito - nr ewidencyjny"
                              << "Sito" << 30;
        QTest::newRow("Termometr") << 4 << "TERMOMETR"
                                   << "TERMOMETR" << 30;
        QTest::newRow("Trychinoskop") << 5 << "TRYCHINOSKOP"
                                      << "TRYCHINOSKOP" << 30;
        QTest::newRow("Waga") << 6 << "WAGA"
                              << "WAGA" << 30;
    }

    // Each opener sets the limit, so the order of openings does not matter.
    void equipmentListsBoundTheirValues()
    {
        QFETCH(int, which);
        QFETCH(QString, heading);
        QFETCH(QString, table);
        QFETCH(int, maxLength);
        const Handler handlers[] = {&aMain::menHCL_Click,       &aMain::menMieszadlo_Click,
                                    &aMain::menPepsyna_Click,   &aMain::menSito_Click,
                                    &aMain::menTermometr_Click, &aMain::menTrychinoskop_Click,
                                    &aMain::menWaga_Click};
        const Handler previous = maxLength == 30 ? &aMain::menHCL_Click : &aMain::menWaga_Click;
        ExpectWindow(previous, QStringLiteral("FormPodpAll"));
        ExpectWindow(handlers[which], QStringLiteral("FormPodpAll"), [&](QWidget &window) {
            auto &form = static_cast<FormPodpAll &>(window);
            QCOMPARE(form.LabelOpis->text(), heading);
            QCOMPARE(form.LabelTyp->text(), QStringLiteral("string"));
            QCOMPARE(form.TextWartosc->maxLength(), maxLength);
            QCOMPARE(Source(window, "DataPodp"),
                     QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY ID"));
        });
    }

    void remarkHintsForSamplesAndBatches()
    {
        for (const auto &[handler, caption, table] :
             {std::tuple{&aMain::MenUwagiB_Click, "Uwagi do próbek", "UwagiProbka"},
              std::tuple{&aMain::MenUwagiP_Click, "Uwagi do partii", "UwagiPartia"}}) {
            ExpectWindow(handler, QStringLiteral("FormPodp"), [&](QWidget &window) {
                QCOMPARE(window.windowTitle(), QString::fromUtf8(caption));
                QCOMPARE(static_cast<FormPodp &>(window).LabelCaption->text(),
                         QStringLiteral("PODPOWIEDZI DO UWAG"));
                QCOMPARE(Source(window, "DataPodp"), QStringLiteral("SELECT * FROM ") +
                                                         QLatin1String(table) +
                                                         QStringLiteral(" ORDER BY IdPodp"));
            });
        }
    }

    void inspectoratesOpenOrderedByCode()
    {
        ExpectWindow(&aMain::piwety_Click, QStringLiteral("FormPIW"), [](QWidget &window) {
            QVERIFY(static_cast<FormPIW &>(window).OptionK->isChecked());
            QCOMPARE(Source(window, "DataZlew"),
                     QStringLiteral("SELECT * FROM PIW ORDER BY IdPiw"));
        });
        ExpectWindow(&aMain::wiw_Click, QStringLiteral("FormWIW"), [](QWidget &window) {
            QVERIFY(static_cast<FormWIW &>(window).OptionK->isChecked());
            QCOMPARE(Source(window, "DataZlew"),
                     QStringLiteral("SELECT * FROM WIW ORDER BY Idwiw"));
        });
    }

    // The client register opened from here never offers its choose button,
    // also after the batch register has used it as a picker.
    void clientRegisterWithoutChooseButton()
    {
        for (Handler handler : {&aMain::ComUzytkownik_Click, &aMain::zlewnie_Click}) {
            ui::WindowRegistry::Instance<FormZaklad>().ComUzyj->setVisible(true);
            FormRequest = QStringLiteral("Uzyj");
            InitOnActivate = false;
            ExpectWindow(handler, QStringLiteral("FormZaklad"), [](QWidget &window) {
                QVERIFY(!static_cast<FormZaklad &>(window).ComUzyj->isVisible());
                QVERIFY(InitOnActivate);
            });
            QCOMPARE(FormRequest, QStringLiteral("Uzyj"));
        }
    }

    void periodWindowsStartAtTheWorkingDate()
    {
        const QString date = window_->LabelData->text();
        const auto bothBounds = [date](QWidget &window) {
            for (const char *name : {"MebOd", "MebDo"})
                QCOMPARE(window.findChild<ui::MaskEdBox *>(QLatin1String(name))->Text(), date);
        };
        InitOnActivate = false;
        ExpectWindow(&aMain::ComCLab_Click, QStringLiteral("FormCLab"), [&](QWidget &window) {
            bothBounds(window);
            QVERIFY(InitOnActivate);
        });
        ExpectWindow(&aMain::WMatZuzyte_Click, QStringLiteral("FormMatZuzyte"), bothBounds);
        ExpectWindow(&aMain::WRodzUb_Click, QStringLiteral("FormRodzUboju"), bothBounds);
    }

    void aboutBoxHidesTheDateWhileShown()
    {
        ExpectWindow(&aMain::Men1KZV_Click, QStringLiteral("FrmInfQXrec"), [this](QWidget &) {
            QVERIFY(!window_->LabelData->isVisibleTo(window_));
            QVERIFY(!window_->Frame1->isVisibleTo(window_));
        });
        QVERIFY(window_->LabelData->isVisibleTo(window_));
    }

    // Commands that open no window: nothing is shown and nothing fails.
    void commandsWithoutWindow()
    {
        const Handler handlers[] = {
            &aMain::ComWysDoWIW_Click,  &aMain::Ilprob_Click,    &aMain::ComArchiwizacja_Click,
            &aMain::Archiwizacja_Click, &aMain::CzyscBaze_Click, &aMain::MatZuzyte_Click,
            &aMain::ComMatZuzyte_Click, &aMain::Command6_Click,  &aMain::Command5_Click};
        for (Handler handler : handlers) {
            ui::ScriptedUi ui;
            (window_->*handler)();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().size(), 0);
        }
        QCOMPARE(window_->CommandOrigin, QStringLiteral("menu"));
        ui::ScriptedUi ui;
        QVERIFY(window_->ComTworzBazy_Click());
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(!ends_->Ended());
    }

    void hiddenWorkingButtons()
    {
        {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            window_->Command4_Click();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Last().text, QStringLiteral("stop"));
            QCOMPARE(ui.Last().style, 0);
        }
        // The two list reports open in the preview window; afterwards both
        // buttons are hidden, also when the report cannot be shown.
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
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->Command3_Click();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
        QVERIFY(!window_->Command3->isVisibleTo(window_));
    }

    // The staging database of the installation has the field already: the
    // refusal is reported; without it the field is appended.
    void fieldForRecipientsInStaging()
    {
        {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            window_->ComDodKol_Click();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
        }
        RobotDb.Close();
        {
            dao::Database robot = fixture_->Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
            robot.Execute(QStringLiteral("ALTER TABLE seriatest DROP COLUMN Otrzymuja;"));
            robot.Close();
        }
        ui::ScriptedUi ui;
        ui.Answer("OK");
        window_->ComDodKol_Click();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, QString());
        dao::Database robot = fixture_->Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
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
        ui::ScriptedUi ui;
        if (way == 0)
            window_->ComEnd_Click();
        else if (way == 1)
            window_->Men1Exit_Click();
        else
            window_->close();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(!StaleDb.IsOpen());
        QVERIFY(!RobotDb.IsOpen());
        QVERIFY(!MonthDb.IsOpen());
        QVERIFY(ends_->Ended());
    }
};

QTEST_MAIN(aMainCommandsTest)
#include "tst_aMainCommands.moc"
