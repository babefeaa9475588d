#pragma once
// A database file opened straight through the sqlite3 C API, with Jet's
// text comparison registered (as NOCASE), for tests that look at the built files themselves
// rather than through the program's data layer.

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <initializer_list>
#include <vector>

struct sqlite3;

namespace datatest {

using Row = std::vector<QVariant>;

class SqliteFile {
public:
    enum class Mode { ReadOnly, ReadWrite };

    explicit SqliteFile(const QString &path, Mode mode = Mode::ReadOnly);
    ~SqliteFile();
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    bool isOpen() const { return m_db != nullptr; }
    QString error() const { return m_error; }
    sqlite3 *handle() const { return m_db; }

    // Runs one statement with its parameters bound in order. Integers come
    // back as qlonglong, reals as double, texts as QString, NULL as an
    // invalid QVariant. A failing statement is a test failure (and no rows).
    std::vector<Row> rows(const char *sql, std::initializer_list<QVariant> params = {}) const;
    // The same, each row as a map from column name to value.
    std::vector<QVariantMap> records(const char *sql, std::initializer_list<QVariant> params = {}) const;
    // The first column of the first row, or an invalid QVariant.
    QVariant value(const char *sql, std::initializer_list<QVariant> params = {}) const;
    // Runs a statement that may fail; false with the SQLite message if it does.
    bool tryExec(const char *sql, QString *error = nullptr) const;

private:
    sqlite3 *m_db = nullptr;
    QString m_error;
};

} // namespace datatest
