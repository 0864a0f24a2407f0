#include "platform/fs/TextStream.h"

#include "platform/fs/Cp1250.h"
#include "platform/fs/FsErrors.h"

namespace fs
{

TextStream::TextStream(const QString &realPath, Mode mode)
    : file_(std::make_unique<QFile>(realPath))
{
    const QIODevice::OpenMode openMode = mode == Mode::Append
                                             ? QIODevice::WriteOnly | QIODevice::Append
                                             : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!file_->open(openMode)) {
        file_.reset();
        throw FsError(ErrPathFileAccess);
    }
}

TextStream::~TextStream()
{
    if (file_) {
        file_->close();
    }
}

TextStream::TextStream(TextStream &&) noexcept = default;
TextStream &TextStream::operator=(TextStream &&) noexcept = default;

void TextStream::Write(const QString &text)
{
    if (!file_) {
        throw FsError(ErrPathFileAccess);
    }
    const QByteArray bytes = Cp1250::Encode(text);
    if (file_->write(bytes) != bytes.size()) {
        throw FsError(ErrPathFileAccess);
    }
}

void TextStream::WriteLine(const QString &text)
{
    Write(text + QStringLiteral("\r\n"));
}

void TextStream::Close()
{
    if (!file_) {
        return;
    }
    const bool flushed = file_->flush();
    file_->close();
    const bool failed = !flushed || file_->error() != QFileDevice::NoError;
    file_.reset();
    if (failed) {
        throw FsError(ErrPathFileAccess);
    }
}

bool TextStream::IsOpen() const
{
    return file_ != nullptr;
}

} // namespace fs
