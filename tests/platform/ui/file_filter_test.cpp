// Filters in the classic "desc|pattern|" form turned into Qt's name filters.

#include "platform/ui/file_filter.h"

#include <gtest/gtest.h>

TEST(FileFilter, ToQtNameFilters)
{
    struct Case {
        const char *filter;
        QStringList expected;
    };
    const Case cases[] = {
        // The description already names its pattern: kept as it is.
        {"XML bestanden (*.xml)|*.xml|", {"XML bestanden (*.xml)"}},
        {"Word bestanden (*.doc)|*.doc|", {"Word bestanden (*.doc)"}},
        // Parentheses that are not the pattern: the pattern is added.
        {"databestand (dbQORdata_*)|dbQORdata_*.mdb|", {"databestand (dbQORdata_*) (dbQORdata_*.mdb)"}},
        // Several entries, several patterns to one entry, no trailing '|'.
        {"Afbeeldingen|*.bmp;*.jpg|Alle bestanden (*.*)|*.*", {"Afbeeldingen (*.bmp *.jpg)", "Alle bestanden (*.*)"}},
        // Patterns named with ';' in the description become Qt's blanks.
        {"Afbeeldingen (*.bmp;*.jpg)|*.bmp;*.jpg|", {"Afbeeldingen (*.bmp *.jpg)"}},
        // Blanks around parts are ignored; an empty description is the pattern.
        {" Tekst | *.txt ; *.csv |", {"Tekst (*.txt *.csv)"}},
        {"|*.mdb|", {"*.mdb (*.mdb)"}},
        // A description without a pattern is dropped.
        {"XML (*.xml)|*.xml|Losse tekst", {"XML (*.xml)"}},
        {"Leeg||XML (*.xml)|*.xml|", {"XML (*.xml)"}},
        {"", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(ui::toQtNameFilters(c.filter), c.expected);
    }
}

TEST(FileFilter, JoinedForQtsStaticFunctions)
{
    EXPECT_EQ(ui::toQtFilter("XML bestanden (*.xml)|*.xml|Alle bestanden|*.*|"),
              "XML bestanden (*.xml);;Alle bestanden (*.*)");
}

TEST(FileFilter, ParsedEntries)
{
    const QList<ui::FileFilter> entries = ui::parseFileFilter("Afbeeldingen|*.bmp;*.jpg|Alles|*.*|");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].description, "Afbeeldingen");
    EXPECT_EQ(entries[0].patterns, QStringList({"*.bmp", "*.jpg"}));
    EXPECT_EQ(entries[1].patterns, QStringList({"*.*"}));
}

TEST(FileFilter, ExtensionsOfTheFilterInUse)
{
    const QString filter = "XML bestanden (*.xml)|*.xml|Afbeeldingen|*.BMP;*.jpg;*.bmp|Alles|*.*|Geen|*|";
    EXPECT_EQ(ui::filterExtensions(filter, 1), QStringList{"xml"});
    EXPECT_EQ(ui::filterExtensions(filter, 2), QStringList({"BMP", "jpg"}));
    EXPECT_EQ(ui::filterExtensions(filter, 3), QStringList());
    EXPECT_EQ(ui::filterExtensions(filter, 4), QStringList());
    EXPECT_EQ(ui::filterExtensions(filter, 9), QStringList{"xml"}); // out of range: the first
    EXPECT_EQ(ui::filterExtensions("databestand (dbQORdata_*)|dbQORdata_*.mdb|", 1), QStringList{"mdb"});
    EXPECT_EQ(ui::filterExtensions("", 1), QStringList());
}

TEST(FileFilter, ASavedNameGetsTheFiltersExtensionWhereItHasNone)
{
    struct Case {
        const char *name;
        const char *filter;
        int index;
        const char *defaultExt;
        const char *expected;
    };
    const char *xml = "XML bestanden (*.xml)|*.xml|Alle bestanden|*.*|";
    const Case cases[] = {
        {"/m/Stortplaats De Berkenheuvel", xml, 1, "", "/m/Stortplaats De Berkenheuvel.xml"},
        // A dot of its own is no extension of the filter.
        {"/m/Stort 2.0", xml, 1, "", "/m/Stort 2.0.xml"},
        {"/m/stort.xml", xml, 1, "", "/m/stort.xml"},
        {"/m/STORT.XML", xml, 1, "", "/m/STORT.XML"},
        {"/m/stort.", xml, 1, "", "/m/stort.xml"},
        // ".xml" alone is a name, not an extension.
        {"/m/.xml", xml, 1, "", "/m/.xml.xml"},
        // "Alle bestanden" names none: the name as typed.
        {"/m/stort", xml, 2, "", "/m/stort"},
        {"/m/stort", xml, 2, "xml", "/m/stort.xml"},
        {"/m/dbQORdata_proef", "databestand (dbQORdata_*)|dbQORdata_*.mdb|", 1, "", "/m/dbQORdata_proef.mdb"},
        {"/m/b.jpg", "Afbeeldingen|*.bmp;*.jpg|", 1, "", "/m/b.jpg"},
        {"/m/b", "Afbeeldingen|*.bmp;*.jpg|", 1, "", "/m/b.bmp"},
        {"/m/rapport", "", 1, "docx", "/m/rapport.docx"},
        {"", xml, 1, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::withFilterExtension(c.name, c.filter, c.index, c.defaultExt), QString(c.expected));
    }
}
