#pragma once
// A logical connection to a database file, in the manner of ADO's
// Connection. All logical connections on one file share one SQLite handle
// (PhysicalDatabase), so a transaction begun through any of them covers the
// writes of all of them and of their recordsets.

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

namespace db {

class PhysicalDatabase;

// The file named by a connection string: the value of its "Data Source"
// item (key case-insensitive, items separated by ";", values optionally in
// double or single quotes); a string without that item is itself the path.
QString dataSourceOf(const QString &connectionString);

// True when the connection string asks for read-only access ("Mode=Read").
bool readOnlyModeOf(const QString &connectionString);

// The text to write after "key=" so that the item reads back as `value`:
// the value itself, or, when it holds a ";" or a quote or begins or ends
// with a blank, the value in double quotes with every double quote doubled.
// Any path a user can give thus survives a connection string.
QString connectionValue(const QString &value);

class Connection {
public:
    Connection();
    ~Connection(); // closes; rolls back transaction levels this connection left open
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    Connection(Connection &&other) noexcept;
    Connection &operator=(Connection &&other) noexcept;

    // Opens a bare file path or an ADO-style connection string
    // ("Provider=...;Data Source=<file>;..."). Other items are ignored,
    // except "Mode=Read", which opens the connection read-only. Fails with
    // 3024 (missing file), 3343 (not a database) or 3051; never creates or
    // changes the file. Opening an open connection closes it first.
    void Open(const QString &connectionString);
    // Opens as above and then requires the file to hold every table of
    // `requiredTables`; when one is missing the connection is closed again
    // and 3078 names the file and the missing tables. The file is not
    // changed either way.
    void Open(const QString &connectionString, const QStringList &requiredTables);
    void Close();
    bool isOpen() const { return static_cast<bool>(m_db); }

    // Runs one or more statements with positional "?" parameters; returns
    // the number of rows inserted, changed or deleted. Every row an INSERT
    // or UPDATE writes must keep Jet's rules (ranges, Text(n) widths,
    // numbers into numeric columns); when one does not, nothing of the text
    // is written and the error names the table and the field.
    qint64 Execute(const QString &sql, const QVariantList &params = {});

    // Jet-style nested transactions on the shared file handle; BeginTrans
    // returns the new nesting level (1 for the outermost).
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // The canonical path of the open file.
    QString filePath() const;
    // True when writes are refused: "Mode=Read", or a file or folder that
    // the process cannot write.
    bool isReadOnly() const;

    // The shared handle (for the recordset and catalog of this layer).
    std::shared_ptr<PhysicalDatabase> physical() const;

private:
    void requireOpen(const char *what) const;

    std::shared_ptr<PhysicalDatabase> m_db;
    bool m_readOnly = false;
    int m_ownLevels = 0; // transaction levels begun through this connection
};

} // namespace db
