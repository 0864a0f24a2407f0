#pragma once

#include "registers/InspectorateWindow.h"

// The register of the county veterinary inspectorates.
class FormPIW : public InspectorateWindow
{
    Q_OBJECT

public:
    explicit FormPIW(QWidget *parent = nullptr) : InspectorateWindow("FormPIW", parent) {}
};
