// Resolving the names a project asks for: resources, clipboard, command line, container, project folder.
#include "ShellTestSupport.h"

#include "core/LogoException.h"
#include "shell/ProjectFiles.h"
#include "shell/StartMode.h"

namespace zembrio::test {
namespace {

enum class Mode { embedded, package, plain };

// Either the bytes that come back or the error raised and its culprit.
struct Outcome {
    std::string text;
    int error = -1;
};

Outcome ok(std::string text) { return {std::move(text), -1}; }
Outcome fails(errorConst error, std::string culprit = "") { return {std::move(culprit), error}; }

class ProjectFiles : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        writeFile(dir / "app", containerFile({{"?project.zbp", bytesOf("P")},
                                              {"Pic.png", bytesOf("PNG")},
                                              {"both.txt", bytesOf("from container")}}));
        writeFile(dir / "disk.txt", bytesOf("DISK"));
        writeFile(dir / "both.txt", bytesOf("from disk"));
        writeFile(dir / "plain.zbp", bytesOf("PLAIN"));
    }

    void enter(Mode mode)
    {
        resetState();
        gStartup.projectDirectory = folder();
        if (mode == Mode::plain) {
            gStartup.commandLineProjectPath = path("plain.zbp");
            return;
        }
        gStartup.embedded = mode == Mode::embedded;
        gStartup.package = mode == Mode::package;
        openContainer(path("app"), true);
    }

    static Outcome attempt(const std::string& name)
    {
        try {
            auto stream = openProjectFile(name);
            EXPECT_EQ(stream->Position(), 0);
            std::string text(static_cast<size_t>(stream->Size()), '\0');
            stream->ReadBuffer(text.data(), text.size());
            return ok(text);
        } catch (const eLogoException& e) {
            std::string culprit;
            if (e.culprit)
                e.culprit->AsText(culprit);
            return fails(e.number, culprit);
        }
    }
};

TEST_F(ProjectFiles, Resolution)
{
    struct Case {
        Mode mode;
        std::string name;
        Outcome expected;
    } cases[] = {
        {Mode::embedded, "pic.png", ok("PNG")},
        {Mode::embedded, "any/dir/PIC.PNG", ok("PNG")},
        {Mode::embedded, "C:\\projects\\pic.png", ok("PNG")},
        {Mode::embedded, "?project.zbp", ok("P")},
        {Mode::embedded, "both.txt", ok("from container")}, // the container comes before the folder
        {Mode::embedded, "disk.txt", ok("DISK")},
        {Mode::embedded, "elsewhere/disk.txt", ok("DISK")},
        {Mode::embedded, "nope.txt", fails(erNoEmbeddedFileEXE, "nope.txt")},
        {Mode::embedded, "dir/nope.txt", fails(erNoEmbeddedFileEXE, "nope.txt")},
        {Mode::embedded, "dir/", fails(erNoEmbeddedFileEXE, "")},
        {Mode::embedded, "*lib.txt", fails(erFileName, "lib.txt")},
        {Mode::embedded, "*project.zbp", fails(erFileName, "project.zbp")},
        {Mode::embedded, "dir/*params.txt", fails(erFileName, "params.txt")}, // never the container's entry
        {Mode::embedded, "clipboard", fails(erClipboard)},
        {Mode::embedded, "ClipBoard", fails(erClipboard)},
        {Mode::package, "pic.png", ok("PNG")},
        {Mode::package, "disk.txt", ok("DISK")},
        {Mode::package, "nope.txt", fails(erNoEmbeddedFilePlugin, "nope.txt")},
        {Mode::plain, "", ok("PLAIN")}, // the command-line path itself, filled in below
        {Mode::plain, "plain.zbp", ok("PLAIN")},
        {Mode::plain, "disk.txt", ok("DISK")},
        {Mode::plain, "pic.png", fails(erNoEmbeddedFilePlugin, "pic.png")},
        {Mode::plain, "clipboard", fails(erClipboard)},
    };
    for (auto& c : cases) {
        enter(c.mode);
        const std::string name = c.name.empty() ? gStartup.commandLineProjectPath : c.name;
        SCOPED_TRACE(name);
        const Outcome got = attempt(name);
        EXPECT_EQ(got.error, c.expected.error);
        EXPECT_EQ(got.text, c.expected.text);
    }
}

TEST_F(ProjectFiles, OtherFailuresAreFileProblems)
{
    enter(Mode::plain);
    gStartup.commandLineProjectPath = path("gone.zbp");
    Outcome got = attempt(path("gone.zbp"));
    EXPECT_EQ(got.error, erFileProblem);
    EXPECT_EQ(got.text, path("gone.zbp"));

    // The directory names an entry, but the container file has vanished since.
    enter(Mode::embedded);
    std::filesystem::remove(dir / "app");
    got = attempt("sub/pic.png");
    EXPECT_EQ(got.error, erFileProblem);
    EXPECT_EQ(got.text, "sub/pic.png");
}

TEST(ProjectFileNames, Parts)
{
    struct Case {
        std::string_view name, file, extension;
    } cases[] = {
        {"a.png", "a.png", ".png"},
        {"/x/y/a.b.wav", "a.b.wav", ".wav"},
        {"x\\y\\song.mid", "song.mid", ".mid"},
        {"dir/", "", ""},
        {"noext", "noext", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileNamePart(c.name), c.file) << c.name;
        EXPECT_EQ(fileExtension(fileNamePart(c.name)), c.extension) << c.name;
    }
}

TEST(ProjectFileNames, Resources)
{
    struct Case {
        std::string_view starName, name, type;
    } cases[] = {
        {"*project.zbp", "*project", "ZBP"},
        {"*logolib.txt", "logolib", "TXT"},
        {"*dict.cz.lng", "dict", "CZ.LNG"},
        {"*turtle", "turtle", "ZBP"},
    };
    for (const auto& c : cases) {
        const tResourceName res = resourceNameOf(c.starName);
        EXPECT_EQ(res.name, c.name) << c.starName;
        EXPECT_EQ(res.type, c.type) << c.starName;
    }
}

} // namespace
} // namespace zembrio::test
