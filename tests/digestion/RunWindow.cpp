#include "RunWindow.h"

#include "DigestionFixture.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/RecordsetModel.h"

#include <QPushButton>

void InRunWindow(ui::ScriptedUi &scripted, int batch,
                 const std::function<void(FormNastawienie &)> &story)
{
    scripted.AnswerWindow(QStringLiteral("FormNastawienie"),
                          [&](QWidget &window) { story(static_cast<FormNastawienie &>(window)); });
    FormNastawienie::OpenForBatch(DigestionFixture::Heading(batch));
}

QStringList Listed(ui::DataControl *list, const char *field)
{
    const dao::Recordset rs = list->Recordset();
    QStringList values;
    const int index = rs.FieldIndex(QLatin1String(field));
    for (int row = 0; row < rs.RecordCount(); ++row)
        values.append(ui::RecordsetModel::DisplayText(rs.ValueAt(row, index)));
    return values;
}

void SelectRun(FormNastawienie &window, int run)
{
    window.DataPartia->Recordset().FindFirst(QStringLiteral("Nastawienie = %1").arg(run));
}

void SelectTray(FormNastawienie &window, int tray)
{
    window.DataPartiaG->Recordset().FindFirst(QStringLiteral("NrTacy = %1").arg(tray));
}

int CurrentRun(FormNastawienie &window)
{
    return window.DataPartia->Recordset()(QStringLiteral("Nastawienie")).Value().toInt();
}

int CurrentTray(FormNastawienie &window)
{
    return window.DataPartiaG->Recordset()(QStringLiteral("NrTacy")).Value().toInt();
}

bool ListsEnabled(FormNastawienie &window)
{
    return window.DBGridPartia->isEnabled() && window.DBGridPartiaG->isEnabled() &&
           window.DataPartia->isEnabled() && window.DataPartiaG->isEnabled() &&
           window.ComDodajPr->isEnabled() && window.ComDodajG->isEnabled() &&
           window.ComZamk->isEnabled();
}
