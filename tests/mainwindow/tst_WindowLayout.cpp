#include "InstalledWorkstation.h"
#include "Press.h"
#include "ProgramState.h"
#include "TableData.h"

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
#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/FormAdmBaz.h"
#include "mainwindow/StartupPickLists.h"
#include "mainwindow/aMain.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowFit.h"
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
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QWindow>
#include <QtTest>

#include <cmath>
#include <functional>

namespace
{

// What a user sees of a window's controls: which of them lie on one another,
// and which texts do not fit their place. Sizes are measured with each
// control's own font, so the checks hold whatever fonts the desktop has.
class LayoutCheck
{
public:
    // A column at least this many average characters wide holds free text,
    // which may be cut.
    static constexpr int FreeTextChars = 50;

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
        if (auto *grid = qobject_cast<QTableView *>(w)) {
            Headings(grid, path);
            Cells(grid, path);
            ScrollBars(grid, path);
            // The caption drawn over the headings.
            if (auto *caption = grid->findChild<QLabel *>(QStringLiteral("Caption"));
                caption && !caption->isHidden())
                Fits(caption, caption->text(), caption->contentsRect().width(),
                     path + Name(grid) + QLatin1Char('/'));
        } else if (w->inherits("ui::DataControl"))
            NavigationBar(w, path);
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
        } else if (auto *list = qobject_cast<QComboBox *>(w); list && list->lineEdit())
            ReadFromStart(list->lineEdit(), Name(w), path);
        else if (auto *edit = qobject_cast<QLineEdit *>(w);
                 edit && edit->echoMode() == QLineEdit::Normal &&
                 (edit->isReadOnly() || edit->maxLength() <= 14))
            // Dates, hours and codes are seen whole; a free text may scroll. The
            // line edit's own margin is 2 pixels a side, inside its frame.
            Fits(w, edit->text(), edit->width() - 2 * (Margin(w) + 2), path);
        else if (edit && edit->echoMode() == QLineEdit::Normal)
            ReadFromStart(edit, Name(w), path);
        else if (auto *box = qobject_cast<QGroupBox *>(w); box && !box->title().isEmpty()) {
            Fits(w, box->title(), box->width() - 2 * Margin(w), path);
            // A caption is said once, not again by a label inside.
            for (const QLabel *label : box->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
                if (!label->isHidden() && label->text() == box->title())
                    faults_.append(QStringLiteral("%1%2: \"%3\" is shown twice")
                                       .arg(path, Name(w), box->title()));
            }
        }
    }

    // A longer text that the user is not typing in is read from its start.
    void ReadFromStart(QLineEdit *edit, const QString &name, const QString &path)
    {
        if (!edit->hasFocus() && edit->cursorPosition() != 0 &&
            edit->fontMetrics().horizontalAdvance(edit->text()) >
                edit->width() - 2 * (Margin(edit) + 2))
            faults_.append(
                QStringLiteral("%1%2: \"%3\" is shown from its end").arg(path, name, edit->text()));
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

    // What the rows in sight show: a code, a number, a date or a word is seen
    // whole; only a free text wider than a column of FreeTextChars may be cut.
    void Cells(QTableView *grid, const QString &path)
    {
        const QHeaderView *header = grid->horizontalHeader();
        const QFontMetricsF metrics(grid->font());
        const int freeText = QFontMetrics(grid->font()).averageCharWidth() * FreeTextChars;
        // The room an item view leaves around a cell's text, and the grid line.
        const int margin =
            2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) +
            (grid->showGrid() ? 1 : 0);
        const int first = grid->rowAt(0);
        if (first < 0)
            return;
        int last = grid->rowAt(grid->viewport()->height() - 1);
        if (last < 0)
            last = grid->model()->rowCount() - 1;
        for (int column = 0; column < header->count(); ++column) {
            if (header->isSectionHidden(column) || header->sectionSize(column) >= freeText)
                continue;
            for (int row = first; row <= last; ++row) {
                const QString text =
                    grid->model()->index(row, column).data(Qt::DisplayRole).toString();
                const int needed = int(std::ceil(metrics.horizontalAdvance(text))) + margin;
                if (header->sectionSize(column) < needed) {
                    faults_.append(
                        QStringLiteral("%1%2: column \"%3\" is %4 px, \"%5\" in it needs %6")
                            .arg(path, Name(grid),
                                 grid->model()
                                     ->headerData(column, Qt::Horizontal, Qt::DisplayRole)
                                     .toString())
                            .arg(header->sectionSize(column))
                            .arg(text)
                            .arg(needed));
                    break;
                }
            }
        }
    }

    // A list whose rows and columns are all in sight shows no scroll bar,
    // unless the window asks for both always.
    void ScrollBars(QTableView *grid, const QString &path)
    {
        for (const QScrollBar *bar : {grid->horizontalScrollBar(), grid->verticalScrollBar()}) {
            const Qt::ScrollBarPolicy policy = bar->orientation() == Qt::Horizontal
                                                   ? grid->horizontalScrollBarPolicy()
                                                   : grid->verticalScrollBarPolicy();
            if (bar->isVisible() && bar->maximum() == 0 &&
                !(policy == Qt::ScrollBarAlwaysOn && BothBarsAsked(grid)))
                faults_.append(QStringLiteral("%1%2: a %3 scroll bar with nothing to scroll")
                                   .arg(path, Name(grid),
                                        bar->orientation() == Qt::Horizontal
                                            ? QStringLiteral("horizontal")
                                            : QStringLiteral("vertical")));
        }
    }

    bool BothBarsAsked(const QTableView *grid) const
    {
        return window_.objectName() == QLatin1String("FormPartia") &&
               grid->objectName() == QLatin1String("DBGridPartia");
    }

    // The bar's text box between the arrows keeps room for its text and for
    // a few characters more; it is never squeezed to nothing.
    void NavigationBar(QWidget *bar, const QString &path)
    {
        auto *caption = bar->findChild<QLabel *>(QStringLiteral("Caption"));
        if (!caption)
            return;
        const int least = caption->fontMetrics().averageCharWidth() * 6;
        if (caption->contentsRect().width() < least)
            faults_.append(QStringLiteral("%1%2: its text box is %3 px wide")
                               .arg(path, Name(bar))
                               .arg(caption->contentsRect().width()));
        else
            Fits(caption, caption->text(), caption->contentsRect().width(),
                 path + Name(bar) + QLatin1Char('/'));
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

// With MERVASK_LAYOUT_SHOTS naming a folder, the screen as the user sees it
// is kept there for each window, to be looked at.
void Snapshot(QWidget &window, const QString &name)
{
    const QString folder = qEnvironmentVariable("MERVASK_LAYOUT_SHOTS");
    if (folder.isEmpty())
        return;
    QCoreApplication::processEvents();
    QScreen *screen = window.screen();
    QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen"))
        shot = window.grab();
    shot.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// The application's font made larger by `scale` for as long as this lives, as
// on a desktop set up for easier reading.
class ScaledFont
{
public:
    explicit ScaledFont(double scale) : platform_(QApplication::font())
    {
        QFont font = platform_;
        font.setPointSizeF(platform_.pointSizeF() * scale);
        QApplication::setFont(font);
    }
    ~ScaledFont() { QApplication::setFont(platform_); }
    ScaledFont(const ScaledFont &) = delete;
    ScaledFont &operator=(const ScaledFont &) = delete;

private:
    QFont platform_;
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
const QString Wni = QStringLiteral("06120001");

// The batch that the sample and run windows open on.
BatchHeading Batch()
{
    return {1, QDate(2024, 3, 5), Wni,
            Wni + QStringLiteral(" - Ubojnia Łęczyca, Łęczyca ul. Polna 1")};
}

// A day's work as the lists show it, with codes and numbers as long as they
// come: a batch of three samples, a run of two trays and the client.
void AddDaysWork()
{
    const QDate day = InstalledWorkstation::Day;
    TableData::AddRow(MonthDb, QStringLiteral("Partia"),
                      {{QStringLiteral("Partia"), 1},
                       {QStringLiteral("WNI"), Wni},
                       {QStringLiteral("ZleceniodawcaWNI"), Wni},
                       {QStringLiteral("KodPIW"), Wni.left(4)},
                       {QStringLiteral("IlProbek"), 3},
                       {QStringLiteral("NrTac"), QStringLiteral("1-2")},
                       {QStringLiteral("DataUboju"), day},
                       {QStringLiteral("DataPobr"), day},
                       {QStringLiteral("DataDoLab"), day},
                       {QStringLiteral("GodzDoLab"), QStringLiteral("08:30")},
                       {QStringLiteral("Czystopis"), QStringLiteral("T")}});
    for (int carcass = 1; carcass <= 3; ++carcass)
        TableData::AddRow(MonthDb, QStringLiteral("Badanie"),
                          {{QStringLiteral("Partia"), 1},
                           {QStringLiteral("NrProbki"), carcass},
                           {QStringLiteral("NrDzien"), carcass},
                           {QStringLiteral("NrOgolny"), 1000 + carcass},
                           {QStringLiteral("IDProbkiWNI"), Wni},
                           {QStringLiteral("IDProbkiNr"), QStringLiteral("0000%1").arg(carcass)},
                           {QStringLiteral("IDProbkiData"), QStringLiteral("07122024")},
                           {QStringLiteral("NrTacy"), 1},
                           {QStringLiteral("Gatunek"), QStringLiteral("Świnie")},
                           {QStringLiteral("Plec"), QStringLiteral("Tucznik")},
                           {QStringLiteral("NazTkanka"), QStringLiteral("filar przepony")},
                           {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")},
                           {QStringLiteral("DataDoLab"), day}});
    TableData::AddRow(MonthDb, QStringLiteral("Nastawienie"),
                      {{QStringLiteral("Partia"), 1},
                       {QStringLiteral("Nastawienie"), 1},
                       {QStringLiteral("NrTac"), QStringLiteral("1-2")},
                       {QStringLiteral("IlProbek"), 3}});
    for (int tray = 1; tray <= 2; ++tray)
        TableData::AddRow(MonthDb, QStringLiteral("PozycjaN"),
                          {{QStringLiteral("Partia"), 1},
                           {QStringLiteral("Nastawienie"), 1},
                           {QStringLiteral("NrTacy"), tray},
                           {QStringLiteral("NrTusz"), QStringLiteral("1-3")},
                           {QStringLiteral("IlProbek"), 3}});
    TableData::AddRow(StaleDb, QStringLiteral("Zaklad"),
                      {{QStringLiteral("IdRzezni"), Wni},
                       {QStringLiteral("KodPIW"), Wni.left(4)},
                       {QStringLiteral("Nazwa"), QStringLiteral("Ubojnia Łęczyca")},
                       {QStringLiteral("Miasto"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("TypWNI"), QStringLiteral("zakład ubojowy")}});
}

// A text of `size` characters as a register holds it: words of a name.
QString LongText(int size)
{
    const QString words = QStringLiteral("Wierzbicka-Szczepańska Żółkiewska Łęczyca ");
    QString text;
    while (text.size() < size)
        text += words;
    return text.left(size);
}

// Every register that fills a pick list gets an entry as long as its columns
// allow (a vet's first name and surname make one of 81 characters), and the
// lists filled at start-up are filled again.
void AddLongestEntries()
{
    const struct {
        const char *table;
        QStringList texts;
        QVariantMap others;
    } registers[] = {
        {"Lekarz", {"Imie", "Nazwisko"}, {{"IDLekarz", 99}}},
        {"Operatorzy", {"OP_NAZWISKO"}, {{"OP_NUMER", "99"}, {"OP_RODZAJ", "Operator"}}},
        {"Autoryzowal", {"Nazwa"}, {{"Nr", 99}}},
        {"Wykonujacy", {"Nazwa"}, {{"Nr", 99}}},
        {"Odpowiedzialny", {"Nazwa"}, {{"Nr", 99}}},
        {"Waga", {"Wartosc"}, {{"ID", "99"}}},
        {"Termometr", {"Wartosc"}, {{"ID", "99"}}},
        {"Mieszadlo", {"Wartosc"}, {{"ID", "99"}}},
        {"Trychinoskop", {"Wartosc"}, {{"ID", "99"}}},
        {"Sito", {"Wartosc"}, {{"ID", "99"}}},
        {"HCLseria", {"Wartosc"}, {{"ID", "99"}}},
        {"PepsynaSeria", {"Wartosc"}, {{"ID", "99"}}},
        {"Gatunek", {"NazGatunek"}, {{"IDGatunek", 99}}},
        // The sexes of the species a sample starts with.
        {"Plec", {"NazPlec"}, {{"IDGatunek", 1}}},
        {"Tkanka", {"NazTkanka"}, {{"IDTkanka", 99}}},
        {"OpisProbki", {"PODPOWIEDZ"}, {{"IDPODP", 99}}},
        {"UwagiProbka", {"PODPOWIEDZ"}, {{"IDPODP", 99}}},
        {"UwagiPartia", {"PODPOWIEDZ"}, {{"IDPODP", 99}}},
    };
    for (const auto &entry : registers) {
        const QString table = QLatin1String(entry.table);
        const TableSpec *definition = Schema::Table(Schema::Stale, table);
        QVERIFY2(definition, entry.table);
        QVariantMap row = entry.others;
        for (const QString &field : entry.texts) {
            QVERIFY2(definition->Field(field), qPrintable(field));
            row.insert(field, LongText(definition->Field(field)->size));
        }
        TableData::AddRow(StaleDb, table, row);
    }
    FillStartupPickLists();
}

// Each pick list of the window shows its longest entry, as when the user has
// picked it.
void PickLongestEntries(QWidget &window)
{
    for (QComboBox *list : window.findChildren<QComboBox *>()) {
        int longest = -1;
        for (int i = 0; i < list->count(); ++i) {
            if (longest < 0 || list->itemText(i).size() > list->itemText(longest).size())
                longest = i;
        }
        if (longest >= 0)
            list->setCurrentIndex(longest);
    }
    QCoreApplication::processEvents();
}

// The whole window, its frame included, lies in the screen's free area (the
// screen less the taskbar), so nothing of it is out of reach.
QStringList OnScreen(QWidget &window)
{
    // A window manager frames the window once it has taken it over.
    QWindow *handle = window.windowHandle();
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        !QTest::qWaitFor([&] { return !handle->frameMargins().isNull(); }, 20000))
        return {QStringLiteral("the window got no frame: is a window manager running?")};
    // A screen scaled by a fraction rounds the sizes it reports: a pixel's
    // difference at the edge is that rounding, not the window's.
    const qreal ratio = window.screen()->devicePixelRatio();
    const int rounding = ratio == std::floor(ratio) ? 0 : 1;
    const QRect free = window.screen()->availableGeometry().adjusted(0, 0, rounding, rounding);
    const QRect frame = handle->frameGeometry();
    if (free.contains(frame))
        return {};
    return {QStringLiteral("the window (%1,%2 %3x%4 with its frame) reaches out of the "
                           "screen's free area (%5,%6 %7x%8)")
                .arg(frame.x())
                .arg(frame.y())
                .arg(frame.width())
                .arg(frame.height())
                .arg(free.x())
                .arg(free.y())
                .arg(free.width())
                .arg(free.height())};
}

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
        {"FormBadanie", [] { FormBadanie::OpenForBatch(Batch()); }},
        {"FormNumery", Shown<FormNumery>()},
        {"FormNastawienie", [] { FormNastawienie::OpenForBatch(Batch()); }},
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

// Every window of the program as it first opens, each pick list on the
// longest entry its register allows: no control lies on another, no text is
// cut, every grid column is as wide as its heading, and every frame lies
// inside its window and holds its controls. The frames that lie hidden over a
// list are opened one at a time and checked the same way, together with what
// they must leave visible.
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
        // easier reading; a screen scaled as a whole (QT_SCALE_FACTOR) with
        // the platform's font.
        const bool screenScaled = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
        for (const double scale : {1.0, 1.25}) {
            if (screenScaled && scale != 1.0)
                continue;
            for (qsizetype i = 0; i < Windows().size(); ++i)
                QTest::addRow("%s %g", Windows().at(i).name, scale) << int(i) << scale;
        }
    }

    void everyWindowShowsItsControlsWhole()
    {
        QFETCH(int, index);
        QFETCH(double, fontScale);
        const Window &entry = Windows().at(index);
        const ScaledFont scaled(fontScale);
        InstalledWorkstation workstation;
        QVERIFY(workstation.IsValid());
        AddDaysWork();
        AddLongestEntries();
        ui::WindowRegistry::Instance<frmLoginLab>().TextOperatRodz->setText(
            QStringLiteral("Administrator"));

        QStringList faults;
        bool shown = false;
        ui::ScriptedUi ui;
        ui.AnswerWindow(QLatin1String(entry.name), [&](QWidget &window) {
            shown = true;
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            PickLongestEntries(window);
            faults = OnScreen(window) + LayoutCheck(window).Faults();
            Snapshot(window, QStringLiteral("%1 %2").arg(QLatin1String(entry.name)).arg(fontScale));
            // The frames that open over a list, each alone.
            for (QWidget *child : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!child->isHidden() || child->isWindow() ||
                    !(qobject_cast<QGroupBox *>(child) || child->inherits("QFrame")) ||
                    qobject_cast<QAbstractScrollArea *>(child) || qobject_cast<QLabel *>(child))
                    continue;
                // A frame opens under the caption of what it edits.
                auto *box = qobject_cast<QGroupBox *>(child);
                const bool titled = box && box->title().isEmpty();
                if (titled)
                    box->setTitle(QStringLiteral("POPRAWA"));
                child->show();
                QCoreApplication::processEvents();
                for (const QString &fault : LayoutCheck(window, child).Faults()) {
                    if (!faults.contains(fault))
                        faults.append(
                            QStringLiteral("with %1 open: %2").arg(child->objectName(), fault));
                }
                Snapshot(window, QStringLiteral("%1 %2 %3")
                                     .arg(QLatin1String(entry.name))
                                     .arg(fontScale)
                                     .arg(child->objectName()));
                child->hide();
                if (titled)
                    box->setTitle(QString());
            }
        });
        entry.open();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(shown);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // A list read again shows its values whole at once: the result that
    // "Duplikuj Wynik ujemny" writes into every sample is not cut until the
    // window is opened again.
    void listsShowTheirValuesWholeAfterARereading_data()
    {
        QTest::addColumn<double>("fontScale");
        for (const double scale : {1.0, 1.25}) {
            if (scale == 1.0 || !qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
                QTest::addRow("%g", scale) << scale;
        }
    }

    void listsShowTheirValuesWholeAfterARereading()
    {
        QFETCH(double, fontScale);
        const ScaledFont scaled(fontScale);
        InstalledWorkstation workstation;
        QVERIFY(workstation.IsValid());
        AddDaysWork();
        MonthDb.Execute(QStringLiteral("UPDATE Badanie SET Wynik = Null"));
        ui::WindowRegistry::Instance<frmLoginLab>().TextOperatRodz->setText(
            QStringLiteral("Administrator"));
        QStringList faults;
        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [&](QWidget &window) {
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            PRESS(&window, "ComPopraw");
            ui.Answer(QStringLiteral("Yes"));
            PRESS(&window, "ComWstUjemny");
            QCoreApplication::processEvents();
            faults = LayoutCheck(window).Faults();
        });
        FormBadanie::OpenForBatch(Batch());
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(MonthDb
                     .OpenRecordset(QStringLiteral("SELECT * FROM Badanie WHERE Wynik = "
                                                   "'nie stwierdzono'"))
                     .RecordCount(),
                 3);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // A message naming a path breaks its lines before or after the path,
    // never inside it, wherever the path falls in the text.
    void messagesKeepPathsWhole()
    {
        const QString path = QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb");
        for (int words = 0; words < 30; ++words) {
            const QString prompt = QStringLiteral("Baza danych ") +
                                   QStringLiteral("miesiąca ").repeated(words) + path +
                                   QStringLiteral(" nie została otwarta!");
            const std::unique_ptr<QMessageBox> box = ui::CreateMsgBox(prompt, ui::vbOKOnly, {});
            box->show();
            QVERIFY(QTest::qWaitForWindowExposed(box.get()));
            const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(label);
            const QString shown = label->text();
            const qsizetype start = shown.indexOf(QStringLiteral("T:"));
            const qsizetype end = shown.indexOf(QLatin1Char(' '), start);
            // The lines as the label lays them out.
            QTextLayout layout(shown, label->font());
            QTextOption option;
            option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
                line.setLineWidth(label->contentsRect().width());
            layout.endLayout();
            QVERIFY2(layout.lineForTextPosition(int(start)).lineNumber() ==
                         layout.lineForTextPosition(int(end - 1)).lineNumber(),
                     qPrintable(QStringLiteral("the path is broken after %1 words").arg(words)));
            QCOMPARE(QString(shown).remove(QChar(0x2060)), prompt);
        }
    }

    // A question's box is wide enough for its whole title beside the title
    // bar's icon and buttons.
    void questionsShowTheirTitlesWhole()
    {
        const QString title = QStringLiteral("Potwierdzanie zapisywania jako");
        const std::unique_ptr<QMessageBox> box =
            ui::CreateMsgBox(QStringLiteral("a.pdf już istnieje.\rCzy chcesz go zamienić?"),
                             ui::vbYesNo + ui::vbExclamation + ui::vbDefaultButton2, title);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QFont bold = QGuiApplication::font();
        bold.setBold(true);
        // An icon and three buttons of at least 25 pixels each.
        const int needed = QFontMetrics(bold).horizontalAdvance(title) + 4 * 25;
        QVERIFY2(box->width() >= needed,
                 qPrintable(QStringLiteral("%1 px for %2").arg(box->width()).arg(needed)));
    }

    // A window closed and opened again comes back where it was, framed the
    // same, however often and however soon it is closed: the window
    // manager's frame is never added to its place once more.
    void windowsComeBackWhereTheyWere_data()
    {
        QTest::addColumn<int>("index");
        for (const char *name : {"FormOperat", "FormZaklad", "FormCLab", "FormPodpAll"}) {
            for (qsizetype i = 0; i < Windows().size(); ++i) {
                if (qstrcmp(Windows().at(i).name, name) == 0)
                    QTest::newRow(name) << int(i);
            }
        }
    }

    void windowsComeBackWhereTheyWere()
    {
        QFETCH(int, index);
        const Window &entry = Windows().at(index);
        InstalledWorkstation workstation;
        QVERIFY(workstation.IsValid());
        ui::WindowRegistry::Instance<frmLoginLab>().TextOperatRodz->setText(
            QStringLiteral("Administrator"));
        // Opened from the main window, as the user opens them.
        aMain &main = ui::WindowRegistry::Instance<aMain>();
        ui::FitOnScreen(main);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QWidget *window = nullptr;
        // On an X display: whether the window manager has framed the window
        // (true) or let it go (false) within 20 s.
        const bool onX = QGuiApplication::platformName() == QLatin1String("xcb");
        const auto framedBy = [&](bool framed) {
            return !onX ||
                   QTest::qWaitFor(
                       [&] { return window->windowHandle()->frameMargins().isNull() != framed; },
                       20000);
        };
        {
            ui::ScriptedUi ui;
            // Left only once the manager has framed it: a window hidden while
            // it is still being taken over may come back unframed, which no
            // user's clicks can do.
            ui.AnswerWindow(QLatin1String(entry.name), [&](QWidget &shown) {
                window = &shown;
                QVERIFY2(framedBy(true), "the window got no frame");
            });
            entry.open();
            SCRIPTED_UI_VERIFY(ui);
        }
        QVERIFY(window);
        QVERIFY2(framedBy(false), "the window manager kept the hidden window");
        // Shown in its own modal loop, as the program shows it, and closed
        // at once the first time; shown again when the manager has let it
        // go, as the user's next click finds it.
        QList<QRect> places;
        for (const int closeAfter : {50, 400, 400, 400}) {
            QTimer::singleShot(closeAfter, window, [&] {
                places.append(framedBy(true) ? window->windowHandle()->frameGeometry() : QRect());
                window->hide();
            });
            ui::ShowModal(*window);
            QVERIFY2(framedBy(false), "the window manager kept the hidden window");
        }
        QCOMPARE(places.size(), 4);
        QVERIFY2(places.at(0).isValid(), "the window got no frame");
        for (int i = 1; i < places.size(); ++i)
            QCOMPARE(places.at(i), places.at(0));
    }
};

int main(int argc, char **argv)
{
    // A laboratory PC's screen of 1366 x 768 rather than the offscreen
    // platform's 800 x 600; on an X display, that display's own screen.
    QTemporaryDir dir;
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("xcb"))) {
        const QString config = dir.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1366,
            "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    }
    QApplication app(argc, argv);
    WindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_WindowLayout.moc"
