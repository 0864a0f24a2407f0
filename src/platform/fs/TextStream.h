#pragma once

#include <QFile>
#include <QString>
#include <memory>

namespace fs
{

// A text file open for writing in Windows-1250, as the old scripting object's
// text stream: Write, WriteLine (ends the line with CR LF), Close. Characters the
// code page cannot hold are written as '?'. Created by FileSystemObject.
class TextStream
{
public:
    enum class Mode { Create, Append };

    // Opens the real path; failures raise the file errors (75, 76).
    TextStream(const QString &realPath, Mode mode);
    ~TextStream();
    TextStream(TextStream &&) noexcept;
    TextStream &operator=(TextStream &&) noexcept;

    void Write(const QString &text);
    void WriteLine(const QString &text = QString());
    // Flushes and closes; a write failure raises 75. Closing twice does nothing.
    void Close();

    bool IsOpen() const;

private:
    std::unique_ptr<QFile> file_;
};

} // namespace fs
