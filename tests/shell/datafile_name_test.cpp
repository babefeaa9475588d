#include "shell/datafile_name.h"

#include "support/scripted_dialogs_fixture.h"

#include <gtest/gtest.h>

namespace {

const QString kWeigerTekst = QStringLiteral(
    "De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan uit 'dbQORdata_' plus een door de gebruiker "
    "in te voeren tekst.");

struct NaamGeval {
    const char *pad;
    bool geldig;
};

class DataFileNameRule : public ::testing::TestWithParam<NaamGeval> {};

TEST_P(DataFileNameRule, CountsOnlyTheFileNamePart)
{
    EXPECT_EQ(modMain::pfunVoldoetAanNaamregel(QString::fromUtf8(GetParam().pad)), GetParam().geldig) << GetParam().pad;
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFileNameRule,
                         ::testing::Values(NaamGeval{"dbQORdata_1.mdb", true}, // the shortest usual name: 15
                                           NaamGeval{"dbQORdata_.mdb", false}, // 14 characters
                                           NaamGeval{"DBQORDATA_x.abc", true}, // prefix without regard to case
                                           NaamGeval{"/home/u/dbQORdata_proef.mdb", true},
                                           NaamGeval{"/home/dbQORdata_/data.mdb", false}, // the folder does not count
                                           NaamGeval{"C:\\data\\dbQORdata_1.mdb", true},  // a stored Windows name
                                           NaamGeval{"C:\\dbQORdata_\\data.mdb", false},
                                           NaamGeval{"/tmp/dbQORdata_1.mdb/", false}, // no file name at all
                                           NaamGeval{"dbQORdat_12345.mdb", false}, NaamGeval{"", false}));

class DataFileNameCheck : public testsupport::ScriptedDialogsTest {};

TEST_F(DataFileNameCheck, AcceptsSilently)
{
    EXPECT_TRUE(modMain::pfunBestandsnaamGeldig(QStringLiteral("/data/dbQORdata_1.mdb")));
}

TEST_F(DataFileNameCheck, RefusedNameAndNullSayWhy)
{
    for (const QVariant &bestand : {QVariant(QStringLiteral("/data/data.mdb")), QVariant()}) {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Instellen bestandskoppeling"), kWeigerTekst);
        EXPECT_FALSE(modMain::pfunBestandsnaamGeldig(bestand));
    }
}

} // namespace
