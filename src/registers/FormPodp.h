#pragma once

#include <QDialog>

class QLabel;

namespace ui
{
class DataControl;
} // namespace ui

// The remark hints for samples or batches. Open() sets the window's caption
// and heading and binds its list.
class FormPodp : public QDialog
{
    Q_OBJECT

public:
    explicit FormPodp(QWidget *parent = nullptr);

    // The hints of `table` under the window caption `caption`, shown modally.
    // Errors go to the caller.
    static void Open(const QString &caption, const QString &table);

    QLabel *LabelCaption; // the heading
    ui::DataControl *DataPodp;
};
