#pragma once

#include <QString>
#include <exception>

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
