#include "app/list_file_texts.h"

#include "database/engine_error.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(ListFileTexts, TheBackupFolderEndsInASeparator) {
    EXPECT_EQ(BackupFolderEntry("/media/usb"), "/media/usb/");
    EXPECT_EQ(BackupFolderEntry("  /media/usb/ "), "/media/usb/");
    EXPECT_EQ(BackupFolderEntry("C:\\Backups\\"), "C:\\Backups\\");
    EXPECT_EQ(BackupFolderEntry("   "), "");
    EXPECT_EQ(DefaultBackupFolder(), QDir::homePath() + "/");
}

TEST(ListFileTexts, TheProposalIsTheFolderAndTheListsNameInCapitals) {
    EXPECT_EQ(BackupProposal("/media/usb/", "/home/ann/Lists/Club.mdb"), "/media/usb/CLUB.MDB");
    EXPECT_EQ(BackupProposal("/media/usb/", "MyMail.mdb"), "/media/usb/MYMAIL.MDB");
}

TEST(ListFileTexts, FailuresAreToldByTheirNumber) {
    EXPECT_EQ(BackupFailureText(EngineError(61, "disk full")),
              "Not enough space on the destination disk");
    EXPECT_EQ(BackupFailureText(EngineError(70, "read-only")), "File is locked or write protected");
    EXPECT_EQ(BackupFailureText(EngineError(2, "No such file or directory")),
              "Couldn't copy the mailing list. Reason unknown.");
    EXPECT_EQ(CompactFailureText(EngineError(61, "disk full")),
              "Disk drive is full. Can't compact.");
    EXPECT_EQ(CompactFailureText(EngineError(70, "locked")),
              "File is locked by another process. Can't compact.");
    EXPECT_EQ(CompactFailureText(EngineError(3049, "The database file is damaged")),
              "Couldn't write to the hard drive. 3049 The database file is damaged");
}
