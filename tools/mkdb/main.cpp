// tavir-mkdb <script.sql> <out.mdb>
//
// Builds one of the program's database files from an SQL script. The files
// declare their text columns COLLATE NOCASE, which the program's data layer
// gives Jet's rule (case folding for every letter); the tool registers that
// rule first, so that whatever the script compares is compared as the
// program will. The files themselves need nothing but SQLite: the sqlite3
// shell checks and queries them.
//
// The script runs statement by statement inside one transaction, into a
// temporary file beside the output. Only when every statement ran, the
// transaction committed and PRAGMA integrity_check answered "ok" is the
// temporary file renamed over the output. On any failure the tool prints
// "tavir-mkdb: <script>:<line>: <SQLite message>", removes the temporary file,
// leaves an existing output untouched and exits with 1 (2 for wrong usage).

#include "platform/db/jet_collation.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// A failure with the line of the script it belongs to (0: not a script line).
struct Failure {
    int line;
    std::string message;
};

// Skips blanks and SQL comments, so that an error is reported on the line
// where its statement begins rather than on the comment above it.
const char *skipBlank(const char *p)
{
    for (;;) {
        while (*p && std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n')
                ++p;
        } else if (p[0] == '/' && p[1] == '*') {
            p += 2;
            while (*p && !(p[0] == '*' && p[1] == '/'))
                ++p;
            if (*p)
                p += 2;
        } else {
            return p;
        }
    }
}

int lineAt(const char *begin, const char *pos)
{
    int line = 1;
    for (const char *p = begin; p < pos && *p; ++p)
        if (*p == '\n')
            ++line;
    return line;
}

void exec(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        Failure f{0, error ? error : sqlite3_errmsg(db)};
        sqlite3_free(error);
        throw f;
    }
}

// Runs every statement of the script. The caller has opened the transaction;
// a script that commits or rolls it back itself is refused, because the
// all-or-nothing build would then no longer hold.
void runScript(sqlite3 *db, const std::string &script)
{
    const char *begin = script.c_str();
    const char *tail = begin;
    while (*(tail = skipBlank(tail))) {
        const int line = lineAt(begin, tail);
        sqlite3_stmt *stmt = nullptr;
        const char *next = nullptr;
        if (sqlite3_prepare_v2(db, tail, -1, &stmt, &next) != SQLITE_OK) {
            const int offset = sqlite3_error_offset(db);
            throw Failure{offset >= 0 ? lineAt(begin, tail + offset) : line, sqlite3_errmsg(db)};
        }
        if (stmt) {
            int rc;
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            }
            sqlite3_finalize(stmt);
            if (rc != SQLITE_DONE)
                throw Failure{line, sqlite3_errmsg(db)};
            if (sqlite3_get_autocommit(db))
                throw Failure{line, "the script must not end the build's transaction"};
        }
        tail = next;
    }
}

void checkIntegrity(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) != SQLITE_OK)
        throw Failure{0, sqlite3_errmsg(db)};
    std::string problems;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
        const std::string row = text ? text : "";
        if (row != "ok")
            problems += (problems.empty() ? "" : "; ") + row;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw Failure{0, sqlite3_errmsg(db)};
    if (!problems.empty())
        throw Failure{0, "integrity check failed: " + problems};
}

std::string readScript(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Failure{0, "cannot read the script"};
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw Failure{0, "cannot read the script"};
    return text.str();
}

void build(const std::string &script, const fs::path &temp)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            throw Failure{0, db ? sqlite3_errmsg(db) : "cannot create the database file"};
        if (db::registerJetCollation(db) != SQLITE_OK)
            throw Failure{0, sqlite3_errmsg(db)};
        // A fresh file: settings that must precede the first table and the
        // transaction. The plain rollback journal keeps the result one file.
        exec(db, "PRAGMA page_size=4096; PRAGMA journal_mode=DELETE; PRAGMA encoding='UTF-8';");
        exec(db, "BEGIN IMMEDIATE");
        runScript(db, script);
        exec(db, "COMMIT");
        checkIntegrity(db);
    } catch (...) {
        sqlite3_close(db); // rolls back an open transaction
        throw;
    }
    if (sqlite3_close(db) != SQLITE_OK)
        throw Failure{0, "cannot close the database file"};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavir-mkdb <script.sql> <out.mdb>\n");
        return 2;
    }
    const fs::path scriptPath = argv[1];
    const fs::path out = argv[2];
    // Unique per run, beside the output so that the final rename stays on one
    // file system and replaces the output in one step.
    fs::path temp = out;
    temp += ".tmp-" + std::to_string(static_cast<long>(getpid()));
    auto removeTemp = [&temp] {
        std::error_code ignored;
        fs::remove(temp, ignored);
        fs::path journal = temp;
        journal += "-journal";
        fs::remove(journal, ignored);
    };

    try {
        const std::string script = readScript(scriptPath);
        if (out.has_parent_path())
            fs::create_directories(out.parent_path());
        removeTemp();
        build(script, temp);
        fs::rename(temp, out);
    } catch (const Failure &f) {
        removeTemp();
        if (f.line > 0)
            std::fprintf(stderr, "tavir-mkdb: %s:%d: %s\n", scriptPath.c_str(), f.line, f.message.c_str());
        else
            std::fprintf(stderr, "tavir-mkdb: %s: %s\n", scriptPath.c_str(), f.message.c_str());
        return 1;
    } catch (const std::exception &e) {
        removeTemp();
        std::fprintf(stderr, "tavir-mkdb: %s: %s\n", scriptPath.c_str(), e.what());
        return 1;
    }
    return 0;
}
