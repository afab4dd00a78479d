// The main object: root of the object world, owner of the global method table (every global primitive
// and top-level procedure), the global variables and the output stream; the current object of every
// process when it starts.
#pragma once

#include "core/LogoObject.h"
#include "core/MethodTable.h"
#include "core/VariableTables.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zembrio {

class tStream;

class tMainLogoObject : public tlogoobject {
public:
    tMainLogoObject(); // builds the tables and registers the global primitives
    ~tMainLogoObject() override;

    const char* ClassName() const override { return "main"; }

    tLogoVarTab& ownVariables() { return m_ownVariables; }

    // Printed text goes here; without a stream it is dropped.
    tStream* outputStream() const { return m_output.get(); }
    void setOutputStream(std::unique_ptr<tStream> stream);
    void write(std::string_view text);

    // Milliseconds since the timer was started; an unknown name starts a new timer now.
    int64_t timerElapsed(const std::string& name);
    void resetTimer(const std::string& name);

    uint8_t defaultLoadOptions = 3; // startup and erased

    // Empties the project: user procedures and variables go, built-ins stay.
    void Reset();

private:
    struct tTimer {
        std::string name;
        int64_t start;
    };
    void initialiseTables();

    tLogoVarTab m_ownVariables;
    std::unique_ptr<tStream> m_output;
    std::vector<tTimer> m_timers;
};

// The one main object, or nullptr before start-up made it.
tMainLogoObject* mainObject();

} // namespace zembrio
