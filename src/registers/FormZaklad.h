#pragma once

#include <QDialog>

class QPushButton;

// The client register: establishments, herds, hunting districts and private
// persons. The main window opens it for browsing, with its choose button
// hidden; the batch register opens it as a picker.
class FormZaklad : public QDialog
{
    Q_OBJECT

public:
    explicit FormZaklad(QWidget *parent = nullptr);

    QPushButton *ComUzyj; // "&Pobierz": takes the current client into the batch
};
