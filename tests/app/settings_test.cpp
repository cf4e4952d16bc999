#include "app/settings.h"

#include "support/test_environment.h"

#include <QFile>

using Settings = LettrinoTest;

TEST_F(Settings, ValuesLiveInTessavaneConfBySectionAndKey) {
    EXPECT_EQ(GetSetting("Database", "BackPath", "fallback"), "fallback");
    SaveSetting("Database", "BackPath", "/home/me/backups/");
    EXPECT_EQ(GetSetting("Database", "BackPath", "fallback"), "/home/me/backups/");
    const QByteArray file = ReadBytes(Path("config/Tessavane.conf"));
    EXPECT_TRUE(file.contains("[Database]")) << file.constData();
    EXPECT_TRUE(file.contains("BackPath=/home/me/backups/")) << file.constData();
}

TEST_F(Settings, FlagsCompareWithoutCaseAndMissingMeansFalse) {
    EXPECT_FALSE(GetFlagSetting("Settings", "International"));
    SaveSetting("Settings", "International", "TRUE");
    EXPECT_TRUE(GetFlagSetting("Settings", "International"));
    SaveSetting("Settings", "International", "yes");
    EXPECT_FALSE(GetFlagSetting("Settings", "International"));
    SaveFlagSetting("Settings", "BigScreen", true);
    EXPECT_EQ(GetSetting("Settings", "BigScreen", ""), "True");
}

TEST_F(Settings, CurrentListIsTrimmedAndDefaultsToNoList) {
    EXPECT_EQ(CurrentListSetting(), "NO--DB");
    EXPECT_EQ(CurrentListSetting("MyMail.mdb"), "MyMail.mdb");
    SaveSetting("Database", "CurrentDatabase", "  /lists/club.mdb ");
    EXPECT_EQ(CurrentListSetting(), "/lists/club.mdb");
}
