// How a process talks to the user: its error reports, printed status and (for a command line) input.
#pragma once

#include <exception>
#include <string>

namespace zembrio {

class tCommander {
public:
    virtual ~tCommander() = default;
    virtual void Print(const std::string& text) = 0;
    virtual void Status(const std::string& text) = 0;
    virtual std::string ReadInput() = 0;
    virtual void ReportError(std::exception& error) = 0;
};

// Shows everything in the runtime's message dialog; there is no input to read.
class tdefaultcommander : public tCommander {
public:
    void Print(const std::string& text) override;
    void Status(const std::string&) override {}
    std::string ReadInput() override; // erNoTextInput
    void ReportError(std::exception& error) override;
};

// The caption and text of an error report: the message formatted once, an empty line after its first line.
struct tErrorReport {
    std::string caption;
    std::string text;
};
tErrorReport describeError(std::exception& error);

// The one default commander, made at start-up.
tdefaultcommander& defaultCommander();

} // namespace zembrio
