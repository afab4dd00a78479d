// Start mode, project directory and the parameters record.
#include "ShellTestSupport.h"

#include "shell/ParamsRecord.h"
#include "shell/StartMode.h"

#include <gmock/gmock.h>

namespace zembrio::test {
namespace {

using ::testing::HasSubstr;

class StartMode : public ShellTest {};

TEST_F(StartMode, FromTheCommandLine)
{
    writeFile(dir / "game.zkq", join(bytesOf(kPackageHeader), containerFile({{"?project.zbp", {}}}, "")));
    writeFile(dir / "plain.zbp", bytesOf("LGF project"));
    writeFile(dir / "short", bytesOf("ZKQ0"));
    struct Case {
        std::vector<std::string> args;
        bool embedded, package;
        std::string commandLineProject;
    } cases[] = {
        {{"zembrio"}, true, false, ""},
        {{"zembrio", "/GOTOEXEDIR"}, true, false, ""},
        {{"zembrio", "4711", path("game.zkq")}, false, true, ""},
        {{"zembrio", "4711", path("plain.zbp")}, false, false, path("plain.zbp")},
        {{"zembrio", "4711", path("short")}, false, false, path("short")},
        {{"zembrio", "4711", path("missing")}, false, false, path("missing")},
        {{"zembrio", "4711", path("plain.zbp"), "extra"}, false, false, path("plain.zbp")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::vector<const char*> argv;
        for (const auto& a : c.args)
            argv.push_back(a.c_str());
        resetState();
        determineStartMode(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(gStartup.embedded, c.embedded);
        EXPECT_EQ(gStartup.package, c.package);
        EXPECT_EQ(gStartup.commandLineProjectPath, c.commandLineProject);
        EXPECT_EQ(gStartup.speechEnabled, c.embedded);
    }
}

TEST_F(StartMode, NewerPackageFormatEndsTheProcess)
{
    writeFile(dir / "new.zkq", bytesOf("ZKQ02 and more"));
    const std::string p = path("new.zkq");
    const char* argv[] = {"zembrio", "1", p.c_str()};
    EXPECT_EXIT(determineStartMode(3, argv), ::testing::ExitedWithCode(1),
                HasSubstr("Plugin error: The file seems to need a newer version of Zembrio Logo Plugin than you "
                          "already have"));
}

TEST_F(StartMode, PackageOpensItsContainerAndSetsTheProjectDirectory)
{
    std::filesystem::create_directories(dir / "sub");
    writeFile(dir / "sub" / "game.zkq",
              join(bytesOf(kPackageHeader), containerFile({{"?project.zbp", bytesOf("p")}, {"a.png", {}}}, "")));
    const std::string p = path("sub/game.zkq");
    const char* argv[] = {"zembrio", "1", p.c_str()};
    initialiseStartup(3, argv);
    EXPECT_TRUE(gStartup.package);
    EXPECT_TRUE(gStartup.containerOpened);
    EXPECT_EQ(gStartup.containerPath, p);
    EXPECT_EQ(gStartup.directory.size(), 2u);
    EXPECT_EQ(gStartup.projectDirectory, folder() + "sub/");
}

TEST_F(StartMode, PlainProjectOpensNoContainer)
{
    writeFile(dir / "plain.zbp", bytesOf("project"));
    const std::string p = path("plain.zbp");
    const char* argv[] = {"zembrio", "1", p.c_str()};
    initialiseStartup(3, argv);
    EXPECT_FALSE(gStartup.containerOpened);
    EXPECT_TRUE(gStartup.directory.empty());
    EXPECT_EQ(gStartup.projectDirectory, folder());
}

TEST(DirectoryOf, EndsInOneDelimiter)
{
    EXPECT_EQ(directoryOf("/a/b/c.zbp"), "/a/b/");
    EXPECT_EQ(directoryOf("/c.zbp"), "/");
    EXPECT_EQ(directoryOf("c.zbp"), std::filesystem::current_path().string() + "/");
}

TEST(ParamsRecord, SpeechFlag)
{
    EXPECT_EQ(makeParamsRecord(false),
              (std::vector<uint8_t>{11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(makeParamsRecord(true)[13], 1);

    std::vector<uint8_t> on(15, 0);
    on[13] = 0x80;
    std::vector<uint8_t> longer(20, 0);
    longer[13] = 1;
    struct Case {
        std::vector<uint8_t> record;
        std::optional<bool> speech;
    } cases[] = {
        {{}, std::nullopt},
        {std::vector<uint8_t>(14, 1), std::nullopt}, // byte 13 present but the record is short
        {std::vector<uint8_t>(15, 0), false},
        {on, true},
        {longer, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseParamsRecord(c.record), c.speech) << c.record.size();
}

TEST_F(StartMode, ParametersFromTheContainer)
{
    std::vector<uint8_t> spoken = makeParamsRecord(true);
    struct Case {
        std::string what;
        bool embedded;
        std::vector<tContainerEntry> entries;
        bool speech;
    } cases[] = {
        {"embedded without record", true, {}, true},
        {"plug-in without record", false, {}, false},
        {"embedded, flag off", true, {{"*params.txt", makeParamsRecord(false)}}, false},
        {"plug-in, flag on", false, {{"*PARAMS.TXT", spoken}}, true},
        {"embedded, short record", true, {{"*params.txt", std::vector<uint8_t>(14, 0)}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        resetState();
        writeFile(dir / "app", containerFile(c.entries));
        gStartup.embedded = c.embedded;
        openContainer(path("app"), true);
        readParameters();
        EXPECT_EQ(gStartup.speechEnabled, c.speech);
    }
}

} // namespace
} // namespace zembrio::test
