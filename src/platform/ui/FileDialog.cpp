#include "FileDialog.h"

#include "DialogText.h"
#include "MsgBox.h"
#include "ScriptedUi.h"
#include "ShownDialog.h"

#include "platform/RuntimeError.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui
{

namespace
{

FileDialog::PathMapping &ToReal()
{
    static FileDialog::PathMapping mapping;
    return mapping;
}

FileDialog::PathMapping &ToWindows()
{
    static FileDialog::PathMapping mapping;
    return mapping;
}

QString Mapped(const FileDialog::PathMapping &mapping, const QString &path)
{
    return mapping ? mapping(path) : path;
}

// "*.*" means every file on the old platform; here names need no dot.
QString QtPatterns(const QString &patterns)
{
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &pattern : list) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    return list.join(QLatin1Char(' '));
}

} // namespace

void FileDialog::SetPathMapping(PathMapping toReal, PathMapping toWindows)
{
    ToReal() = std::move(toReal);
    ToWindows() = std::move(toWindows);
}

QStringList FileDialog::NameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = QtPatterns(parts[i + 1]);
        const QString written = QLatin1Char('(') + parts[i + 1] + QLatin1Char(')');
        if (description.endsWith(written))
            description.chop(written.size());
        filters.append(description.trimmed() + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

void FileDialog::ShowOpen()
{
    Show(false);
}

void FileDialog::ShowSave()
{
    Show(true);
}

void FileDialog::Show(bool save)
{
    Choose(save);
    while (save && !Settle())
        Choose(save);
}

bool FileDialog::Settle()
{
    const QString ending = QLatin1Char('.') + DefaultExt;
    if (!DefaultExt.isEmpty() && !FileName.endsWith(ending, Qt::CaseInsensitive))
        FileName += ending;
    if (!OverwritePrompt || !QFileInfo::exists(Mapped(ToReal(), FileName)))
        return true;
    const QString name = FileName.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
    return MsgBox(name + QStringLiteral(" już istnieje.\rCzy chcesz go zamienić?"),
                  vbYesNo + vbExclamation + vbDefaultButton2,
                  QStringLiteral("Potwierdzanie zapisywania jako")) == vbYes;
}

void FileDialog::Choose(bool save)
{
    if (ScriptedUi *script = ScriptedUi::Current()) {
        ShownDialog shown;
        shown.kind = save ? ShownDialog::SaveFile : ShownDialog::OpenFile;
        shown.value = FileName;
        shown.filter = Filter;
        shown.filterIndex = FilterIndex;
        const std::optional<QString> chosen = script->TakeFile(shown);
        if (!chosen)
            throw RuntimeError(ErrCancel, QStringLiteral("Anulowano."));
        FileName = *chosen;
        return;
    }

    QFileDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(save ? QStringLiteral("Zapisywanie jako") : QStringLiteral("Otwieranie"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A typed name of a missing file is handed to the caller, which reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = NameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[FilterIndex - 1]);
    if (!FileName.isEmpty()) {
        const QFileInfo proposed(Mapped(ToReal(), FileName));
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        throw RuntimeError(ErrCancel, QStringLiteral("Anulowano."));
    FileName = Mapped(ToWindows(), dialog.selectedFiles().constFirst());
    FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
}

} // namespace ui
