#pragma once

#include "RegistersFixture.h"

#include "platform/db/SqlText.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <QtTest>

#include <functional>

// Opens a register through its entry point, as the main window does, and
// keeps it shown for the test to press its buttons.
template <class W> W &OpenThroughDoor(const std::function<void()> &door)
{
    W &window = ui::WindowRegistry::Instance<W>();
    {
        ui::ScriptedUi scripted;
        scripted.AnswerWindow(window.objectName());
        door();
    }
    window.show();
    return window;
}

// Moves the list's record set to the first row whose field holds the value.
inline bool GoTo(ui::DataControl *data, const QString &field, const QVariant &value)
{
    dao::Recordset rs = data->Recordset();
    rs.FindFirst(
        field + QStringLiteral(" = ") +
        (value.typeId() == QMetaType::QString ? dao::SqlText(value.toString()) : value.toString()));
    return !rs.NoMatch();
}

// What a list shows in one column, row by row.
inline QStringList Shown(const QAbstractItemView *grid, int column)
{
    QStringList shown;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        shown << grid->model()->index(row, column).data().toString();
    return shown;
}

// The first stored row of the table whose field holds the value; empty when none.
inline QVariantMap StoredRow(const QString &table, const QString &field, const QVariant &value)
{
    for (const QVariantMap &row : RegistersFixture::Rows(table)) {
        if (row.value(field) == value)
            return row;
    }
    return {};
}

// Every control of the list is enabled in the browse state and disabled while
// the edit frame is open.
inline bool BrowseControlsEnabled(const QList<QWidget *> &controls, bool enabled)
{
    for (const QWidget *control : controls) {
        if (control->isEnabled() != enabled)
            return false;
    }
    return true;
}
