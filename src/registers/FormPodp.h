#pragma once

#include <QDialog>

class QLabel;

namespace ui
{
class DataControl;
} // namespace ui

// The remark hints for samples or batches. The main window sets the window's
// caption and heading and binds its list before showing it.
class FormPodp : public QDialog
{
    Q_OBJECT

public:
    explicit FormPodp(QWidget *parent = nullptr);

    QLabel *LabelCaption; // the heading
    ui::DataControl *DataPodp;
};
