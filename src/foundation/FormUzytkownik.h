#pragma once

#include <QDialog>

// The laboratory's identity: letterhead lines, town, accreditation code and
// the two laboratory codes.
class FormUzytkownik : public QDialog
{
    Q_OBJECT

public:
    explicit FormUzytkownik(QWidget *parent = nullptr);
};
