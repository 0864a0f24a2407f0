#pragma once

#include <QString>
#include <exception>

// The run-time error numbers the register raises and its handlers branch on,
// each the number the operators and the error boxes know. The engine's own
// are in dao::err, a cancelled file dialog's in ui::FileDialog, the mail's in
// mail::MailErrorNumber.
namespace rterr
{
enum : int {
    InvalidArgument = 5,
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    Internal = 51,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    FileExists = 58,
    PathFileAccess = 75,
    PathNotFound = 76,
    ObjectNotSet = 91,
    InvalidPropertyValue = 380,
};
} // namespace rterr

// A run-time error as the register's handlers see it: a number they can branch
// on and a Polish description that the error box shows after the number.
class RuntimeError : public std::exception
{
public:
    RuntimeError(int number, QString description)
        : number_(number), description_(std::move(description)),
          what_(QString::number(number_).append(' ').append(description_).toUtf8())
    {
    }

    int Number() const noexcept { return number_; }
    const QString &Description() const noexcept { return description_; }
    const char *what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString description_;
    QByteArray what_;
};
