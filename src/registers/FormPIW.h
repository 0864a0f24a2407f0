#pragma once

#include "registers/InspectorateWindow.h"

class QAction;

// The register of the county veterinary inspectorates (table PIW); the
// result mail takes its recipient from here.
class FormPIW : public InspectorateWindow
{
    Q_OBJECT

public:
    explicit FormPIW(QWidget *parent = nullptr);

    // Opens the register ordered by code.
    static void Open();

    QAction *menPartia; // "&Wstaw PIW do partii": does nothing
    QAction *menUkryj;  // "&Ukryj": does nothing

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
};
