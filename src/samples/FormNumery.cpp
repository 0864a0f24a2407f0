#include "samples/FormNumery.h"

#include "foundation/Globals.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/RuntimeError.h"
#include "platform/db/SqlText.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/BoxText.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleOrderImport.h"
#include "samples/SampleValidator.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace
{

const QString CheckTitle = QStringLiteral("KONTROLA POPRAWNOŚCI");

// "1 próbkę", "3 próbki", "12 próbek", "22 próbki".
QString SampleCount(int count)
{
    const int tens = count % 100;
    const int ones = count % 10;
    const char *word = "próbek";
    if (count == 1)
        word = "próbkę";
    else if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        word = "próbki";
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf8(word);
}

// A valid start number whose following numbers would run past the field: the
// file's size is the reason, not the number typed. `kind` is "dzienn" or
// "ogóln".
QString RangeTooLong(const char *kind, qint64 first, int count, qint64 highest)
{
    const QString k = QString::fromUtf8(kind);
    return QStringLiteral("Plik zawiera %1: numery %2e od %3 do %4 przekroczyłyby największy "
                          "dopuszczalny numer %5!\rWprowadź mniejszy numer %2y.")
        .arg(SampleCount(count), k, QString::number(first), QString::number(first + count - 1),
             QString::number(highest));
}

} // namespace

FormNumery::FormNumery(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormNumery"));
    setWindowTitle(QStringLiteral("Numeracja"));
    FrameNumery =
        ui::Named(new QGroupBox(QStringLiteral("Zacznij wczytywanie od:"), this), "FrameNumery");
    Label1 = ui::Named(new QLabel(QStringLiteral("Nr dzienny"), FrameNumery), "Label1");
    TextNrDziennyF = ui::TextBox(FrameNumery, "TextNrDziennyF", 4);
    Label2 = ui::Named(new QLabel(QStringLiteral("Nr ogólny"), FrameNumery), "Label2");
    TextNrOgolnyF = ui::TextBox(FrameNumery, "TextNrOgolnyF", 6);
    ComOk = ui::CommandButton(this, "ComOk", QStringLiteral("&OK"));
    ComAnulujFr = ui::CommandButton(this, "ComAnulujFr", QStringLiteral("&Anuluj"));

    auto *boxes = new QGridLayout(FrameNumery);
    boxes->addWidget(Label1, 0, 0);
    boxes->addWidget(TextNrDziennyF, 0, 1);
    boxes->addWidget(Label2, 1, 0);
    boxes->addWidget(TextNrOgolnyF, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FrameNumery);
    layout->addLayout(ui::ButtonRow({ComOk, ComAnulujFr}));

    TextNrDziennyF->installEventFilter(this);
    TextNrOgolnyF->installEventFilter(this);
    connect(ComOk, &QPushButton::clicked, this, &FormNumery::ComOk_Click);
    connect(ComAnulujFr, &QPushButton::clicked, this, &FormNumery::ComAnulujFr_Click);
}

bool FormNumery::Confirm(QString &daily, QString &general, const QDate &deliveryDate, int lineCount)
{
    FormNumery &dialog = ui::WindowRegistry::Instance<FormNumery>();
    dialog.deliveryDate_ = deliveryDate;
    dialog.lineCount_ = lineCount;
    dialog.confirmed_ = false;
    dialog.TextNrDziennyF->setText(Untruncated(dialog.TextNrDziennyF, daily));
    dialog.TextNrOgolnyF->setText(Untruncated(dialog.TextNrOgolnyF, general));
    ContinueImport = true;
    ui::ShowModal(dialog);
    // Closed in any other way than by a confirmed "&OK": nothing is imported.
    ContinueImport = dialog.confirmed_;
    if (ContinueImport) {
        daily = dialog.TextNrDziennyF->text();
        general = dialog.TextNrOgolnyF->text();
    }
    return ContinueImport;
}

void FormNumery::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormNumery::Form_Activate()
{
    TextNrDziennyF->setFocus();
}

bool FormNumery::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            (watched == TextNrDziennyF ? static_cast<QWidget *>(TextNrOgolnyF) : ComOk)->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormNumery::Refuse(const QString &text, const QString &title, QLineEdit *box)
{
    ui::MsgBox(text, ui::vbExclamation, title);
    box->setFocus();
}

void FormNumery::ComOk_Click()
{
    const QString dailyText = TextNrDziennyF->text();
    const QString generalText = TextNrOgolnyF->text();
    // Every number the file's lines will take, not only the first, must fit
    // its field and be free.
    const int count = std::max(lineCount_, 1);
    const std::optional<qint64> daily = SampleValidator::Integer(dailyText);
    if (!daily)
        return Refuse(QStringLiteral("Nieprawidłowy numer dzienny!\rWprowadź ponownie."),
                      QStringLiteral("Popraw"), TextNrDziennyF);
    if (!SampleNumbering::DailyRangeFits(*daily, count))
        return Refuse(RangeTooLong("dzienn", *daily, count, std::numeric_limits<qint16>::max()),
                      QStringLiteral("Popraw"), TextNrDziennyF);
    const std::optional<qint64> general = SampleValidator::LongInteger(generalText);
    if (!general)
        return Refuse(QStringLiteral("Nieprawidłowy numer ogólny!\rWprowadź ponownie."),
                      QStringLiteral("Popraw"), TextNrOgolnyF);
    if (!SampleNumbering::GeneralRangeFits(*general, count))
        return Refuse(RangeTooLong("ogóln", *general, count, std::numeric_limits<qint32>::max()),
                      QStringLiteral("Popraw"), TextNrOgolnyF);
    const auto named = [](qint64 taken, qint64 first, const QString &typed) {
        return taken == first ? typed : QString::number(taken);
    };
    try {
        const auto [dailyTaken, generalTaken] = ReadAtOnce(MonthDb, [&] {
            return std::pair(deliveryDate_.isValid() ? SampleNumbering::FirstDailyTaken(
                                                           MonthDb, deliveryDate_, *daily, count)
                                                     : std::nullopt,
                             SampleNumbering::FirstGeneralTaken(MonthDb, *general, count));
        });
        if (dailyTaken)
            return Refuse(QStringLiteral("Nr dzienny: ") + named(*dailyTaken, *daily, dailyText) +
                              QStringLiteral(" już istnieje! Popraw!"),
                          CheckTitle, TextNrDziennyF);
        if (generalTaken)
            return Refuse(QStringLiteral("Nr ogólny: ") +
                              named(*generalTaken, *general, generalText) +
                              QStringLiteral(" już istnieje! Popraw!"),
                          CheckTitle, TextNrOgolnyF);
    } catch (const RuntimeError &error) {
        // Another workstation holds the file: the import would wait for it
        // once more and fail as the checks did. Said once, with the numbers
        // still open, to be confirmed again or cancelled.
        if (LockedElsewhere(error)) {
            const SampleOrderImport::Message message = SampleOrderImport::FailureMessage(error, {});
            ui::MsgBox(message.text, message.style, message.title);
            return;
        }
        // As the old checks did: a check that cannot be made finds nothing;
        // the import's own transaction checks the numbers again.
    }
    confirmed_ = true;
    hide();
}

void FormNumery::ComAnulujFr_Click()
{
    confirmed_ = false;
    ContinueImport = false;
    hide();
}

void FormNumery::reject()
{
    ComAnulujFr_Click();
}
