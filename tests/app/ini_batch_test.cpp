#include <gtest/gtest.h>

#include <filesystem>

#include "app/ini_file.h"
#include "tests/support/fakes.h"

using zenkor::IniWriteBatch;
using zenkor::ReadIni;
using zenkor::WriteIni;

TEST(IniWriteBatch, GathersWritesUntilCommit) {
    testing_support::Sandbox sandbox;
    sandbox.writeFile("Zenkor2024.ini", "; kept\r\n[ButA]\r\n0=-\r\n");
    {
        IniWriteBatch batch("Zenkor2024");
        EXPECT_TRUE(WriteIni("Zenkor2024", "ButA", "0", "3"));
        EXPECT_TRUE(WriteIni("Zenkor2024", "EquipA", "1", "Écosse"));
        // The pending values are visible to readers, the file is not touched yet.
        EXPECT_EQ(ReadIni("Zenkor2024", "EquipA", "1", "x"), "Écosse");
        EXPECT_EQ(sandbox.readFile("Zenkor2024.ini"), "; kept\r\n[ButA]\r\n0=-\r\n");
        EXPECT_TRUE(batch.commit());
    }
    EXPECT_EQ(sandbox.readFile("Zenkor2024.ini"),
              "; kept\r\n[ButA]\r\n0=3\r\n[EquipA]\r\n1=\xc9"
              "cosse\r\n");
    // The file as it was before the save is kept beside it.
    EXPECT_EQ(sandbox.readFile("Zenkor2024.ini.bak"), "; kept\r\n[ButA]\r\n0=-\r\n");
}

TEST(IniWriteBatch, AnAbandonedBatchChangesNothing) {
    testing_support::Sandbox sandbox;
    sandbox.writeFile("Zenkor2024.ini", "[ButA]\r\n0=-\r\n");
    {
        IniWriteBatch batch("Zenkor2024");
        batch.set("ButA", "0", "5");
    }
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "0"), "-");
    // Other files are written at once while a batch is open.
    IniWriteBatch batch("Zenkor2024");
    EXPECT_TRUE(WriteIni("Elim2024", "Mess", "0", "x"));
    EXPECT_EQ(sandbox.readFile("Elim2024.ini"), "[Mess]\r\n0=x\r\n");
}

TEST(IniWriteBatch, AFileThatCannotBeWrittenReportsFailure) {
    testing_support::Sandbox sandbox;
    std::filesystem::create_directory(sandbox.folder() / "Zenkor2024.ini");
    IniWriteBatch batch("Zenkor2024");
    batch.set("ButA", "0", "5");
    EXPECT_EQ(batch.commit().reason(), "read Zenkor2024.ini: Is a directory");
}

// The backup of the previous save is written as the file is, through a new file renamed into place: a
// save killed halfway never leaves it cut short, and it never writes through a name into another file.
TEST(IniWriteBatch, TheBackupIsANewFileKeepingTheModeOfTheSave) {
    testing_support::Sandbox sandbox;
    namespace fs = std::filesystem;
    const fs::path file = sandbox.folder() / "Zenkor2024.ini";
    sandbox.writeFile("Zenkor2024.ini", "[ButA]\r\n0=1\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    sandbox.writeFile("other.ini", "other");
    fs::create_hard_link(sandbox.folder() / "other.ini", sandbox.folder() / "Zenkor2024.ini.bak");
    {
        IniWriteBatch batch("Zenkor2024");
        EXPECT_TRUE(WriteIni("Zenkor2024", "ButA", "0", "2"));
        ASSERT_TRUE(batch.commit());
    }
    EXPECT_EQ(sandbox.readFile("other.ini"), "other");
    EXPECT_EQ(sandbox.readFile("Zenkor2024.ini.bak"), "[ButA]\r\n0=1\r\n");
    EXPECT_EQ(fs::status(sandbox.folder() / "Zenkor2024.ini.bak").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "0"), "2");
}
