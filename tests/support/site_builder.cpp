#include "site_builder.h"

#include "support/test_paths.h"

#include "platform/db/recordset.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace testsupport {

Fields merged(Fields fields, const Fields &changes)
{
    for (const auto &[k, v] : changes)
        fields[k] = v;
    return fields;
}

Fields ownItem(const QString &naam, const Fields &changes)
{
    return merged({{"strAct", naam},
                   {"bytRubriek_REF", 4},
                   {"bytOptieStart", 2},
                   {"intStartRel", 1},
                   {"bytStartBA", 0},
                   {"bytOptieEind", 3},
                   {"bytEindBA", 0},
                   {"bytOptieKosten", 2},
                   {"sngKostenTotaal", 1000.0},
                   {"bytOptieFreq", 2},
                   {"intFreqX", 1},
                   {"bytIsQOR", 0},
                   {"bytCombineer", 0},
                   {"bytTypeVervangingsToeslag", 0}},
                  changes);
}

SiteBuilder::SiteBuilder(const QString &path)
{
    con.Open(path);
}

qint32 SiteBuilder::insert(const QString &table, const Fields &fields)
{
    QStringList names, marks;
    QVariantList values;
    for (const auto &[k, v] : fields) {
        names << k;
        marks << QStringLiteral("?");
        values << v;
    }
    con.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(','), marks.join(',')), values);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT last_insert_rowid() AS id"), con);
    return rs.Fields(QStringLiteral("id")).Value().toInt();
}

qint32 SiteBuilder::site(const Fields &fields)
{
    return insert(QStringLiteral("tblStort"), fields);
}

qint32 SiteBuilder::facility(qint32 site, int category, const QString &name)
{
    return insert(QStringLiteral("tblInrichting"),
                  {{"lngStort_REF", site}, {"bytObjectCat_REF", category}, {"strObject", name}});
}

qint32 SiteBuilder::item(qint32 site, qint32 facility, const Fields &fields)
{
    return insert(QStringLiteral("tblAct"), merged(fields, {{"lngStort_REF", site}, {"lngInrichting_REF", facility}}));
}

void SiteBuilder::forecast(qint32 site, int year, const QVariant &kton)
{
    insert(QStringLiteral("tblTonnage"), {{"lngStort_REF", site}, {"intKalJaar", year}, {"lngTonnage", kton}});
}

TemplateCopy::TemplateCopy(const QString &fileName) : dataFile(dir.filePath(fileName))
{
    if (!dir.isValid() || !QFile::copy(templateFile(), dataFile)) {
        ADD_FAILURE() << "cannot copy the template " << templateFile().toStdString() << " to "
                      << dataFile.toStdString();
        return;
    }
    QFile::setPermissions(dataFile, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace testsupport
