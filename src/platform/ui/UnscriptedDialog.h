#pragma once

#include <stdexcept>

namespace ui
{

// Thrown in scripted mode when a dialog appears that the test did not script,
// or with an answer the dialog does not offer. It is no run-time error of the
// register, so the handlers' own error reports do not swallow it.
class UnscriptedDialog : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

} // namespace ui
