#include "foundation/FormUzytkownik.h"
#include "foundation/LaboratoryIdentity.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "platform/ui/EnterAsTab.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

const QString WindowCaption = QStringLiteral("Użytkownik");
const QString InfoCaption = QStringLiteral("INFORMACJA");
constexpr int LineLength = 100;
constexpr int TownLength = 50;
constexpr int AccreditationLength = 20;
constexpr int StationLength = 3;

} // namespace

void FormUzytkownik::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FormUzytkownik>());
}

FormUzytkownik::FormUzytkownik(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormUzytkownik"));
    setWindowTitle(WindowCaption);
    buildControls();
    for (std::size_t i = 0; i < lines_.size(); ++i)
        connect(lines_[i], &QLineEdit::textChanged, previews_[i], &QLabel::setText);
    connect(ComZapisz, &QPushButton::clicked, this, &FormUzytkownik::ComZapisz_Click);
    connect(ComZamk, &QPushButton::clicked, this, &FormUzytkownik::ComZamk_Click);
    new ui::EnterAsTab(this);
}

void FormUzytkownik::buildControls()
{
    Label1 =
        ui::Named(new QLabel(QStringLiteral("DANE UŻYTKOWNIKA"), this), QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    ComZapisz =
        ui::Named(new QPushButton(QStringLiteral("&Zapisz"), this), QStringLiteral("ComZapisz"));
    ComZamk =
        ui::Named(new QPushButton(QStringLiteral("&Anuluj"), this), QStringLiteral("ComZamk"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(buildLetterhead());
    layout->addWidget(buildReportData());
    layout->addWidget(buildSystemCodes());
    layout->addLayout(ui::ButtonRow({ComZapisz, ComZamk}));
}

QWidget *FormUzytkownik::buildLetterhead()
{
    auto *frame =
        ui::Named(new QGroupBox(QStringLiteral("Użytkownik:"), this), QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const QString number = QString::number(i + 2);
        lines_[i] = ui::TextBox(frame, QStringLiteral("Text") + number, LineLength);
        lines_[i]->setMinimumWidth(360);
        previews_[i] = ui::Named(new QLabel(frame), QStringLiteral("Label") + number);
        previews_[i]->setTextFormat(Qt::PlainText);
        // A long letterhead line is shown cut rather than widening the window.
        previews_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        previews_[i]->setMinimumWidth(360);
        grid->addWidget(lines_[i], int(i), 0);
        grid->addWidget(previews_[i], int(i), 1);
    }
    // The box and its preview share the width; the preview, which takes no
    // room of its own, would otherwise be squeezed to nothing.
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    Text2 = lines_[0];
    Text3 = lines_[1];
    Text4 = lines_[2];
    Text5 = lines_[3];
    Text6 = lines_[4];
    Label2 = previews_[0];
    Label3 = previews_[1];
    Label4 = previews_[2];
    Label5 = previews_[3];
    Label6 = previews_[4];
    return frame;
}

QWidget *FormUzytkownik::buildReportData()
{
    auto *frame = ui::Named(new QGroupBox(QStringLiteral(" Dane dotyczące sprawozdań"), this),
                            QStringLiteral("Frame2"));
    TextMiejsc = ui::TextBox(frame, QStringLiteral("TextMiejsc"), TownLength);
    TextMiejsc->setToolTip(QStringLiteral("Wpisz miejscowość użytkownika programu"));
    TextKodPCA = ui::TextBox(frame, QStringLiteral("TextKodPCA"), AccreditationLength);
    TextKodPCA->setToolTip(
        QStringLiteral("Wpisz kod akredytacji znajdujący się pod logo PCA np. AB 598"));
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Miejscowość"), frame), 0, 0);
    grid->addWidget(TextMiejsc, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kod akredytacji (logo PCA)"), frame), 1, 0);
    grid->addWidget(TextKodPCA, 1, 1);
    return frame;
}

QWidget *FormUzytkownik::buildSystemCodes()
{
    auto *frame = ui::Named(new QGroupBox(QStringLiteral(" Dane dotyczące systemu CLab "), this),
                            QStringLiteral("Frame3"));
    // The parent code is checked for its trimmed length when saved, so the box
    // takes more than 3 characters; the remote-station code fits its column.
    TextLok = ui::Named(new QLineEdit(frame), QStringLiteral("TextLok"));
    TextLok->setMaxLength(LineLength);
    TextLok->setToolTip(
        QStringLiteral("052-RAV Oduderaz;      054-ZAV Ararozo;     055-DAZ Erazorada"));
    TextLok2 = ui::TextBox(frame, QStringLiteral("TextLok2"), StationLength);
    TextLok2->setToolTip(QStringLiteral(
        "Uzupełnij wg listy kodów z pliku: C:\\MervaskLAB\\KodStanowiskaZamiejscowego.doc"));
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Kod lokalizacji VUV nadrzędnego"), frame), 0, 0);
    grid->addWidget(TextLok, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kod stanowiska zamiejscowego"), frame), 1, 0);
    grid->addWidget(TextLok2, 1, 1);
    return frame;
}

void FormUzytkownik::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormUzytkownik::Form_Activate()
{
    try {
        loaded_.reset();
        const std::optional<LaboratoryIdentity::Shown> shown = LaboratoryIdentity::Load(StaleDb);
        if (!shown)
            return;
        loaded_ = shown->row;
        const LaboratoryIdentity::Laboratory *laboratory = &shown->laboratory;
        for (std::size_t i = 0; i < lines_.size(); ++i)
            lines_[i]->setText(laboratory->letterhead[i]);
        TextMiejsc->setText(laboratory->town);
        TextKodPCA->setText(laboratory->accreditation);
        TextLok->setText(laboratory->parentCode);
        TextLok2->setText(laboratory->stationCode);
    } catch (const RuntimeError &error) {
        ShowError(WindowCaption, error);
    }
}

void FormUzytkownik::ComZapisz_Click()
{
    if (!codesAccepted())
        return;
    try {
        save();
    } catch (const RuntimeError &error) {
        ShowError(WindowCaption, error);
        return;
    }
    hide();
}

bool FormUzytkownik::codesAccepted()
{
    const QString code = TrimBlanks(TextLok->text());
    if (code.size() != 3) {
        ShowInfo(QStringLiteral("Wprowadź 3-cyfrowy kod lokalizacji VUV nadrzędnego!\r"
                                "052 - VUV Warszawa;      054 - VUV Siedlce;     055 - VUV "
                                "Ostrołęka\rUzupełnij dane użytkownika!"),
                 InfoCaption);
        TextLok->setFocus();
        return false;
    }
    if (TrimBlanks(TextLok2->text()).isEmpty()) {
        ShowInfo(QStringLiteral("Wprowadź kod stanowiska zamiejscowego!\r"
                                "Lista kodów znajduje się w pliku C:\\MervaskLAB\\Kody.doc\r"
                                "Uzupełnij dane użytkownika!"),
                 InfoCaption);
        TextLok2->setFocus();
        return false;
    }
    return true;
}

void FormUzytkownik::save()
{
    LaboratoryIdentity::Laboratory laboratory;
    // The letterhead is written as its preview shows it.
    for (std::size_t i = 0; i < previews_.size(); ++i)
        laboratory.letterhead[i] = previews_[i]->text();
    laboratory.town = TextMiejsc->text();
    laboratory.accreditation = TextKodPCA->text();
    laboratory.parentCode = TextLok->text();
    laboratory.stationCode = TextLok2->text();
    if (LaboratoryIdentity::Write(StaleDb, loaded_, laboratory))
        emit LaboratoryChanged();
}

void FormUzytkownik::ComZamk_Click()
{
    for (QLineEdit *line : {Text2, Text3, Text4})
        line->clear();
    for (QLabel *preview : {Label2, Label3, Label4})
        preview->clear();
    hide();
}
