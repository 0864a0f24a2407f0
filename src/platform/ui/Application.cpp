#include "Application.h"

#include "EnterAsTab.h"
#include "UnscriptedDialog.h"
#include "WindowRegistry.h"

#include <QtDebug>

#include <new>

namespace ui
{

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    InstallButtonEnter();
}

Application::~Application()
{
    WindowRegistry::Reset();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError &error) {
        Report(error);
    } catch (const UnscriptedDialog &) {
        // A test's scripted seam has recorded it already; the test fails there.
    } catch (const std::bad_alloc &) {
        Report(RuntimeError(rterr::OutOfMemory, QStringLiteral("Brak pamięci")));
    } catch (const std::exception &error) {
        Report(RuntimeError(
            rterr::Internal,
            QStringLiteral("Błąd wewnętrzny (%1)").arg(QString::fromLocal8Bit(error.what()))));
    } catch (...) {
        Report(RuntimeError(rterr::Internal, QStringLiteral("Błąd wewnętrzny")));
    }
    return false;
}

void Application::Report(const RuntimeError &error)
{
    // An error raised while the report itself is on screen is not stacked on it.
    if (!reporter_ || reporting_) {
        qWarning().noquote() << "Unhandled error" << error.Number() << error.Description();
        return;
    }
    reporting_ = true;
    try {
        reporter_(error);
    } catch (...) {
        qWarning().noquote() << "The error report failed for error" << error.Number();
    }
    reporting_ = false;
}

} // namespace ui
