#include "mainwindow/MaterialsGate.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/FormIlTestow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace
{

const QString Assistant = QStringLiteral("ASYSTENT");
const QString PlainOperator = QStringLiteral("OPERATOR");

} // namespace

MaterialsGate::MaterialsGate(QString day, QString commandOrigin)
    : day_(std::move(day)), commandOrigin_(std::move(commandOrigin))
{
}

void MaterialsGate::Run()
{
    FormIlTestow &form = ui::WindowRegistry::Instance<FormIlTestow>();
    prepare(form);
    const QString kind = operatorKind();
    try {
        if (!dayHasBatches()) {
            if (commandOrigin_ == QStringLiteral("menu"))
                ui::MsgBox(QStringLiteral("Brak zdefiniowanych partii próbek dnia ") + day_ +
                               QStringLiteral("!\rNie możesz wpisać zużytych materiałów!"),
                           ui::vbExclamation, QStringLiteral("FORMAT DATY"));
            return;
        }
        loadDay(form, kind);
    } catch (const RuntimeError &error) {
        // A month database without the materials table, for one.
        ShowError(form.windowTitle(), error);
        return;
    }
    if (kind == PlainOperator)
        lock(form,
             QStringLiteral("Zapisu może dokonać tylko asystent lub administrator programu!"));
    ui::ShowModal(form);
}

void MaterialsGate::prepare(FormIlTestow &form) const
{
    form.ShowDay(day_);
}

bool MaterialsGate::dayHasBatches() const
{
    dao::Recordset rs =
        MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM partia WHERE DataDoLab =  DateValue(") +
                              dao::SqlText(day_) + QStringLiteral(") ORDER BY DataDoLab"));
    const bool any = rs.RecordCount() > 0;
    rs.Close();
    return any;
}

void MaterialsGate::loadDay(FormIlTestow &form, const QString &kind) const
{
    dao::Recordset rs =
        MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM zuzyte WHERE DataDoLab =  DateValue(") +
                              dao::SqlText(day_) + QStringLiteral(") ORDER BY DataDoLab"));
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        form.ShowQuantities(rs("IlTestow").Value(), rs("IlPlytek").Value());
        if (kind == Assistant)
            lock(form, QStringLiteral(
                           "Zmiany w istniejącym zapisie może wprowadzać tylko administrator!"));
    }
    rs.Close();
}

void MaterialsGate::lock(FormIlTestow &form, const QString &notice)
{
    form.Lock(notice);
}

QString MaterialsGate::operatorKind()
{
    return frmLoginLab::SignedIn().kind;
}
