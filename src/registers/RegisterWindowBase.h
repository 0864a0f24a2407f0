#pragma once

#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAbstractButton;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace ui
{
class DataControl;
class DBGrid;
class MaskEdBox;
} // namespace ui

// The common shape of the reference registers: a read-only list over a data
// control, the list buttons, and an edit frame drawn over the list. Each
// register is one program-wide window, shown modally and hidden when closed.
//
// While the edit frame is open the browse controls stay disabled, also after
// a refused or failed save, and a correction is written into the row that was
// loaded, whatever row the list shows by then. Data operations run through
// Trapped(), which reports a run-time error and leaves the window usable.
//
// Keys: Esc does nothing, and no button is pressed by Enter. The title bar's
// close button acts as the window's own close button while that is enabled.
class RegisterWindowBase : public QDialog
{
    Q_OBJECT

public:
    explicit RegisterWindowBase(QWidget *parent = nullptr);

    // Enables or disables the browse controls together. They are not enabled
    // while the edit frame is open: a correction in progress keeps its row.
    virtual void Klawisze(bool flag);

    bool EditFrameOpen() const;
    // True when the list has no rows, also when it has no open recordset.
    bool ListIsEmpty() const;

    // The masked box's text with "_" on every unfilled place ("__-___" when
    // nothing is typed); a box without a mask gives its text.
    static QString MaskedText(const ui::MaskEdBox *box);

    static inline const QString ErrorCaption = QStringLiteral("Powiadom programistę!");
    static inline const QString InfoCaption = QStringLiteral("INFORMACJA");

protected:
    // Runs when the window is shown by the program, not after a message box
    // and not when another application hands the focus back.
    virtual void Form_Activate() {}

    // Set-up, called by the subclass's constructor.
    void AttachList(ui::DataControl *data, ui::DBGrid *grid, QGroupBox *frame);
    void SetBrowseControls(const QList<QWidget *> &controls);
    void SetCloseButton(QAbstractButton *button);
    // A push button that Enter never presses on its own.
    QPushButton *MakeButton(const char *name, const QString &caption, const QString &tip = {});
    // A named text box; a maxLength of 0 leaves its length free.
    // A button of the edit frame `frame`, made as MakeButton makes it.
    QPushButton *MakeFrameButton(QWidget *frame, const char *name, const QString &caption,
                                 const QString &tip = {});
    static QLineEdit *MakeTextBox(QWidget *parent, const char *name, int maxLength = 0);
    // The edit frame's row of the phone and e-mail boxes, split by a "/".
    static void AddContactRow(QFormLayout *form, QLineEdit *phone, QLineEdit *mail);
    // The edit frame's last row: its save and cancel buttons at the right.
    static void AddFrameButtons(QFormLayout *form, QPushButton *save, QPushButton *cancel);
    // The grid with the edit frame centred above it; hidden frame at start.
    QWidget *MakeListArea();

    dao::Recordset ListRecordset() const;
    // Binds the list to a statement; on failure the error is reported and the
    // list keeps what it showed.
    bool BindRecordSource(dao::Database db, const QString &sql);
    // Shows the rows of a store's statement in the list, in place of what it
    // showed. Errors go to the caller.
    void ShowRows(dao::Database db, const QString &sql);
    // Deletes the list's current row through the list's own record set, which
    // deletes it only while it still holds what the list read of it (3197
    // changed, 3167 deleted meanwhile), then reads the list again, also when
    // the delete was refused. Errors go to the caller.
    void DeleteListedRow();
    // Reads the list again after a refused or failed delete; an error doing so
    // is left unsaid, the first one being reported.
    void RereadAfterRefusal();
    // Runs a data operation; a run-time error drops a pending AddNew or Edit
    // of the list, is reported, and false is returned.
    bool Trapped(const std::function<void()> &action, const QString &caption = ErrorCaption);
    // Trapped for a write: after a refused or failed correction the list is
    // read again, as after a refused delete, unless another workstation's
    // lock refused it (LockedElsewhere).
    bool TrappedWrite(bool correcting, const std::function<void()> &action,
                      const QString &caption = ErrorCaption);

    // A save: the register's store procedure (the checks, the number and
    // the write in one transaction: DictionaryStore::SaveRow), given the list
    // and the row the frame writes over (std::nullopt when adding). A refusal
    // is shown and leaves the frame as it is; a run-time error is reported
    // under `caption`.
    using StoreSave = std::function<std::optional<Refusal>(dao::Recordset list,
                                                           const std::optional<LoadedRow> &loaded)>;
    SaveOutcome SaveRow(const StoreSave &save, const QString &caption = ErrorCaption);
    // The refusal's box, then the focus into its control when it can take it.
    void ShowFault(const Refusal &fault);

    // The edit frame's one state. StartCorrecting takes the list's current
    // row as the frame is filled from it: the row that a correction will be
    // written into, and only while it holds that (3021 without a current
    // row). StartAdding opens it on a new row; CloseEditFrame ends either.
    void StartAdding() { edit_.StartAdding(); }
    void StartCorrecting();
    bool IsAdding() const { return edit_.IsAdding(); }
    // The row a save writes over, std::nullopt when adding; 3021 when no
    // frame is open.
    const std::optional<LoadedRow> &EditTarget() const { return edit_.Target(); }

    void OpenEditFrame(const QString &caption, QWidget *focus);
    void CloseEditFrame();
    // The resize rules that some registers give in twips (1/15 pixel).
    static int ToPixels(double twips) { return qRound(twips / 15.0); }
    static double ToTwips(int pixels) { return pixels * 15.0; }
    // The window's outer width and height in twips.
    QSizeF OuterTwips() const;
    // Left := (outer width - own width) / 2; the top stays.
    static void CentreHorizontally(QWidget *control, double outerWidth);
    // The close button at the bottom right (top = height - 2.6 x its height,
    // left = width - its width - 650), the others leftwards from it in this
    // order, one gap (its width / 20, 0..255) apart at its top. The gap.
    static int PlaceButtonRow(QWidget *close, const QList<QWidget *> &leftwards, QSizeF outer);
    // Sets a geometry given in twips; no size below 0.
    static void PlaceTwips(QWidget *control, double left, double top, double width, double height);
    static QRectF Twips(const QWidget *control);

    // A refused check: the information box, then the focus into the box.
    void Refuse(const QString &text, QWidget *focus);
    // Hides the window, then tells the windows that keep pick lists of these
    // tables, in this order, that they may have changed.
    void HideAndAnnounce(const QStringList &tables);

    // A field of the current row as text, Null as "".
    static QString FieldText(const dao::Recordset &rs, const QString &field);
    // Optional blanks, an optional sign, digits, optional blanks.
    static bool IsNumericText(const QString &text);
    static void Beep();

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    static void CancelPending(dao::Recordset &rs);

    ui::DataControl *data_ = nullptr;
    ui::DBGrid *grid_ = nullptr;
    QGroupBox *frame_ = nullptr;
    QList<QPointer<QWidget>> browseControls_;
    QPointer<QAbstractButton> closeButton_;
    FrameEdit edit_;
};
