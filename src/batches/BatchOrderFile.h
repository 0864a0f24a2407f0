#pragma once

#include <QString>
#include <QStringList>

// A batch-order file: single-byte text written outside the laboratory, whose
// header line (the first line beginning with "[PartiaMervask]") carries the
// batch's fields 1 to 11 and its client's fields 21 to 30, separated by "|".
// The lines after the header are the samples, read by the sample register.
class BatchOrderFile
{
public:
    static constexpr auto HeaderMarker = "[PartiaMervask]";

    // Reads the file at a Windows (or real) path; the file errors go to the
    // caller (53 when it does not exist).
    static BatchOrderFile Read(const QString &path);
    static BatchOrderFile FromLines(const QStringList &lines);

    bool HasHeader() const { return hasHeader_; }

    // Field n of the header line. Field 0 is the text before the first "|",
    // field n the text between the n-th and the (n+1)-th "|" of the line
    // trimmed of blanks and extended with "|||||". A field beyond the
    // separators reads as ""; a field that starts at the very last separator
    // cannot be read and raises error 5.
    QString HeaderField(int n) const;

    // Fields 21 to 30: the client's code and the data it is registered with.
    QStringList ClientFields() const;

    // The notice that the client of these fields is not yet registered and
    // will be added.
    static QString UnregisteredClientNotice(const QStringList &clientFields);

private:
    QString header_;
    bool hasHeader_ = false;
};
