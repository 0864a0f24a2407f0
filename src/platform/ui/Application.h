#pragma once

#include "platform/RuntimeError.h"

#include <QApplication>

#include <functional>

namespace ui
{

// The application object. An exception that escapes an event handler does not
// end the program: it is handed to the reporter (the register shows it as an
// error box) and the event loop goes on. Errors other than the register's own
// run-time errors arrive as error 51 (internal error), or 7 (out of memory).
class Application : public QApplication
{
public:
    using Reporter = std::function<void(const RuntimeError &)>;

    Application(int &argc, char **argv);
    ~Application() override;

    void SetReporter(Reporter reporter) { reporter_ = std::move(reporter); }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void Report(const RuntimeError &error);

    Reporter reporter_;
    bool reporting_ = false;
};

} // namespace ui
