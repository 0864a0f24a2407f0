#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The register of sampled materials (tissues). Open() binds its list and
// shows it.
class FormTkanka : public QDialog
{
    Q_OBJECT

public:
    explicit FormTkanka(QWidget *parent = nullptr);

    // Binds the list and shows the window modally. Errors go to the caller.
    static void Open();

    ui::DataControl *DataTkanka;
};
