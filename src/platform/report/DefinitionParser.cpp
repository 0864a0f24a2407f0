#include "DefinitionParser.h"

#include "ReportError.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace report
{

namespace
{

QString at(const QString &where, const QString &key)
{
    return where.isEmpty() ? key : where + u'.' + key;
}

QString at(const QString &where, qsizetype index)
{
    return QStringLiteral("%1[%2]").arg(where).arg(index);
}

} // namespace

DefinitionParser::DefinitionParser(QString path) : path_(std::move(path)) {}

void DefinitionParser::fail(const QString &where, const QString &what) const
{
    throw ReportError::badDefinition(path_,
                                     where.isEmpty() ? what : where + QStringLiteral(": ") + what);
}

QByteArray DefinitionParser::withoutComments(const QByteArray &text)
{
    // Comment lines become empty lines, so that line numbers stay right.
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines)
        if (line.trimmed().startsWith("//"))
            line.clear();
    return lines.join('\n');
}

ReportDefinition DefinitionParser::parse(const QByteArray &text)
{
    QJsonParseError error;
    const QByteArray json = withoutComments(text);
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const qsizetype line = json.left(error.offset).count('\n') + 1;
        fail(QString(),
             QStringLiteral("błąd składni w wierszu %1: %2").arg(line).arg(error.errorString()));
    }
    if (!doc.isObject())
        fail(QString(), QStringLiteral("plik nie zawiera definicji raportu"));
    def_ = ReportDefinition();
    def_.path = path_;
    readTop(doc.object());
    return def_;
}

void DefinitionParser::readTop(const QJsonObject &root)
{
    checkKeys(
        root, QString(),
        {"title", "page", "tables", "header", "pageHeader", "detail", "footer", "pageFooter"});
    const QJsonArray tables = nonEmptyList(root.value(u"tables"), QStringLiteral("tables"),
                                           QStringLiteral("brak listy tabel"));
    for (qsizetype i = 0; i < tables.size(); ++i)
        def_.tables.append(text(tables.at(i), at(QStringLiteral("tables"), i)));
    def_.title = root.contains(u"title") ? text(root.value(u"title"), QStringLiteral("title"))
                                         : QFileInfo(path_).completeBaseName();
    def_.page = readPage(root.value(u"page"), QStringLiteral("page"));
    def_.header = readBlocks(root.value(u"header"), QStringLiteral("header"));
    def_.pageHeader = readBlocks(root.value(u"pageHeader"), QStringLiteral("pageHeader"));
    def_.footer = readBlocks(root.value(u"footer"), QStringLiteral("footer"));
    def_.pageFooter = readBlocks(root.value(u"pageFooter"), QStringLiteral("pageFooter"));
    if (root.contains(u"detail"))
        def_.detail = readBand(root.value(u"detail"), QStringLiteral("detail"));
}

QJsonObject DefinitionParser::object(const QJsonValue &value, const QString &where) const
{
    if (!value.isObject())
        fail(where, QStringLiteral("oczekiwano obiektu { }"));
    return value.toObject();
}

QJsonArray DefinitionParser::nonEmptyList(const QJsonValue &value, const QString &where,
                                          const QString &expected) const
{
    if (!value.isArray() || value.toArray().isEmpty())
        fail(where, expected);
    return value.toArray();
}

void DefinitionParser::checkKeys(const QJsonObject &o, const QString &where,
                                 std::initializer_list<const char *> allowed) const
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool known = false;
        for (const char *key : allowed)
            known = known || it.key() == QLatin1String(key);
        if (!known)
            fail(where, QStringLiteral("nieznany klucz \"%1\"").arg(it.key()));
    }
}

QString DefinitionParser::text(const QJsonValue &value, const QString &where) const
{
    if (!value.isString())
        fail(where, QStringLiteral("oczekiwano tekstu"));
    return value.toString();
}

double DefinitionParser::number(const QJsonValue &value, const QString &where) const
{
    if (!value.isDouble() || value.toDouble() < 0)
        fail(where, QStringLiteral("oczekiwano liczby nieujemnej"));
    return value.toDouble();
}

QString DefinitionParser::table(const QString &name, const QString &where) const
{
    const QString declared = def_.declaredTable(name);
    if (declared.isEmpty())
        fail(where, QStringLiteral("tabela %1 nie występuje w liście tables").arg(name));
    return declared;
}

ReportDefinition::Page DefinitionParser::readPage(const QJsonValue &value,
                                                  const QString &where) const
{
    ReportDefinition::Page page;
    if (value.isUndefined())
        return page;
    const QJsonObject o = object(value, where);
    checkKeys(o, where, {"size", "orientation", "margins", "font"});
    if (o.contains(u"size") && text(o.value(u"size"), at(where, QStringLiteral("size"))) != u"A4")
        fail(at(where, QStringLiteral("size")), QStringLiteral("obsługiwany jest format A4"));
    if (o.contains(u"orientation")) {
        const QString w = at(where, QStringLiteral("orientation"));
        const QString orientation = text(o.value(u"orientation"), w);
        if (orientation != u"portrait" && orientation != u"landscape")
            fail(w, QStringLiteral("oczekiwano \"portrait\" lub \"landscape\""));
        page.orientation =
            orientation == u"portrait" ? QPageLayout::Portrait : QPageLayout::Landscape;
    }
    if (o.contains(u"margins")) {
        const QString w = at(where, QStringLiteral("margins"));
        const QJsonArray m = o.value(u"margins").toArray();
        if (m.size() != 4)
            fail(w, QStringLiteral("oczekiwano czterech liczb [lewy, górny, prawy, dolny]"));
        page.margins =
            QMarginsF(number(m[0], w), number(m[1], w), number(m[2], w), number(m[3], w));
    }
    page.font = readFont(o.value(u"font"), at(where, QStringLiteral("font")));
    return page;
}

ReportDefinition::Font DefinitionParser::readFont(const QJsonValue &value,
                                                  const QString &where) const
{
    Font font;
    if (value.isUndefined())
        return font;
    const QJsonObject o = object(value, where);
    checkKeys(o, where, {"family", "size", "bold", "italic"});
    if (o.contains(u"family"))
        font.family = text(o.value(u"family"), at(where, QStringLiteral("family")));
    if (o.contains(u"size")) {
        font.size = number(o.value(u"size"), at(where, QStringLiteral("size")));
        if (font.size < 4 || font.size > 72)
            fail(at(where, QStringLiteral("size")), QStringLiteral("rozmiar poza 4..72"));
    }
    if (o.contains(u"bold"))
        font.bold = o.value(u"bold").toBool();
    if (o.contains(u"italic"))
        font.italic = o.value(u"italic").toBool();
    return font;
}

DefinitionParser::Align DefinitionParser::readAlign(const QJsonValue &value,
                                                    const QString &where) const
{
    if (value.isUndefined())
        return Align::Left;
    const QString a = text(value, where);
    if (a == u"left")
        return Align::Left;
    if (a == u"center")
        return Align::Center;
    if (a == u"right")
        return Align::Right;
    fail(where, QStringLiteral("oczekiwano \"left\", \"center\" lub \"right\""));
}

FieldTemplate DefinitionParser::readTemplate(const QJsonValue &value, const QString &where) const
{
    QString error;
    const FieldTemplate t = FieldTemplate::parse(text(value, where), &error);
    if (!error.isEmpty())
        fail(where, error);
    for (const QString &name : t.tables())
        table(name, where);
    return t;
}

SelectionFormula DefinitionParser::readWhen(const QJsonValue &value, const QString &where) const
{
    if (value.isUndefined())
        return {};
    SelectionFormula when;
    try {
        when = SelectionFormula::parse(text(value, where));
    } catch (const RuntimeError &e) {
        fail(where, e.Description());
    }
    for (const auto &c : when.conditions())
        table(c.table, where);
    return when;
}

std::vector<ReportDefinition::Block> DefinitionParser::readBlocks(const QJsonValue &value,
                                                                  const QString &where) const
{
    std::vector<Block> blocks;
    if (value.isUndefined())
        return blocks;
    if (!value.isArray())
        fail(where, QStringLiteral("oczekiwano listy [ ]"));
    const QJsonArray list = value.toArray();
    for (qsizetype i = 0; i < list.size(); ++i)
        blocks.push_back(readBlock(list.at(i), at(where, i)));
    return blocks;
}

ReportDefinition::Block DefinitionParser::readBlock(const QJsonValue &value,
                                                    const QString &where) const
{
    const QJsonObject o = object(value, where);
    checkKeys(o, where,
              {"text", "letterhead", "fields", "columns", "image", "space", "rule", "when", "font",
               "align", "labelWidth", "labelFont", "width", "height"});
    Block b;
    b.when = readWhen(o.value(u"when"), at(where, QStringLiteral("when")));
    b.font = readFont(o.value(u"font"), at(where, QStringLiteral("font")));
    b.align = readAlign(o.value(u"align"), at(where, QStringLiteral("align")));
    readBlockBody(o, b, where);
    return b;
}

void DefinitionParser::readBlockBody(const QJsonObject &o, Block &b, const QString &where) const
{
    const char *kinds[] = {"text", "letterhead", "fields", "columns", "image", "space", "rule"};
    int found = 0;
    for (const char *k : kinds)
        found += o.contains(QLatin1String(k)) ? 1 : 0;
    if (found != 1)
        fail(where, QStringLiteral("blok musi mieć dokładnie jeden z kluczy text, letterhead, "
                                   "fields, columns, image, space, rule"));
    if (o.contains(u"text")) {
        b.kind = Block::Text;
        b.text = readTemplate(o.value(u"text"), at(where, QStringLiteral("text")));
    } else if (o.contains(u"letterhead")) {
        b.kind = Block::Letterhead;
    } else if (o.contains(u"fields")) {
        b.kind = Block::Fields;
        readFieldRows(o.value(u"fields"), b, at(where, QStringLiteral("fields")));
        if (o.contains(u"labelWidth"))
            b.labelWidth = number(o.value(u"labelWidth"), at(where, QStringLiteral("labelWidth")));
        b.labelFont = readFont(o.value(u"labelFont"), at(where, QStringLiteral("labelFont")));
    } else if (o.contains(u"columns")) {
        b.kind = Block::Columns;
        readColumns(o.value(u"columns"), b, at(where, QStringLiteral("columns")));
    } else if (o.contains(u"image")) {
        b.kind = Block::Image;
        b.imageFile = text(o.value(u"image"), at(where, QStringLiteral("image")));
    } else {
        b.kind = o.contains(u"space") ? Block::Space : Block::Rule;
        const QString key =
            b.kind == Block::Space ? QStringLiteral("space") : QStringLiteral("rule");
        b.size = number(o.value(key), at(where, key));
    }
    if (o.contains(u"width"))
        b.width = number(o.value(u"width"), at(where, QStringLiteral("width")));
    if (o.contains(u"height"))
        b.height = number(o.value(u"height"), at(where, QStringLiteral("height")));
}

void DefinitionParser::readFieldRows(const QJsonValue &value, Block &b, const QString &where) const
{
    const QJsonArray rows = nonEmptyList(
        value, where, QStringLiteral("oczekiwano listy par [\"etykieta\", \"wartość\"]"));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QJsonArray pair = rows.at(i).toArray();
        if (pair.size() != 2)
            fail(at(where, i), QStringLiteral("oczekiwano pary [\"etykieta\", \"wartość\"]"));
        b.fields.emplace_back(readTemplate(pair[0], at(where, i)),
                              readTemplate(pair[1], at(where, i)));
    }
}

void DefinitionParser::readColumns(const QJsonValue &value, Block &b, const QString &where) const
{
    const QJsonArray list = nonEmptyList(value, where, QStringLiteral("oczekiwano listy kolumn"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString w = at(where, i);
        const QJsonObject o = object(list.at(i), w);
        checkKeys(o, w, {"width", "blocks"});
        ReportDefinition::Column column;
        if (o.contains(u"width"))
            column.width = number(o.value(u"width"), at(w, QStringLiteral("width")));
        column.blocks = readBlocks(o.value(u"blocks"), at(w, QStringLiteral("blocks")));
        b.columns.push_back(std::move(column));
    }
}

ReportDefinition::Band DefinitionParser::readBand(const QJsonValue &value,
                                                  const QString &where) const
{
    const QJsonObject o = object(value, where);
    checkKeys(o, where,
              {"table", "link", "orderBy", "columns", "blocks", "grid", "indent", "font",
               "headerFont", "children"});
    Band band;
    band.table = table(text(o.value(u"table"), at(where, QStringLiteral("table"))),
                       at(where, QStringLiteral("table")));
    readLinks(o.value(u"link"), band, at(where, QStringLiteral("link")));
    if (o.contains(u"orderBy") && !o.value(u"orderBy").isArray())
        fail(at(where, QStringLiteral("orderBy")), QStringLiteral("oczekiwano listy pól"));
    for (const QJsonValue &f : o.value(u"orderBy").toArray())
        band.orderBy.append(text(f, at(where, QStringLiteral("orderBy"))));
    if (o.contains(u"columns") == o.contains(u"blocks"))
        fail(where, QStringLiteral("sekcja musi mieć albo columns, albo blocks"));
    readTableColumns(o.value(u"columns"), band, at(where, QStringLiteral("columns")));
    band.blocks = readBlocks(o.value(u"blocks"), at(where, QStringLiteral("blocks")));
    band.grid = o.value(u"grid").toBool(true);
    if (o.contains(u"indent"))
        band.indent = number(o.value(u"indent"), at(where, QStringLiteral("indent")));
    band.font = readFont(o.value(u"font"), at(where, QStringLiteral("font")));
    band.headerFont = readFont(o.value(u"headerFont"), at(where, QStringLiteral("headerFont")));
    if (o.contains(u"children") && !o.value(u"children").isArray())
        fail(at(where, QStringLiteral("children")), QStringLiteral("oczekiwano listy sekcji"));
    const QJsonArray children = o.value(u"children").toArray();
    for (qsizetype i = 0; i < children.size(); ++i)
        band.children.push_back(
            readBand(children.at(i), at(at(where, QStringLiteral("children")), i)));
    return band;
}

void DefinitionParser::readLinks(const QJsonValue &value, Band &band, const QString &where) const
{
    if (value.isUndefined())
        return;
    const QJsonObject o = object(value, where);
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString source = text(it.value(), at(where, it.key()));
        const qsizetype dot = source.indexOf(u'.');
        if (dot <= 0)
            fail(at(where, it.key()), QStringLiteral("oczekiwano \"Tabela.Pole\""));
        band.links.push_back(
            {it.key(), table(source.left(dot), at(where, it.key())), source.mid(dot + 1)});
    }
}

void DefinitionParser::readTableColumns(const QJsonValue &value, Band &band,
                                        const QString &where) const
{
    if (value.isUndefined())
        return;
    const QJsonArray list = nonEmptyList(value, where, QStringLiteral("oczekiwano listy kolumn"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString w = at(where, i);
        const QJsonObject o = object(list.at(i), w);
        checkKeys(o, w, {"title", "value", "width", "align"});
        ReportDefinition::TableColumn c;
        c.title = o.contains(u"title")
                      ? readTemplate(o.value(u"title"), at(w, QStringLiteral("title")))
                      : FieldTemplate();
        c.value = readTemplate(o.value(u"value"), at(w, QStringLiteral("value")));
        if (o.contains(u"width"))
            c.weight = number(o.value(u"width"), at(w, QStringLiteral("width")));
        if (c.weight <= 0)
            fail(at(w, QStringLiteral("width")), QStringLiteral("szerokość musi być dodatnia"));
        c.align = readAlign(o.value(u"align"), at(w, QStringLiteral("align")));
        band.columns.push_back(std::move(c));
    }
}

} // namespace report
