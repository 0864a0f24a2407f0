#pragma once

#include <QDialog>

// The program options kept in PARAMETRY.
class FormOpcje : public QDialog
{
    Q_OBJECT

public:
    explicit FormOpcje(QWidget *parent = nullptr);
};
