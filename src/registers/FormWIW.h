#pragma once

#include "registers/InspectorateWindow.h"

// The register of the regional veterinary inspectorates (table WIW). Its
// codes are any text; only their uniqueness is checked.
class FormWIW : public InspectorateWindow
{
    Q_OBJECT

public:
    explicit FormWIW(QWidget *parent = nullptr);

    // Opens the register ordered by code.
    static void Open();
};
