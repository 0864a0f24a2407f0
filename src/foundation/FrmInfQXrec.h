#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box. The main window hides its letterhead frame and working-date
// label while the box is shown and shows them again when it closes, whichever
// way it is closed.
class FrmInfQXrec : public QDialog
{
    Q_OBJECT

public:
    explicit FrmInfQXrec(QWidget *parent = nullptr);

    // Shown modally; returns when the box is closed.
    static void Open();

    QLabel *LblVer; // "Wersja z " and the program file's date, or "???"
    QPushButton *ComSplashZamk;

    // The text of LblVer for the program file found in a folder.
    static QString VersionText(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void ComSplashZamk_Click();
    void Form_KeyPress(int keyAscii);
};
