#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box. The main window hides its letterhead frame and working-date
// label while the box is shown; every way of closing the box shows them again.
class FrmInfQXrec : public QDialog
{
    Q_OBJECT

public:
    explicit FrmInfQXrec(QWidget *parent = nullptr);

    QLabel *LblVer; // "Wersja z " and the program file's date, or "???"
    QPushButton *ComSplashZamk;

    void Form_Load();
    void ComSplashZamk_Click();
    void Form_KeyPress(int keyAscii);

    // The text of LblVer for the program file found in a folder.
    static QString VersionText(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
