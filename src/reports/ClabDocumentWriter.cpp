#include "reports/ClabDocumentWriter.h"

#include "foundation/TextProcedures.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FsErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QScopeGuard>
#include <QUuid>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace
{

enum PartIndex { Groups, Samples, Fields, Tests, Directions, Results };

constexpr qsizetype FlushSize = 1 << 18;
constexpr qsizetype ChunkSize = 1 << 20;
// The document is written under a work name beside the chosen file; while
// it is written, a lock file of that name and ".lock" says whose it is.
const QString WorkSuffix = QStringLiteral(".clabtmp");
const QString LockSuffix = QStringLiteral(".lock");
// A lock left by another computer counts as abandoned after this long.
constexpr int AbandonedLockMs = 10 * 60 * 1000;

// Work files (and their locks) of earlier exports into the folder that were
// stopped before their rename. One whose export is still running, on this
// or another computer, is locked and stays.
void RemoveAbandonedWorkFiles(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(
        {QStringLiteral("~*") + WorkSuffix, QStringLiteral("~*") + WorkSuffix + LockSuffix},
        QDir::Files | QDir::Hidden);
    for (QString name : names) {
        if (name.endsWith(LockSuffix))
            name.chop(LockSuffix.size());
        const QString work = dir.filePath(name);
        QLockFile lock(work + LockSuffix);
        lock.setStaleLockTime(AbandonedLockMs);
        if (!lock.tryLock(0))
            continue;
        QFile::remove(work);
        lock.unlock();
    }
}

// A character that XML 1.0 does not allow anywhere in a document.
bool IsForbidden(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

// The UTF-8 of a value for element content (attribute: also for a quoted
// attribute value). Characters XML cannot hold are left out.
QByteArray Escaped(const QString &value, bool attribute = false)
{
    const auto plain = [attribute](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && u < 0x7F && u != u'&' && u != u'<' && u != u'>' &&
               (u != u'"' || !attribute);
    };
    if (std::all_of(value.cbegin(), value.cend(), plain))
        return value.toLatin1();
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            text += c;
            text += value[++i];
            continue;
        }
        if (c.isSurrogate() || IsForbidden(c.unicode()))
            continue;
        switch (c.unicode()) {
        case u'&':
            text += QLatin1String("&amp;");
            break;
        case u'<':
            text += QLatin1String("&lt;");
            break;
        case u'>':
            text += QLatin1String("&gt;");
            break;
        case u'"':
            if (attribute) {
                text += QLatin1String("&quot;");
                break;
            }
            text += c;
            break;
        default:
            text += c;
        }
    }
    return text.toUtf8();
}

QByteArray Day(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() : QByteArray();
}

// One element, its lines joined by CR, written straight into the buffer of
// its part file.
class Element
{
public:
    Element(std::string &out, const char *tag, const QByteArray &id) : out_(out), tag_(tag)
    {
        out_ += "  <";
        out_ += tag;
        out_ += " id=\"";
        add(id);
        out_ += "\">";
    }
    Element &Child(const char *tag, const QByteArray &value)
    {
        out_ += "\r    <";
        out_ += tag;
        out_ += '>';
        add(value);
        out_ += "</";
        out_ += tag;
        out_ += '>';
        return *this;
    }
    Element &Line(const char *line)
    {
        out_ += '\r';
        out_ += line;
        return *this;
    }
    Element &Raw(const QByteArray &lines)
    {
        add(lines);
        return *this;
    }
    void End()
    {
        out_ += "\r  </";
        out_ += tag_;
        out_ += ">\r\n";
    }

private:
    void add(const QByteArray &bytes) { out_.append(bytes.constData(), size_t(bytes.size())); }

    std::string &out_;
    const char *tag_;
};

// The lines of a part file as the document holds them: a line ends at CR or
// CR LF there, and every line ends with CR LF here. Each chunk is converted
// in one buffer that fits the worst case (every byte a lone CR).
void CopyLines(QFile &part, QFile &document)
{
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    QByteArray out(2 * ChunkSize + 2, Qt::Uninitialized);
    bool pendingCr = false;
    while (true) {
        const qint64 got = part.read(chunk.data(), ChunkSize);
        if (got < 0)
            throw fs::FsError(fs::ErrPathFileAccess);
        if (got == 0)
            break;
        const char *in = chunk.constData();
        const char *const end = in + got;
        char *const first = out.data();
        char *to = first;
        if (pendingCr) {
            *to++ = '\r';
            *to++ = '\n';
            if (*in == '\n')
                ++in;
            pendingCr = false;
        }
        while (in < end) {
            const auto *cr = static_cast<const char *>(std::memchr(in, '\r', size_t(end - in)));
            if (!cr) {
                std::memcpy(to, in, size_t(end - in));
                to += end - in;
                break;
            }
            std::memcpy(to, in, size_t(cr - in));
            to += cr - in;
            in = cr + 1;
            if (in == end) {
                pendingCr = true;
                break;
            }
            *to++ = '\r';
            *to++ = '\n';
            if (*in == '\n')
                ++in;
        }
        if (document.write(first, to - first) != to - first)
            throw fs::FsError(fs::ErrPathFileAccess);
    }
    if (pendingCr && document.write("\r\n", 2) != 2)
        throw fs::FsError(fs::ErrPathFileAccess);
}

} // namespace

QString ClabDocumentWriter::LabNumber(const QString &lab)
{
    const QString digits = lab.trimmed();
    bool allDigits = !digits.isEmpty() && digits.size() <= 9;
    for (const QChar c : digits)
        allDigits = allDigits && c >= u'0' && c <= u'9';
    if (!allDigits)
        throw RuntimeError(rterr::TypeMismatch, QStringLiteral("Niezgodność typów."));
    return QString::number(digits.toInt());
}

ClabDocumentWriter::ClabDocumentWriter(ClabDocumentSettings settings, ClabCodes::Warning warn)
    : settings_(std::move(settings)), warn_(std::move(warn))
{
    labNumber_ = LabNumber(settings_.lab).toLatin1();
    yy_ = settings_.workingDate.toString(QStringLiteral("yy")).toLatin1();
    yyyy_ = settings_.workingDate.toString(QStringLiteral("yyyy")).toLatin1();
    const QString folder = fs::DriveMap::ToReal(PartFolder);
    QDir().mkpath(folder);
    for (std::size_t i = 0; i < PartNames.size(); ++i) {
        files_[i] = std::make_unique<QFile>(folder + u'/' + PartNames[i]);
        if (!files_[i]->open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw fs::FsError(fs::ErrPathFileAccess);
    }
}

ClabDocumentWriter::~ClabDocumentWriter() = default;

void ClabDocumentWriter::Emitted(int part)
{
    if (qsizetype(buffers_[part].size()) >= FlushSize)
        FlushPart(part);
}

void ClabDocumentWriter::FlushPart(int part)
{
    std::string &buffer = buffers_[part];
    const qint64 size = qint64(buffer.size());
    if (size > 0 && files_[part]->write(buffer.data(), size) != size)
        throw fs::FsError(fs::ErrPathFileAccess);
    buffer.clear();
}

void ClabDocumentWriter::WriteBatch(const ClabBatch &batch, const std::optional<ClabClient> &client,
                                    const Progress &progress)
{
    const ClabCodeSet &codes = settings_.codes;
    const bool official = batch.platnik == QLatin1String("Z");
    const QByteArray mm = batch.dataDoLab.isValid()
                              ? batch.dataDoLab.toString(QStringLiteral("MM")).toLatin1()
                              : QByteArray();
    const QByteArray lab = Escaped(settings_.lab, true);
    const QByteArray tail = yy_ + lab; // every id ends with YY and L
    const QByteArray partia = Escaped(batch.partia, true);
    const QByteArray groupId = '8' + mm + partia + tail;
    const QByteArray document = partia + '/' + yyyy_;
    const QByteArray description = "Wlosnica-" + partia;
    const QByteArray typ = Escaped(official ? codes.typBad1 : codes.typBad2);
    const QByteArray method = Escaped(codes.cmetoda1);
    const QByteArray direction = Escaped(codes.ckierunek1);
    const QByteArray delivered = Day(batch.dataDoLab);

    QString place;
    if (client) {
        place = ClabCodes::PlaceByKindCLab(client->typWni);
        if (place.isEmpty())
            place = ClabCodes::PlaceByNameCLab(client->nazwa);
    }
    // The lines of cprobka1 after teryt are the same for every sample of the batch.
    QByteArray tailLines = "\r    <pob_data>" + Day(batch.dataPobr) + "</pob_data>";
    tailLines += official ? "\r    <pob_urzad>1</pob_urzad>" : "\r    <pob_urzad>0</pob_urzad>";
    if (!place.isEmpty()) {
        tailLines += "\r    <pob_miejsce>" + Escaped(place) + "</pob_miejsce>";
        tailLines += "\r    <pob_miejsce_opis>" + Escaped(batch.wni) + "</pob_miejsce_opis>";
    }
    tailLines += "\r    <pob_pesel>" + Escaped(TrimBlanks(batch.pobral).left(50)) + "</pob_pesel>";
    tailLines += "\r    <wys_data>" + delivered + "</wys_data>";
    tailLines += "\r    <cgrupa1_dok_nr>" + document + "</cgrupa1_dok_nr>";
    tailLines += "\r    <cgrupa1_opis>" + description + "</cgrupa1_opis>";
    tailLines += "\r    <czlec1_typ>" + typ + "</czlec1_typ>";
    tailLines += "\r    <czlec1_knt_nazwa>" +
                 (client ? Escaped(TrimBlanks(client->nazwa)) : QByteArray()) +
                 "</czlec1_knt_nazwa>";
    tailLines +=
        "\r    <czlec1_knt_adres>" +
        (client ? Escaped(TrimBlanks(client->miejscowosc + u' ' + client->ulica)) : QByteArray()) +
        "</czlec1_knt_adres>";
    tailLines += "\r    <czlec1_addr>" + Escaped(settings_.station) + "</czlec1_addr>";
    const QByteArray teryt = Escaped(batch.kodPiw);
    const QByteArray testLines = "\r    <cmetoda1_id>" + method + "</cmetoda1_id>\r    <data>" +
                                 delivered + "</data>\r    <status>1</status>\r    <wyn_data>" +
                                 Day(batch.dataZakBad) + "</wyn_data>\r    <typ_bad>" + typ +
                                 "</typ_bad>\r    <wynik_data />\r    <wynik_data2 />";

    const auto sampleElement = [&](const QByteArray &id, const QByteArray &lp,
                                   const QByteArray &number, const QByteArray &material,
                                   const QByteArray &county) {
        Element(buffers_[Samples], "cprobka1", id)
            .Child("cgrupa1_id", groupId)
            .Child("lp", lp)
            .Child("dok_nr", document + '/' + number)
            .Child("przyj_data", delivered)
            .Child("material", material)
            .Line("    <kraj>PL</kraj>")
            .Child("teryt", county)
            .Raw(tailLines)
            .End();
        Emitted(Samples);
    };
    const auto testElements = [&](const QByteArray &id) {
        Element(buffers_[Tests], "cbad1", id).Child("cprobka1_id", id).Raw(testLines).End();
        Emitted(Tests);
        Element(buffers_[Directions], "cbad2", id)
            .Child("cbad1_id", id)
            .Child("ckierunek1_id", direction)
            .End();
        Emitted(Directions);
    };

    Element(buffers_[Groups], "cgrupa1", groupId)
        .Child("dok_nr", document)
        .Child("liczba", QByteArray::number(batch.samples.size()))
        .Child("opis", description)
        .End();
    Emitted(Groups);
    int lp = 0;
    for (const ClabSample &sample : batch.samples) {
        const QByteArray material =
            Escaped(ClabCodes::TkankaCLab(TrimBlanks(sample.nazTkanka), warn_));
        ++lp;
        ++written_;
        const QByteArray number = Escaped(sample.nrOgolny, true);
        if (lp == 1) {
            const QByteArray first = "800" + mm + number + tail;
            sampleElement(first, "0", number, material, {});
            testElements(first);
        }
        const QByteArray id = '8' + mm + number + tail;
        sampleElement(id, QByteArray::number(lp), number, material, teryt);
        Element(buffers_[Fields], "cpole1", '8' + mm + "01" + number + tail)
            .Child("cprobka1_id", id)
            .Line("    <cpole1_id>6001</cpole1_id>")
            .Child("wartosc", Escaped(ClabCodes::GatunekCLab(sample.gatunek, warn_)))
            .End();
        Element(buffers_[Fields], "cpole1", '8' + mm + "02" + number + tail)
            .Child("cprobka1_id", id)
            .Line("    <cpole1_id>15001</cpole1_id>")
            .Child("wartosc", Escaped(ClabCodes::PlecCLab(sample.plec, warn_)))
            .End();
        Emitted(Fields);
        testElements(id);
        const QString result = ClabCodes::ResultCLab(sample.wynik);
        if (result.isEmpty())
            ++emptyResults_;
        Element(buffers_[Results], "cwynik1", id)
            .Child("cbad1_id", id)
            .Child("cmetoda1_p_id", method)
            .Child("wartosc", Escaped(result))
            .End();
        Emitted(Results);
        if (progress)
            progress(written_);
    }
}

void ClabDocumentWriter::Finish(const QString &realPath)
{
    for (std::size_t i = 0; i < files_.size(); ++i) {
        FlushPart(int(i));
        files_[i]->close();
        if (files_[i]->error() != QFileDevice::NoError)
            throw fs::FsError(fs::ErrPathFileAccess);
    }
    // Beside the chosen file, so that the rename stays on its file system.
    const QFileInfo target(realPath);
    RemoveAbandonedWorkFiles(target.absolutePath());
    const QString workPath = target.absolutePath() + QStringLiteral("/~") + target.fileName() +
                             u'.' + QUuid::createUuid().toString(QUuid::Id128).left(12) +
                             WorkSuffix;
    // Locked before it exists, so that no other export takes it for abandoned.
    QLockFile lock(workPath + LockSuffix);
    if (!lock.tryLock(0))
        throw fs::FsError(fs::ErrPathFileAccess);
    QFile document(workPath);
    auto removeWork = qScopeGuard([&document] { document.remove(); });
    if (!document.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw fs::FsError(fs::ErrPathFileAccess);
    document.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QByteArray heading =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r<celab xmlns=\"" +
        Escaped(settings_.schemaHost + QStringLiteral("/schema/celab-probki"), true) +
        "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\r  <clok1_id>" + labNumber_ +
        "</clok1_id>\r\n";
    document.write(heading);
    for (const auto &file : files_) {
        if (!file->open(QIODevice::ReadOnly))
            throw fs::FsError(fs::ErrPathFileAccess);
        CopyLines(*file, document);
        file->close();
    }
    document.write("</celab>\r\n");
    document.close();
    if (document.error() != QFileDevice::NoError)
        throw fs::FsError(fs::ErrPathFileAccess);
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(document.fileName()).toStdString(),
                            QFile::encodeName(realPath).toStdString(), failure);
    if (failure)
        throw fs::FsError(fs::ErrPathFileAccess);
    removeWork.dismiss();
}
