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
