#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace dao::detail
{

class Connection;
class RecordsetImpl;

// One opened handle on a file: the shared connection plus the recordsets that
// were opened through this handle and close with it.
class DatabaseImpl : public std::enable_shared_from_this<DatabaseImpl>
{
public:
    DatabaseImpl(QString name, std::shared_ptr<Connection> connection);

    bool IsOpen() const { return connection_ != nullptr; }
    const QString &Name() const { return name_; }
    void Close();
    Connection &connection() const;
    std::shared_ptr<RecordsetImpl> OpenRecordset(const QString &source);
    void Execute(const QString &sql);

private:
    QString name_;
    std::shared_ptr<Connection> connection_;
    std::vector<std::weak_ptr<RecordsetImpl>> recordsets_;
};

} // namespace dao::detail
