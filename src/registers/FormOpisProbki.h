#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The hints for the description and state of a sample on delivery. The main
// window binds its list before showing it.
class FormOpisProbki : public QDialog
{
    Q_OBJECT

public:
    explicit FormOpisProbki(QWidget *parent = nullptr);

    ui::DataControl *DataPodp;
};
