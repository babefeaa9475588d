#pragma once
// Sites put into a data file: a row of any table from its fields, and the
// rows a site is made of (the site, its facilities, its cost items and its
// waste forecast), each answered with its new id.

#include "platform/db/connection.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <map>

namespace testsupport {

// The fields of one row, by column name.
using Fields = std::map<QString, QVariant>;

// `fields` with `changes` written over them.
Fields merged(Fields fields, const Fields &changes);

// An own cost item, complete: after-care year 1, for ever, a total of 1000
// once a year, rubric 4; `changes` written over it.
Fields ownItem(const QString &naam, const Fields &changes = {});

// Puts rows into the data file at a path, through a connection of its own
// that stays open while the builder lives.
class SiteBuilder {
public:
    explicit SiteBuilder(const QString &path);

    // A row of `table`; returns its id.
    qint32 insert(const QString &table, const Fields &fields);

    qint32 site(const Fields &fields);
    qint32 facility(qint32 site, int category, const QString &name);
    qint32 item(qint32 site, qint32 facility, const Fields &fields);
    void forecast(qint32 site, int year, const QVariant &kton);

    db::Connection con;
};

// A copy of the template in a temporary folder, named `fileName`; fails the
// running test when it cannot be made.
class TemplateCopy {
public:
    explicit TemplateCopy(const QString &fileName);

    QTemporaryDir dir;
    QString dataFile;
};

// A copy of the template to put sites into.
class SiteFile : public TemplateCopy, public SiteBuilder {
public:
    explicit SiteFile(const QString &fileName) : TemplateCopy(fileName), SiteBuilder(dataFile) {}
};

} // namespace testsupport
