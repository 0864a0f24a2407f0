#include "registers/RegisterWindowBase.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WindowFit.h"
#include "registers/DictionaryStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>

RegisterWindowBase::RegisterWindowBase(QWidget *parent) : QDialog(parent) {}

void RegisterWindowBase::AttachList(ui::DataControl *data, ui::DBGrid *grid, QGroupBox *frame)
{
    data_ = data;
    grid_ = grid;
    frame_ = frame;
    // The frame's caption, set as it opens, takes a line of its own.
    if (frame_)
        ui::FitFrameOnShow(frame_);
}

void RegisterWindowBase::SetBrowseControls(const QList<QWidget *> &controls)
{
    browseControls_.clear();
    for (QWidget *control : controls)
        browseControls_.append(control);
}

void RegisterWindowBase::SetCloseButton(QAbstractButton *button)
{
    closeButton_ = button;
}

QPushButton *RegisterWindowBase::MakeButton(const char *name, const QString &caption,
                                            const QString &tip)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

QPushButton *RegisterWindowBase::MakeFrameButton(QWidget *frame, const char *name,
                                                 const QString &caption, const QString &tip)
{
    QPushButton *button = MakeButton(name, caption, tip);
    button->setParent(frame);
    return button;
}

QLineEdit *RegisterWindowBase::MakeTextBox(QWidget *parent, const char *name, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

void RegisterWindowBase::AddContactRow(QFormLayout *form, QLineEdit *phone, QLineEdit *mail)
{
    auto *contact = new QHBoxLayout;
    contact->addWidget(phone);
    contact->addWidget(new QLabel(QStringLiteral("/"), form->parentWidget()));
    contact->addWidget(mail);
    form->addRow(QStringLiteral("Telefon/e-mail"), contact);
}

void RegisterWindowBase::AddFrameButtons(QFormLayout *form, QPushButton *save, QPushButton *cancel)
{
    auto *frameButtons = new QHBoxLayout;
    frameButtons->addStretch(1);
    frameButtons->addWidget(save);
    frameButtons->addWidget(cancel);
    form->addRow(frameButtons);
}

QWidget *RegisterWindowBase::MakeListArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    // Both share one cell: the frame lies over the list, never beside it.
    layout->addWidget(grid_, 0, 0);
    layout->addWidget(frame_, 0, 0, Qt::AlignCenter);
    frame_->setAutoFillBackground(true);
    frame_->hide();
    frame_->raise();
    return area;
}

void RegisterWindowBase::Klawisze(bool flag)
{
    if (flag && EditFrameOpen())
        return;
    for (const QPointer<QWidget> &control : std::as_const(browseControls_)) {
        if (control)
            control->setEnabled(flag);
    }
}

bool RegisterWindowBase::EditFrameOpen() const
{
    return frame_ && !frame_->isHidden();
}

dao::Recordset RegisterWindowBase::ListRecordset() const
{
    return data_ ? data_->Recordset() : dao::Recordset();
}

bool RegisterWindowBase::ListIsEmpty() const
{
    const dao::Recordset rs = ListRecordset();
    return !rs.IsOpen() || rs.RecordCount() == 0;
}

bool RegisterWindowBase::BindRecordSource(dao::Database db, const QString &sql)
{
    return Trapped([&] { data_->setRecordset(DictionaryStore::OpenList(db, sql)); });
}

void RegisterWindowBase::ShowRows(dao::Database db, const QString &sql)
{
    data_->Replace(DictionaryStore::OpenList(db, sql));
}

void RegisterWindowBase::DeleteListedRow()
{
    try {
        dao::Recordset list = ListRecordset();
        DictionaryStore::DeleteListed(list);
    } catch (const RuntimeError &error) {
        // A row gone meanwhile leaves the list as one's own delete does.
        if (!LockedElsewhere(error))
            RereadAfterRefusal();
        throw;
    }
    data_->Refresh();
}

void RegisterWindowBase::RereadAfterRefusal()
{
    try {
        data_->Refresh();
    } catch (const RuntimeError &) {
        // The error being reported already says that the list is not right.
    }
}

bool RegisterWindowBase::TrappedWrite(bool correcting, const std::function<void()> &action,
                                      const QString &caption)
{
    bool reread = false;
    const bool done = Trapped(
        [&] {
            try {
                action();
            } catch (const RuntimeError &error) {
                // A row changed or gone meanwhile shows in the list as it is
                // now, as after a refused delete.
                reread = correcting && !LockedElsewhere(error);
                throw;
            }
        },
        caption);
    if (!done && reread)
        RereadAfterRefusal();
    return done;
}

bool RegisterWindowBase::Trapped(const std::function<void()> &action, const QString &caption)
{
    return TrapErrors(caption, action, [this] {
        dao::Recordset rs = ListRecordset();
        CancelPending(rs);
    });
}

SaveOutcome RegisterWindowBase::SaveRow(const StoreSave &save, const QString &caption)
{
    std::optional<Refusal> fault;
    const bool correcting = edit_.IsOpen() && !edit_.IsAdding();
    const auto rows = [this] {
        const dao::Recordset list = ListRecordset();
        return list.IsOpen() ? list.RecordCount() : 0;
    };
    const int shown = rows();
    const bool done = TrappedWrite(
        correcting, [&] { fault = save(ListRecordset(), edit_.Target()); }, caption);
    if (!done) {
        // A new row that the failed save took back leaves the list.
        if (!correcting && rows() != shown)
            RereadAfterRefusal();
        return SaveOutcome::Failed;
    }
    if (fault) {
        ShowFault(*fault);
        return SaveOutcome::Refused;
    }
    return SaveOutcome::Saved;
}

void RegisterWindowBase::ShowFault(const Refusal &fault)
{
    ShowRefusal(*this, fault);
}

void RegisterWindowBase::HideAndAnnounce(const QStringList &tables)
{
    hide();
    for (const QString &table : tables)
        DictionaryEvents::Instance().Announce(table);
}

QString RegisterWindowBase::MaskedText(const ui::MaskEdBox *box)
{
    const QString text = box->Text();
    if (!text.isEmpty() || box->Mask().isEmpty())
        return text;
    QString blank = box->Mask();
    blank.replace(QLatin1Char('#'), box->PromptChar());
    return blank;
}

void RegisterWindowBase::CancelPending(dao::Recordset &rs)
{
    try {
        if (rs.IsOpen() && rs.EditMode() != dao::dbEditNone)
            rs.CancelUpdate();
    } catch (const RuntimeError &) {
        // Nothing was pending after all; the first error is the one to report.
    }
}

void RegisterWindowBase::StartCorrecting()
{
    edit_.StartCorrecting(RememberRow(ListRecordset()));
}

void RegisterWindowBase::OpenEditFrame(const QString &caption, QWidget *focus)
{
    Klawisze(false);
    frame_->setTitle(caption);
    frame_->show();
    frame_->raise();
    if (focus)
        focus->setFocus();
}

void RegisterWindowBase::CloseEditFrame()
{
    frame_->hide();
    edit_.Close();
    Klawisze(true);
}

QSizeF RegisterWindowBase::OuterTwips() const
{
    const QSize outer = frameGeometry().size();
    return {ToTwips(outer.width()), ToTwips(outer.height())};
}

QRectF RegisterWindowBase::Twips(const QWidget *control)
{
    const QRect g = control->geometry();
    return {ToTwips(g.x()), ToTwips(g.y()), ToTwips(g.width()), ToTwips(g.height())};
}

void RegisterWindowBase::PlaceTwips(QWidget *control, double left, double top, double width,
                                    double height)
{
    // A window made very small or minimised gives no negative sizes.
    control->setGeometry(ToPixels(left), ToPixels(top), qMax(0, ToPixels(width)),
                         qMax(0, ToPixels(height)));
}

void RegisterWindowBase::CentreHorizontally(QWidget *control, double outerWidth)
{
    const QRectF own = Twips(control);
    PlaceTwips(control, (outerWidth - own.width()) / 2, own.y(), own.width(), own.height());
}

int RegisterWindowBase::PlaceButtonRow(QWidget *close, const QList<QWidget *> &leftwards,
                                       QSizeF outer)
{
    const QRectF c = Twips(close);
    const double top = outer.height() - 2.6 * c.height();
    PlaceTwips(close, outer.width() - c.width() - 650, top, c.width(), c.height());
    const int gap = qBound(0, qRound(c.width() / 20), 255);
    double left = Twips(close).x();
    for (QWidget *button : leftwards) {
        const QRectF own = Twips(button);
        left -= own.width() + gap;
        PlaceTwips(button, left, top, own.width(), own.height());
    }
    return gap;
}

void RegisterWindowBase::Refuse(const QString &text, QWidget *focus)
{
    ShowInfo(text, InfoCaption);
    if (focus)
        focus->setFocus();
}

QString RegisterWindowBase::FieldText(const dao::Recordset &rs, const QString &field)
{
    return ValueText(NullToDefault(rs(field).Value(), QString()));
}

bool RegisterWindowBase::IsNumericText(const QString &text)
{
    static const QRegularExpression numeric(QStringLiteral("^ *[+-]?[0-9]+ *$"));
    return numeric.match(text).hasMatch();
}

void RegisterWindowBase::Beep()
{
    QApplication::beep();
}

void RegisterWindowBase::keyPressEvent(QKeyEvent *event)
{
    // A dialog would hide itself on Esc, past the window's own close logic.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RegisterWindowBase::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (!closeButton_) {
        hide();
        return;
    }
    // While the close button is disabled (edit frame open) the window stays.
    if (closeButton_->isEnabled())
        closeButton_->click();
}

void RegisterWindowBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}
