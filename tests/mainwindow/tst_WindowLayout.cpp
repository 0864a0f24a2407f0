#include "InstalledWorkstation.h"
#include "ProgramState.h"

#include "batches/FormPartia.h"
#include "batches/FormSeriaTest.h"
#include "digestion/FormNastawienie.h"
#include "digestion/FormPodpAll.h"
#include "foundation/FormAlarm.h"
#include "foundation/FormDrukRap.h"
#include "foundation/FormKalendarz.h"
#include "foundation/FormKalendarz1.h"
#include "foundation/FormOpcje.h"
#include "foundation/FormOperat.h"
#include "foundation/FormUzytkownik.h"
#include "foundation/FormZegar.h"
#include "foundation/FrmInfQXrec.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/FormAdmBaz.h"
#include "mainwindow/aMain.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormAutoryzowal.h"
#include "registers/FormChoroba.h"
#include "registers/FormGatunek.h"
#include "registers/FormLekarz.h"
#include "registers/FormOpisProbki.h"
#include "registers/FormPIW.h"
#include "registers/FormPlec.h"
#include "registers/FormPodp.h"
#include "registers/FormTkanka.h"
#include "registers/FormWIW.h"
#include "registers/FormZaklad.h"
#include "reports/FormCLab.h"
#include "reports/FormIlTestow.h"
#include "reports/FormMatZuzyte.h"
#include "reports/FormRodzUboju.h"
#include "samples/FormBadanie.h"
#include "samples/FormNumery.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace
{

// What a user sees of a window's controls: which of them lie on one another,
// and which texts do not fit their place. Sizes are measured with each
// control's own font, so the checks hold whatever fonts the desktop has.
class LayoutCheck
{
public:
    // `overlay`: a frame opened over the window's list; it may cover the
    // list and its buttons, not the texts that say what is being edited.
    explicit LayoutCheck(QWidget &window, QWidget *overlay = nullptr)
        : window_(window), overlay_(overlay)
    {
    }

    QStringList Faults()
    {
        Container(&window_, QString());
        return faults_;
    }

private:
    static QString Name(const QWidget *w)
    {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    }

    static QString Where(const QRect &r)
    {
        return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

    // A control drawn by itself: what lies inside it is its own business.
    static bool IsControl(const QWidget *w)
    {
        return qobject_cast<const QAbstractScrollArea *>(w) ||
               qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QComboBox *>(w) ||
               qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QLineEdit *>(w) ||
               qobject_cast<const QLabel *>(w) || qobject_cast<const QCalendarWidget *>(w) ||
               qobject_cast<const QProgressBar *>(w) || qobject_cast<const QTabBar *>(w) ||
               qobject_cast<const QMenuBar *>(w) || qobject_cast<const QStatusBar *>(w) ||
               qobject_cast<const QAbstractSlider *>(w) || w->inherits("ui::DataControl");
    }

    static QList<QWidget *> Shown(QWidget *parent)
    {
        QList<QWidget *> shown;
        for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->isHidden())
                shown.append(child);
        }
        return shown;
    }

    void Container(QWidget *parent, const QString &path)
    {
        const QList<QWidget *> children = Shown(parent);
        for (qsizetype i = 0; i < children.size(); ++i) {
            QWidget *a = children.at(i);
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                QWidget *b = children.at(j);
                if (Covers(a, b) && a->geometry().intersects(b->geometry()))
                    faults_.append(QStringLiteral("%1%2 %3 and %4 %5 overlap")
                                       .arg(path, Name(a), Where(a->geometry()), Name(b),
                                            Where(b->geometry())));
            }
            if (!parent->rect().contains(a->geometry()))
                faults_.append(
                    QStringLiteral("%1%2 %3 reaches out of %4")
                        .arg(path, Name(a), Where(a->geometry()), Where(parent->rect())));
            Texts(a, path);
            if (!IsControl(a))
                Container(a, path + Name(a) + QLatin1Char('/'));
        }
    }

    bool Covers(const QWidget *a, const QWidget *b) const
    {
        if (a == overlay_)
            return qobject_cast<const QLabel *>(b);
        if (b == overlay_)
            return qobject_cast<const QLabel *>(a);
        return true;
    }

    void Texts(QWidget *w, const QString &path)
    {
        if (auto *grid = qobject_cast<QTableView *>(w))
            Headings(grid, path);
        else if (auto *label = qobject_cast<QLabel *>(w))
            Label(label, path);
        else if (auto *button = qobject_cast<QPushButton *>(w))
            // The caption is drawn centred inside the button's frame.
            Fits(w, Plain(button->text()), button->width() - 2 * Margin(w), path);
        else if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w)) {
            if (w->sizeHint().width() > w->width())
                faults_.append(QStringLiteral("%1%2: \"%3\" needs %4 px, has %5")
                                   .arg(path, Name(w), static_cast<QAbstractButton *>(w)->text())
                                   .arg(w->sizeHint().width())
                                   .arg(w->width()));
        } else if (auto *edit = qobject_cast<QLineEdit *>(w);
                   edit && edit->echoMode() == QLineEdit::Normal &&
                   (edit->isReadOnly() || edit->maxLength() <= 14))
            // Dates, hours and codes are seen whole; a free text may scroll. The
            // line edit's own margin is 2 pixels a side, inside its frame.
            Fits(w, edit->text(), edit->width() - 2 * (Margin(w) + 2), path);
        else if (auto *box = qobject_cast<QGroupBox *>(w); box && !box->title().isEmpty())
            Fits(w, box->title(), box->width() - 2 * Margin(w), path);
    }

    void Headings(QTableView *grid, const QString &path)
    {
        const QHeaderView *header = grid->horizontalHeader();
        const QFontMetrics metrics(header->font());
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i))
                continue;
            const QString text =
                grid->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
            const int needed = metrics.horizontalAdvance(text) + 2 * margin;
            if (header->sectionSize(i) < needed)
                faults_.append(QStringLiteral("%1%2: column \"%3\" is %4 px, its heading needs %5")
                                   .arg(path, Name(grid), text)
                                   .arg(header->sectionSize(i))
                                   .arg(needed));
        }
    }

    void Label(QLabel *label, const QString &path)
    {
        if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return;
        Fits(label, Plain(label->text()), label->contentsRect().width() - 2 * label->margin(),
             path);
    }

    void Fits(QWidget *w, const QString &text, int room, const QString &path)
    {
        int needed = 0;
        const QFontMetrics metrics(w->font());
        for (const QString &line : text.split(QLatin1Char('\n')))
            needed = qMax(needed, metrics.horizontalAdvance(line));
        if (room < needed)
            faults_.append(QStringLiteral("%1%2: \"%3\" needs %4 px, has %5")
                               .arg(path, Name(w), text)
                               .arg(needed)
                               .arg(room));
    }

    // A caption as shown: its shortcut marks are not drawn.
    static QString Plain(QString text)
    {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    }

    static int Margin(QWidget *w)
    {
        return w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    }

    QWidget &window_;
    QWidget *overlay_;
    QStringList faults_;
};

using Opener = std::function<void()>;

template <class W> Opener Shown()
{
    return [] { ui::ShowModal(ui::WindowRegistry::Instance<W>()); };
}

struct Window {
    const char *name;
    Opener open;
};

const QString Day = QStringLiteral("05.03.2024");

const QList<Window> &Windows()
{
    static const QList<Window> windows{
        {"aMain", Shown<aMain>()},
        {"frmLoginLab", Shown<frmLoginLab>()},
        {"FormAdmBaz", Shown<FormAdmBaz>()},
        {"FormAlarm", Shown<FormAlarm>()},
        {"FormDrukRap", Shown<FormDrukRap>()},
        {"FormKalendarz", Shown<FormKalendarz>()},
        {"FormKalendarz1", Shown<FormKalendarz1>()},
        {"FormOpcje", [] { FormOpcje::Open(); }},
        {"FormOperat", [] { FormOperat::Open(); }},
        {"FormUzytkownik", [] { FormUzytkownik::Open(); }},
        {"FormZegar", Shown<FormZegar>()},
        {"FrmInfQXrec", Shown<FrmInfQXrec>()},
        {"FormPartia", [] { FormPartia::Open(Day); }},
        {"FormSeriaTest", Shown<FormSeriaTest>()},
        {"FormBadanie", Shown<FormBadanie>()},
        {"FormNumery", Shown<FormNumery>()},
        {"FormNastawienie", Shown<FormNastawienie>()},
        {"FormPodpAll",
         [] { FormPodpAll::Open(QStringLiteral("Waga"), QStringLiteral("WAGA"), 50); }},
        {"FormZaklad", [] { FormZaklad::Open(); }},
        {"FormLekarz", [] { FormLekarz::Open(); }},
        {"FormPIW", [] { FormPIW::Open(); }},
        {"FormWIW", [] { FormWIW::Open(); }},
        {"FormTkanka", [] { FormTkanka::Open(); }},
        {"FormChoroba", [] { FormChoroba::Open(); }},
        {"FormGatunek", [] { FormGatunek::Open(); }},
        {"FormPlec", [] { FormPlec::Open(); }},
        {"FormOpisProbki", [] { FormOpisProbki::Open(); }},
        {"FormPodp",
         [] { FormPodp::Open(QStringLiteral("Uwagi do próbek"), QStringLiteral("UwagiProbka")); }},
        {"FormAutoryzowal",
         [] {
             FormAutoryzowal::Open(QStringLiteral("Odpowiedzialny"),
                                   QStringLiteral("DEFINICJA OSÓB ODPOWIEDZIALNYCH ZA BADANIE"));
         }},
        {"FormCLab", [] { FormCLab::Open(Day); }},
        {"FormIlTestow", Shown<FormIlTestow>()},
        {"FormMatZuzyte", [] { FormMatZuzyte::Open(Day); }},
        {"FormRodzUboju", [] { FormRodzUboju::Open(Day); }},
    };
    return windows;
}

} // namespace

// Every window of the program as it first opens: no control lies on another,
// no text is cut, and every grid column is as wide as its heading. The frames
// that lie hidden over a list are opened one at a time and checked the same
// way, together with what they must leave visible.
class WindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ProgramState::Reset(); }
    void cleanup() { ProgramState::Reset(); }

    void everyWindowShowsItsControlsWhole_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("fontScale");
        // The platform's font, and the larger one of a desktop set up for
        // easier reading.
        for (const double scale : {1.0, 1.25}) {
            for (qsizetype i = 0; i < Windows().size(); ++i)
                QTest::addRow("%s %g", Windows().at(i).name, scale) << int(i) << scale;
        }
    }

    void everyWindowShowsItsControlsWhole()
    {
        QFETCH(int, index);
        QFETCH(double, fontScale);
        const Window &entry = Windows().at(index);
        const QFont platformFont = QApplication::font();
        QFont font = platformFont;
        font.setPointSizeF(platformFont.pointSizeF() * fontScale);
        QApplication::setFont(font);
        const auto restoreFont = qScopeGuard([&] { QApplication::setFont(platformFont); });
        InstalledWorkstation workstation;
        QVERIFY(workstation.IsValid());
        ui::WindowRegistry::Instance<frmLoginLab>().TextOperatRodz->setText(
            QStringLiteral("Administrator"));

        QStringList faults;
        bool shown = false;
        ui::ScriptedUi ui;
        ui.AnswerWindow(QLatin1String(entry.name), [&](QWidget &window) {
            shown = true;
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            faults = LayoutCheck(window).Faults();
            // The frames that open over a list, each alone.
            for (QWidget *child : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!child->isHidden() || child->isWindow() ||
                    !(qobject_cast<QGroupBox *>(child) || child->inherits("QFrame")) ||
                    qobject_cast<QAbstractScrollArea *>(child) || qobject_cast<QLabel *>(child))
                    continue;
                child->show();
                QCoreApplication::processEvents();
                for (const QString &fault : LayoutCheck(window, child).Faults()) {
                    if (!faults.contains(fault))
                        faults.append(
                            QStringLiteral("with %1 open: %2").arg(child->objectName(), fault));
                }
                child->hide();
            }
        });
        entry.open();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(shown);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

int main(int argc, char **argv)
{
    // A workstation's desktop rather than the offscreen platform's 800 x 600.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1366,
        "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    QApplication app(argc, argv);
    WindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_WindowLayout.moc"
