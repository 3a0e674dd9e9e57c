#include <gtest/gtest.h>

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
        WriteIni("Zenkor2024", "ButA", "0", "5");
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
    WriteIni("Zenkor2024", "ButA", "0", "5");
    EXPECT_FALSE(batch.commit());
}
