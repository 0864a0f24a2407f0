#include "foundation/Schema.h"

#include "platform/RuntimeError.h"
#include "platform/db/Recordset.h"
#include "platform/db/TableDefs.h"
#include "platform/db/Transaction.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>

// The resources live in a static library; naming their initialiser here makes
// the linker keep them.
static void InitSchemaResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace
{

// The schema resources are part of the program; a fault in them is a fault of
// the build, reported as run-time error 5 (invalid procedure call).
[[noreturn]] void Broken(const QString &what)
{
    throw RuntimeError(rterr::InvalidArgument, QStringLiteral("Błędny opis tabel: %1").arg(what));
}

QJsonObject ReadJson(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        Broken(QStringLiteral("brak zasobu %1").arg(resource));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject())
        Broken(QStringLiteral("%1: %2").arg(resource, error.errorString()));
    return doc.object();
}

dao::DataTypeEnum TypeOf(const QString &name)
{
    static const QHash<QString, dao::DataTypeEnum> types{
        {QStringLiteral("Boolean"), dao::dbBoolean}, {QStringLiteral("Byte"), dao::dbByte},
        {QStringLiteral("Integer"), dao::dbInteger}, {QStringLiteral("Long"), dao::dbLong},
        {QStringLiteral("Single"), dao::dbSingle},   {QStringLiteral("Date"), dao::dbDate},
        {QStringLiteral("Text"), dao::dbText},       {QStringLiteral("Memo"), dao::dbMemo}};
    const auto it = types.constFind(name);
    if (it == types.constEnd())
        Broken(QStringLiteral("nieznany typ pola %1").arg(name));
    return *it;
}

FieldSpec ReadField(const QJsonObject &json)
{
    FieldSpec field;
    field.name = json.value(QLatin1String("name")).toString();
    field.type = TypeOf(json.value(QLatin1String("type")).toString());
    field.size = json.value(QLatin1String("size")).toInt();
    const bool sized = field.type == dao::dbText;
    if (field.name.isEmpty() || sized != (field.size > 0) || field.size > 255)
        Broken(QStringLiteral("pole \"%1\"").arg(field.name));
    return field;
}

const TableSpec *FindTable(const QList<TableSpec> &tables, const QString &name)
{
    for (const TableSpec &table : tables) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

void CheckUniqueFields(const TableSpec &table)
{
    for (qsizetype i = 0; i < table.fields.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (table.fields[i].name.compare(table.fields[j].name, Qt::CaseInsensitive) == 0)
                Broken(
                    QStringLiteral("pole %1 dwa razy w %2").arg(table.fields[i].name, table.name));
        }
    }
}

// An index named after its table and fields, e.g. Badanie_Partia_NrProbki.
IndexSpec ReadIndex(const TableSpec &table, const QJsonValue &json)
{
    IndexSpec index;
    for (const QJsonValue &name : json.toArray()) {
        const FieldSpec *field = table.Field(name.toString());
        if (!field)
            Broken(
                QStringLiteral("indeks tabeli %1 na polu \"%2\"").arg(table.name, name.toString()));
        index.fields.append(field->name);
    }
    if (index.fields.isEmpty())
        Broken(QStringLiteral("pusty indeks tabeli %1").arg(table.name));
    index.name = table.name + u'_' + index.fields.join(u'_');
    return index;
}

// A table of the file; with "copyOf" it starts with every field of its
// namesake in that database (the staging copies are filled by field name, and
// take none of its indexes).
TableSpec ReadTable(const QJsonObject &json, const QList<TableSpec> *month)
{
    TableSpec table;
    table.name = json.value(QLatin1String("name")).toString();
    if (json.contains(QLatin1String("copyOf"))) {
        const TableSpec *source = month ? FindTable(*month, table.name) : nullptr;
        if (!source)
            Broken(QStringLiteral("kopia %1 bez wzoru").arg(table.name));
        table.fields = source->fields;
    }
    const QJsonArray fields = json.value(QLatin1String("fields")).toArray();
    for (const QJsonValue &field : fields)
        table.fields.append(ReadField(field.toObject()));
    if (table.name.isEmpty() || table.fields.isEmpty())
        Broken(QStringLiteral("tabela \"%1\"").arg(table.name));
    CheckUniqueFields(table);
    const QJsonArray indexes = json.value(QLatin1String("indexes")).toArray();
    for (const QJsonValue &index : indexes)
        table.indexes.append(ReadIndex(table, index));
    return table;
}

QList<TableSpec> ReadTables(const QString &resource, const QList<TableSpec> *month)
{
    QList<TableSpec> tables;
    const QJsonArray array = ReadJson(resource).value(QLatin1String("tables")).toArray();
    for (const QJsonValue &table : array) {
        tables.append(ReadTable(table.toObject(), month));
        if (FindTable(tables, tables.last().name) != &tables.last())
            Broken(QStringLiteral("tabela %1 dwa razy").arg(tables.last().name));
    }
    return tables;
}

// A seed value as its column stores it.
QVariant SeedValue(const FieldSpec &field, const QJsonValue &value)
{
    if (value.isNull())
        return {};
    switch (field.type) {
    case dao::dbBoolean:
        return value.toBool();
    case dao::dbByte:
    case dao::dbInteger:
    case dao::dbLong:
        return value.toInt();
    case dao::dbSingle:
        return float(value.toDouble());
    case dao::dbDate:
        return QDate::fromString(value.toString(), Qt::ISODate);
    default:
        return value.toString();
    }
}

struct LoadedSchema {
    std::array<QList<TableSpec>, 3> tables;
    std::array<QJsonObject, 3> seeds; // table name -> array of rows
};

const LoadedSchema &Loaded()
{
    static const LoadedSchema schema = [] {
        InitSchemaResources();
        LoadedSchema loaded;
        loaded.tables[Schema::Month] = ReadTables(QStringLiteral(":/schema/month.json"), nullptr);
        loaded.tables[Schema::Stale] = ReadTables(QStringLiteral(":/schema/stale.json"), nullptr);
        loaded.tables[Schema::Robot] =
            ReadTables(QStringLiteral(":/schema/robot.json"), &loaded.tables[Schema::Month]);
        const QJsonObject seed = ReadJson(QStringLiteral(":/schema/seed.json"));
        loaded.seeds[Schema::Stale] = seed.value(QLatin1String("Stale")).toObject();
        loaded.seeds[Schema::Robot] = seed.value(QLatin1String("Robot")).toObject();
        for (const Schema::DatabaseKind kind : {Schema::Stale, Schema::Robot}) {
            for (const QString &name : loaded.seeds[kind].keys()) {
                if (!FindTable(loaded.tables[kind], name))
                    Broken(QStringLiteral("wiersze tabeli %1 spoza opisu").arg(name));
            }
        }
        return loaded;
    }();
    return schema;
}

QJsonArray SeedArray(Schema::DatabaseKind kind, const QString &tableName)
{
    const QJsonObject &seeds = Loaded().seeds[kind];
    for (auto it = seeds.constBegin(); it != seeds.constEnd(); ++it) {
        if (it.key().compare(tableName, Qt::CaseInsensitive) == 0)
            return it.value().toArray();
    }
    return {};
}

dao::Field MakeField(const dao::TableDef &def, const FieldSpec &fieldSpec)
{
    dao::Field field = def.CreateField(fieldSpec.name, fieldSpec.type, fieldSpec.size);
    if (fieldSpec.AllowZeroLength())
        field.setAllowZeroLength(true);
    return field;
}

void StoreRow(dao::Recordset &rs, const QVariantMap &row)
{
    rs.AddNew();
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        rs.Fields(it.key()).setValue(it.value());
    rs.Update();
}

} // namespace

const FieldSpec *TableSpec::Field(const QString &fieldName) const
{
    for (const FieldSpec &field : fields) {
        if (field.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &field;
    }
    return nullptr;
}

const QList<TableSpec> &Schema::Tables(DatabaseKind kind)
{
    return Loaded().tables[kind];
}

const TableSpec *Schema::Table(DatabaseKind kind, const QString &name)
{
    return FindTable(Tables(kind), name);
}

QList<QVariantMap> Schema::SeedRows(DatabaseKind kind, const QString &tableName)
{
    const TableSpec *table = Table(kind, tableName);
    QList<QVariantMap> rows;
    if (!table)
        return rows;
    const QJsonArray array = SeedArray(kind, table->name);
    for (const QJsonValue &json : array) {
        const QJsonObject object = json.toObject();
        QVariantMap row;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const FieldSpec *field = table->Field(it.key());
            if (!field)
                Broken(QStringLiteral("wiersz %1 z polem %2").arg(table->name, it.key()));
            row.insert(field->name, SeedValue(*field, it.value()));
        }
        rows.append(row);
    }
    return rows;
}

void Schema::CreateTable(dao::Database &db, const TableSpec &table)
{
    dao::TableDef def = db.CreateTableDef(table.name);
    for (const FieldSpec &field : table.fields)
        def.Fields().Append(MakeField(def, field));
    db.TableDefs().Append(def);
}

QStringList Schema::AddMissingFields(dao::Database &db, const TableSpec &table)
{
    const dao::TableDef def = db.TableDefs()(table.name);
    QStringList added;
    for (const FieldSpec &field : table.fields) {
        if (def.Fields().Contains(field.name))
            continue;
        def.Fields().Append(MakeField(def, field));
        added.append(field.name);
    }
    return added;
}

QStringList Schema::EnsureTable(dao::Database &db, const TableSpec &table)
{
    if (db.TableDefs().Contains(table.name))
        return AddMissingFields(db, table);
    CreateTable(db, table);
    QStringList added;
    for (const FieldSpec &field : table.fields)
        added.append(field.name);
    return added;
}

void Schema::CreateIndexes(dao::Database &db, const TableSpec &table)
{
    // The key columns keep their declared collation, so that the searches'
    // comparisons of text can use the index.
    for (const IndexSpec &index : table.indexes)
        db.Execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                       .arg(index.name, table.name, index.fields.join(QStringLiteral(", "))));
}

void Schema::CreateAll(dao::Database &db, DatabaseKind kind)
{
    dao::Transaction transaction(db);
    for (const TableSpec &table : Tables(kind)) {
        CreateTable(db, table);
        CreateIndexes(db, table);
    }
    for (const TableSpec &table : Tables(kind)) {
        const QList<QVariantMap> rows = SeedRows(kind, table.name);
        if (rows.isEmpty())
            continue;
        dao::Recordset rs = db.OpenRecordset(table.name);
        for (const QVariantMap &row : rows)
            StoreRow(rs, row);
        rs.Close();
    }
    transaction.Commit();
}
