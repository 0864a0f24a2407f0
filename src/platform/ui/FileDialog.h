#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace ui
{

// The common open/save dialog. The register passes and receives Windows paths
// ("C:\MervaskLab\Eksport\20240305\2024-03-05"); the dialog itself works on
// real folders through the path mapping below. Cancel is always reported as
// the run-time error 32755 "Anulowano.", which the callers pass over silently.
class FileDialog
{
public:
    static constexpr int ErrCancel = 32755;

    // In: the proposed file, with its folder or without. Out: the chosen file.
    QString FileName;
    // Pairs of description and pattern: "Tekst (*.txt)|*.txt|...".
    QString Filter;
    // 1-based entry of Filter preselected.
    int FilterIndex = 1;
    // Save: the ending ("pdf") a chosen name gets when it does not end in it.
    QString DefaultExt;
    // Save: a file that exists already (with its ending) is taken only when
    // the user agrees to replace it; otherwise the dialog comes back.
    bool OverwritePrompt = false;

    void ShowOpen();
    void ShowSave();

    // Maps Windows paths to real ones and back; the program sets the drive
    // map here at start-up. Without a mapping paths pass unchanged.
    using PathMapping = std::function<QString(const QString &)>;
    static void SetPathMapping(PathMapping toReal, PathMapping toWindows);

    // Qt's name filters for a Filter text ("*.*" matches every file here).
    static QStringList NameFilters(const QString &filter);

private:
    void Show(bool save);
    void Choose(bool save);
    // The chosen name with DefaultExt; true when it may be written.
    bool Settle();
};

} // namespace ui
