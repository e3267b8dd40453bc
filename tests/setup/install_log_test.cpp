// The install log setup writes and the uninstaller reads, and the closing
// message that names what stayed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install_log.h"
#include "removal_report.h"

namespace {

std::string Normalised(const char* path)
{
    char out[INSTALL_LOG_PATH_SIZE];
    return NormaliseLogPath(path, out, sizeof out) ? std::string(out) : std::string("<refused>");
}

TEST(InstallLog, PathsAreFullAndWrittenOneWay)
{
    const struct {
        const char* path;
        const char* logged;
    } cases[] = {
        {"c:\\Program Files\\Corvane Software\\Arcseal3", "c:\\Program Files\\Corvane Software\\Arcseal3"},
        {"C:\\x\\\\Help\\\\index.htm", "C:\\x\\Help\\index.htm"},
        {"D:\\x\\", "D:\\x"},
        {"\\\\server\\share\\Start Menu\\\\x", "\\\\server\\share\\Start Menu\\x"},
        {"c:\\", "<refused>"},
        {"c:\\\\", "<refused>"},
        {"\\\\server\\share", "<refused>"},
        {"\\\\server\\share\\", "<refused>"},
        {"c:x", "<refused>"},
        {"\\x", "<refused>"},
        {"x\\y", "<refused>"},
        {"", "<refused>"},
        {"c:\\a\\..\\Windows", "<refused>"},
        {"c:\\a\\.\\b", "<refused>"},
        {"c:\\a\\nul", "<refused>"},
        {"c:\\a|b", "<refused>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Normalised(c.path), c.logged) << c.path;
    EXPECT_EQ(Normalised(("c:\\" + std::string(INSTALL_LOG_PATH_SIZE, 'a')).c_str()), "<refused>");
    EXPECT_EQ(Normalised(nullptr), "<refused>");

    char path[64];
    ASSERT_TRUE(InstallLogPath("c:\\Arcseal3\\\\", path, sizeof path));
    EXPECT_STREQ(path, "c:\\Arcseal3\\arcs3install.log");
    EXPECT_FALSE(InstallLogPath("c:\\Arcseal3", path, 20));
}

std::vector<std::string> Entries(const InstallLog& log)
{
    std::vector<std::string> entries;
    InstallLogEntry entry;
    for (size_t at = 0; NextInstallLogEntry(log.text, log.length, &at, &entry);)
        entries.push_back(std::string(1, entry.kind) + " " + entry.path);
    return entries;
}

TEST(InstallLog, EntriesAreKeptOnceInTheirOrder)
{
    InstallLog log;
    ASSERT_TRUE(InitInstallLog(&log));
    EXPECT_EQ(std::string(log.text), "Arcseal3 install log\r\n");
    EXPECT_TRUE(AddInstallLogEntry(&log, INSTALL_LOG_FOLDER, "c:\\A"));
    EXPECT_TRUE(AddInstallLogEntry(&log, INSTALL_LOG_FILE, "c:\\A\\\\a.exe"));
    EXPECT_TRUE(AddInstallLogEntry(&log, INSTALL_LOG_FILE, "C:\\a\\A.EXE")) << "already there, in other letters";
    EXPECT_TRUE(AddInstallLogEntry(&log, INSTALL_LOG_FOLDER, "c:\\A\\Help\\"));
    EXPECT_FALSE(AddInstallLogEntry(&log, INSTALL_LOG_FILE, "c:\\"));
    EXPECT_FALSE(AddInstallLogEntry(&log, 'X', "c:\\A\\b"));
    EXPECT_EQ(std::string(log.text), "Arcseal3 install log\r\nD c:\\A\r\nF c:\\A\\a.exe\r\nD c:\\A\\Help\r\n");

    // A second installation keeps the first one's entries first.
    InstallLog second;
    ASSERT_TRUE(InitInstallLog(&second));
    EXPECT_TRUE(MergeInstallLog(&second, log.text, log.length));
    EXPECT_TRUE(AddInstallLogEntry(&second, INSTALL_LOG_FILE, "c:\\A\\a.exe"));
    EXPECT_TRUE(AddInstallLogEntry(&second, INSTALL_LOG_FILE, "c:\\A\\b.exe"));
    EXPECT_EQ(Entries(second), (std::vector<std::string>{"D c:\\A", "F c:\\A\\a.exe", "D c:\\A\\Help",
                                                         "F c:\\A\\b.exe"}));
    EXPECT_FALSE(MergeInstallLog(&second, "not a log\r\nF c:\\A\\x", 22));
    FreeInstallLog(&log);
    FreeInstallLog(&second);
}

TEST(InstallLog, DamagedLinesAreSkipped)
{
    const std::string text = "Arcseal3 install log\nF c:\\A\\a.exe\n\nF c:\\..\\x\nQ c:\\A\\q\nFc:\\A\\b\nD \n"
                             "F c:\\A\\" + std::string(300, 'l') + "\r\n" + std::string("F c:\\A\\n\0ul\r\n", 13) +
                             "D c:\\A\r\nF c:\\A\\last";
    EXPECT_TRUE(IsInstallLog(text.data(), text.size()));
    EXPECT_FALSE(IsInstallLog("Arcseal3 install log 2\r\n", 24));
    EXPECT_FALSE(IsInstallLog("", 0));
    InstallLog log{const_cast<char*>(text.data()), text.size(), text.size()};
    EXPECT_EQ(Entries(log), (std::vector<std::string>{"F c:\\A\\a.exe", "D c:\\A", "F c:\\A\\last"}));
}

TEST(RemovalReport, ClosingMessageNamesWhatStayedAndWhy)
{
    RemovalReport report;
    InitRemovalReport(&report);
    char message[REPORT_TEXT_SIZE];
    ClosingMessage(&report, message, sizeof message);
    EXPECT_STREQ(message, "Arcseal3 has been removed from your computer");

    AddLeftItem(&report, "c:\\A\\a.exe", LEFT_IN_USE);
    AddLeftItem(&report, "c:\\A\\b.gif", LEFT_READ_ONLY);
    AddLeftItem(&report, "c:\\A\\Help", LEFT_NOT_EMPTY);
    AddLeftItem(&report, "c:\\A", LEFT_NOT_EMPTIED);
    AddLeftItem(&report, "c:\\A\\arcs3uninst.exe", LEFT_AT_RESTART);
    ClosingMessage(&report, message, sizeof message);
    EXPECT_STREQ(message, "Not all of Arcseal3 could be removed from your computer. These stayed:\r\n\r\n"
                          "c:\\A\\a.exe (in use)\r\n"
                          "c:\\A\\b.gif (read-only)\r\n"
                          "c:\\A\\Help (holds files Arcseal3 did not install)\r\n"
                          "c:\\A (not everything in it could be deleted)\r\n"
                          "c:\\A\\arcs3uninst.exe (in use; Windows deletes it when it next starts)");

    // More than one message holds: counted at its end.
    InitRemovalReport(&report);
    const std::string longPath = "c:\\" + std::string(200, 'p');
    for (int i = 0; i < 10; ++i)
        AddLeftItem(&report, longPath.c_str(), LEFT_IN_USE);
    ClosingMessage(&report, message, sizeof message);
    std::string text = message;
    EXPECT_LT(text.size(), sizeof message);
    EXPECT_EQ(text.substr(text.size() - 10), "and 6 more");
}

}  // namespace
