// The programs as a user runs them: pack, run the packed runtime, list, packages, bad input.
#include "ShellTestSupport.h"

#include "shell/ExeContainer.h"
#include "shell/ParamsRecord.h"

#include <gmock/gmock.h>

#include <sys/wait.h>

namespace zembrio::test {
namespace {

using ::testing::HasSubstr;

const std::string kBin = ZEMBRIO_BIN_DIR;

struct Outcome {
    int status = -1;
    std::string out, err;
};

class Programs : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        writeFile(dir / "project.zbt", bytesOf("print [packed]\n"));
        writeFile(dir / "a.png", std::vector<uint8_t>(300, 0x89));
        writeFile(dir / "Song.wav", bytesOf("RIFF"));
    }

    static std::string quote(const std::string& arg) { return "'" + arg + "'"; }

    Outcome run(const std::string& program, const std::vector<std::string>& args)
    {
        std::string command = quote(program);
        for (const auto& a : args)
            command += " " + quote(a);
        command += " >" + quote(path("stdout")) + " 2>" + quote(path("stderr")) + " </dev/null";
        const int raw = std::system(command.c_str());
        Outcome r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        const auto out = readFile(dir / "stdout"), err = readFile(dir / "stderr");
        r.out.assign(out.begin(), out.end());
        r.err.assign(err.begin(), err.end());
        std::filesystem::remove(dir / "stdout");
        std::filesystem::remove(dir / "stderr");
        return r;
    }
    Outcome pack(const std::vector<std::string>& args) { return run(kBin + "/zembrio-pack", args); }

    // What the folder holds besides the test's own inputs: outputs and any half-written leftovers.
    std::vector<std::string> strayFiles()
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir)) {
            const std::string n = e.path().filename().string();
            if (n != "project.zbt" && n != "a.png" && n != "Song.wav" && n != "sub")
                names.push_back(n);
        }
        return names;
    }
};

const std::string kListing = "?project.zbp\t15\n*params.txt\t15\na.png\t300\nSong.wav\t4\n";

TEST_F(Programs, PackedRuntimeListsItsContainer)
{
    Outcome r = pack({"-o", path("app"), path("project.zbt"), path("a.png"), path("Song.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto mode = std::filesystem::status(dir / "app").permissions();
    EXPECT_EQ(mode & std::filesystem::perms::owner_exec, std::filesystem::perms::owner_exec);
    EXPECT_EQ(mode & std::filesystem::perms::others_exec, std::filesystem::perms::others_exec);

    r = run(path("app"), {});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kListing);

    r = pack({"--list", path("app")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kListing);

    // The packed file is the runtime followed by the container.
    const auto runtime = readFile(kBin + "/zembrio"), packed = readFile(dir / "app");
    ASSERT_GT(packed.size(), runtime.size());
    EXPECT_TRUE(std::equal(runtime.begin(), runtime.end(), packed.begin()));
}

TEST_F(Programs, SpeechFlagReachesTheRecord)
{
    for (const char* flag : {"0", "1"}) {
        ASSERT_EQ(pack({"--package", "--speech", flag, "-o", path("pkg"), path("project.zbt")}).status, 0);
        const auto bytes = readFile(dir / "pkg");
        auto directory = parseContainerDirectory(bytes);
        ASSERT_TRUE(directory);
        const tExeFilerec* params = findEntry(*directory, kParamsEntryName);
        ASSERT_NE(params, nullptr);
        auto speech = parseParamsRecord({bytes.data() + params->offset, params->size});
        EXPECT_EQ(speech, std::string(flag) == "1");
    }
}

TEST_F(Programs, PackageRunsInPlugInMode)
{
    Outcome r = pack({"--package", "-o", path("game.zkq"), path("project.zbt"), path("a.png"), path("Song.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto bytes = readFile(dir / "game.zkq");
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "ZKQ01");

    EXPECT_EQ(pack({"--list", path("game.zkq")}).out, kListing);
    r = run(kBin + "/zembrio", {"4711", path("game.zkq")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kListing);

    // A plain project in plug-in mode has no container to list.
    r = run(kBin + "/zembrio", {"4711", path("project.zbt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(Programs, DamagedContainersEndTheRuntime)
{
    ASSERT_EQ(pack({"-o", path("app"), path("project.zbt")}).status, 0);
    ASSERT_EQ(pack({"--package", "-o", path("game.zkq"), path("project.zbt")}).status, 0);
    auto app = readFile(dir / "app");
    app.resize(app.size() - 2);
    writeFile(dir / "cut", app);
    std::filesystem::permissions(dir / "cut", std::filesystem::perms::owner_all);
    auto game = readFile(dir / "game.zkq");
    game[game.size() - 8] = 0xEE; // the directory length now reaches far past the file's start
    game[game.size() - 5] = 0x7F;
    writeFile(dir / "bad.zkq", game);
    writeFile(dir / "newer.zkq", bytesOf("ZKQ02"));

    struct Case {
        std::string program;
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {path("cut"), {}, "FATAL: The file is corrupt \n"},
        {kBin + "/zembrio", {}, "FATAL: The file is corrupt \n"}, // the bare runtime carries no container
        {kBin + "/zembrio", {"1", path("bad.zkq")}, "FATAL: The file is corrupt \n"},
        {kBin + "/zembrio", {"1", path("newer.zkq")},
         "Plugin error: The file seems to need a newer version of Zembrio Logo Plugin than you already have\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program + (c.args.empty() ? "" : " " + c.args.back()));
        const Outcome r = run(c.program, c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_THAT(r.err, HasSubstr(c.message));
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(pack({"--list", path("cut")}).status, 2);
}

TEST_F(Programs, BadInputLeavesNoOutput)
{
    std::filesystem::create_directories(dir / "sub");
    writeFile(dir / "sub" / "A.PNG", bytesOf("other"));
    writeFile(dir / "*star", bytesOf("x"));
    const std::string out = path("out");
    struct Case {
        std::string what;
        std::vector<std::string> args;
    } cases[] = {
        {"missing project", {"-o", out, path("nothing.zbt")}},
        {"missing file", {"-o", out, path("project.zbt"), path("nothing.png")}},
        {"duplicate name in any case", {"-o", out, path("project.zbt"), path("a.png"), path("sub/A.PNG")}},
        {"reserved name", {"-o", out, path("project.zbt"), path("*star")}},
        {"no name", {"-o", out, path("project.zbt"), path("sub/")}},
        {"directory as file", {"-o", out, path("project.zbt"), path("sub")}},
        {"output folder missing", {"-o", path("none/out"), path("project.zbt")}},
        {"output is a folder", {"-o", path("sub"), path("project.zbt")}},
        {"runtime missing", {"--runtime", path("no-runtime"), "-o", out, path("project.zbt")}},
        {"bad speech flag", {"--speech", "2", "-o", out, path("project.zbt")}},
        {"unknown option", {"--fast", "-o", out, path("project.zbt")}},
        {"no output", {path("project.zbt")}},
        {"no project", {"-o", out}},
        {"list of nothing", {"--list", path("nothing")}},
        {"list of a non-container", {"--list", path("a.png")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome r = pack(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_THAT(r.err, ::testing::StartsWith("zembrio-pack: "));
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(strayFiles(), std::vector<std::string>{"*star"});
        EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
    }
}

TEST(Demo, IsBuiltAndRuns)
{
    const std::string demo = kBin + "/zembrio-demo";
    ASSERT_TRUE(std::filesystem::exists(demo)) << demo;
    const std::string command = "'" + demo + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, pipe))
        out.append(buf, n);
    EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 0);
    EXPECT_THAT(out, HasSubstr("?project.zbp\t"));
    EXPECT_THAT(out, HasSubstr("*params.txt\t15\n"));
}

} // namespace
} // namespace zembrio::test
