#include "foundation/FrmInfQXrec.h"

#include "foundation/KeyAscii.h"
#include "foundation/RegionalSettings.h"
#include "foundation/Version.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

// The program file: its old name, or the name this program runs under.
bool isProgramFile(const QString &name)
{
    const QString running = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return name.compare(QLatin1String("MervaskLab.EXE"), Qt::CaseInsensitive) == 0 ||
           (!running.isEmpty() && name.compare(running, Qt::CaseInsensitive) == 0);
}

} // namespace

void FrmInfQXrec::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FrmInfQXrec>());
}

FrmInfQXrec::FrmInfQXrec(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmInfQXrec"));
    setWindowTitle(QStringLiteral("O programie"));
    auto *frame = new QGroupBox(QStringLiteral("MervaskLab"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *title = new QLabel(QStringLiteral("Rejestr badań laboratoryjnych"), frame);
    title->setObjectName(QStringLiteral("Label1"));
    auto *about = new QPlainTextEdit(frame);
    about->setObjectName(QStringLiteral("Text1"));
    about->setReadOnly(true);
    about->setFocusPolicy(Qt::NoFocus);
    about->setPlainText(QStringLiteral("Ewidencja partii, próbek i nastawień badań na obecność "
                                       "włośni, z wydrukami wyników.\nWersja programu ") +
                        QLatin1String(mervask::ProgramVersion));
    LblVer = new QLabel(frame);
    LblVer->setObjectName(QStringLiteral("LblVer"));
    ComSplashZamk = new QPushButton(QStringLiteral("&Zamknij"), this);
    ComSplashZamk->setObjectName(QStringLiteral("ComSplashZamk"));
    ComSplashZamk->setAutoDefault(false);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(title);
    frameLayout->addWidget(about);
    frameLayout->addWidget(LblVer);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ComSplashZamk, 0, Qt::AlignRight);
    connect(ComSplashZamk, &QPushButton::clicked, this, &FrmInfQXrec::ComSplashZamk_Click);
    Form_Load();
}

QString FrmInfQXrec::VersionText(const QString &folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo &file : files) {
        if (isProgramFile(file.fileName()))
            return QStringLiteral("Wersja z ") + ShortDateText(file.lastModified().date()) +
                   QLatin1Char(' ') +
                   file.lastModified().time().toString(QStringLiteral("HH:mm:ss"));
    }
    return QStringLiteral("???");
}

void FrmInfQXrec::Form_Load()
{
    // The date is read from the very file that was found.
    LblVer->setText(VersionText(QDir::currentPath()));
}

void FrmInfQXrec::ComSplashZamk_Click()
{
    hide();
}

void FrmInfQXrec::Form_KeyPress(int)
{
    hide();
}

void FrmInfQXrec::showEvent(QShowEvent *event)
{
    // Each opening loads the box afresh, as the key that closes it unloads it.
    Form_Load();
    QDialog::showEvent(event);
}

void FrmInfQXrec::keyPressEvent(QKeyEvent *event)
{
    if (const int ascii = KeyAscii(event)) {
        Form_KeyPress(ascii);
        return;
    }
    QDialog::keyPressEvent(event);
}
