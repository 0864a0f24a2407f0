#pragma once

#include "registers/InspectorateWindow.h"

// The register of the regional veterinary inspectorates.
class FormWIW : public InspectorateWindow
{
    Q_OBJECT

public:
    explicit FormWIW(QWidget *parent = nullptr) : InspectorateWindow("FormWIW", parent) {}
};
