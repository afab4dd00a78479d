// The real runtime in a test: a language's dictionary, the vocabulary, the main object with every
// registered family, and Logo text loaded as a project text. Output and errors are collected.
#pragma once

#include "core/ErrorConst.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zembrio {
class tMainLogoObject;
class tMemoryStream;
}

namespace zembrio::testing {

struct tRunResult {
    std::string output;                  // printed text, line ends as line feeds
    std::optional<errorConst> error;     // the error that stopped the text
    std::string message;                 // its formatted message
    std::string culprit;                 // #h
    std::string primitive;               // #p
};

class tRuntimeWorld {
public:
    explicit tRuntimeWorld(std::string_view language = "english");
    ~tRuntimeWorld();

    // Loads the text as a project text (instructions separated by empty lines, "to" … "end") in a
    // process; unless told otherwise, waits until every process it started has ended too (at most a few
    // seconds, then they are stopped).
    tRunResult run(std::string_view text, bool waitForLaunched = true);

    tMainLogoObject& main() { return *m_main; }
    // What has been printed since the last run began (processes may still be printing).
    std::string output();
    // The errors that ended processes, as their commander showed them ("caption: text").
    std::vector<std::string> reports();

private:
    std::unique_ptr<tMainLogoObject> m_main;
    tMemoryStream* m_output = nullptr; // owned by the main object
    std::unique_ptr<class tCapturingCommander> m_commander;
};

} // namespace zembrio::testing
