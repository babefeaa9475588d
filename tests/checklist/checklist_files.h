#pragma once
// What the checklist tests share: the checklist file the build ships, items
// picked from it by what they hold, a private copy of it that a test may
// change, and running a case under the C locale and under a Dutch one.

#include "checklist/clsCL.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "support/qstring_printer.h"
#include "support/test_paths.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace cltest {

inline QString shipped()
{
    return testsupport::checklistFile();
}

// The id of the first active item of `version` (by id) that meets `where`,
// an SQL condition on tblCLitem; 0 when none does.
inline qint32 itemWhere(const QString &file, int version, const QString &where)
{
    db::Connection cn;
    cn.Open(file);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT lngCLitem_ID FROM tblCLitem WHERE blnActief<>0 AND intCL_REF=? AND (") + where
                + QStringLiteral(") ORDER BY lngCLitem_ID"),
            cn, db::LockType::ReadOnly, {version});
    return rs.EOF_() ? 0 : rs.Fields(0).Value().toInt();
}

inline qint32 itemWhere(int version, const QString &where)
{
    return itemWhere(shipped(), version, where);
}

// A copy of the shipped checklist file in a temporary folder; change() runs
// SQL on the copy.
class ChecklistCopy {
public:
    ChecklistCopy()
    {
        EXPECT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("dbQORCL.mdb"));
        EXPECT_TRUE(QFile::copy(shipped(), m_path));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }
    const QString &path() const { return m_path; }
    void change(const QString &sql, const QVariantList &params = {})
    {
        db::Connection cn;
        cn.Open(m_path);
        cn.Execute(sql, params);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A view loaded on `version` of `file`, positioned on `item` (when not 0).
inline std::unique_ptr<checklist::clsCL> viewOn(const QString &file, int version, qint32 item = 0,
                                                float jaarAanvangNazorg = 2030.0f)
{
    checklist::Context ctx;
    ctx.gstrConnCL = file;
    ctx.gsngJaarAanvangNazorg = jaarAanvangNazorg;
    auto view = std::make_unique<checklist::clsCL>(ctx);
    view->initializeCL(version);
    if (item != 0) {
        EXPECT_TRUE(view->GaNaarItem(item)) << "item " << item << " of version " << version;
    }
    return view;
}

inline std::unique_ptr<checklist::clsCL> viewOn(int version, qint32 item = 0, float jaarAanvangNazorg = 2030.0f)
{
    return viewOn(shipped(), version, item, jaarAanvangNazorg);
}

// Runs `body` under the C locale, then again with Dutch as the default
// QLocale and (where the system has it) the process locale.
inline void underBothLocales(const std::function<void()> &body)
{
    {
        SCOPED_TRACE("C locale");
        body();
    }
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const std::string cLocale = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "nl_NL.UTF-8"))
        std::setlocale(LC_ALL, "nl_NL");
    {
        SCOPED_TRACE("Dutch locale");
        body();
    }
    std::setlocale(LC_ALL, cLocale.c_str());
    QLocale::setDefault(previous);
}

} // namespace cltest
