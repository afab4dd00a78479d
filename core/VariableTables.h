// Variable tables: global variables, and each process's local table with dynamic scope by shallow binding
// (the table always holds the current binding of every local name; a save stack restores outer ones).
#pragma once

#include "core/Descriptors.h"

#include <vector>

namespace zembrio {

class tLogoStack;

class tLogoVarTab : public tLogoTab {
public:
    explicit tLogoVarTab(tlogoobject* owner = nullptr) : tLogoTab(owner) {}

    void NotFoundOnRemove(tNameCode code) override; // erNoVal

    // ORDER tLogoVarTab-slots (after those of tLogoTab)
    virtual void SetValue(tNameCode code, tlogoobject* value, uint8_t flags = 0); // 8
    virtual void SetValueNew(tNameCode code, tlogoobject* value);                 // 9
    virtual void SetIfChanged(tNameCode code, tlogoobject* value);                // 10
    virtual tlogoobject* GetValue(tNameCode code);                                // 11: erNoVal
    virtual tlogoobject* PeekValue(tNameCode code);                               // 12

protected:
    virtual tLogoVarDesc* newEntry(tNameCode code) { return new tLogoVarDesc(code); }
};

class tLogoGlobalVarTab : public tLogoVarTab {
public:
    explicit tLogoGlobalVarTab(tlogoobject* owner = nullptr);

protected:
    tLogoVarDesc* newEntry(tNameCode code) override { return new tlogoglobalvardesc(code); }
};

// The global variables of the program (held by the main object).
tLogoGlobalVarTab& globalVariables();

class tLogoLocaltab : public tLogoVarTab {
public:
    tLogoLocaltab() = default;
    ~tLogoLocaltab() override;

    // Local binding first, else the global variable.
    tlogoobject* GetValue(tNameCode code) override;
    tlogoobject* PeekValue(tNameCode code) override;
    // Assignment to a name with no local binding sets (or creates) the global variable.
    void SetValue(tNameCode code, tlogoobject* value, uint8_t flags = 0) override;

    // Binds the names, last to first, to values popped off the stack, in a new frame.
    void PushFrame(tLogoStack& stack, const tNameCode* names, int32_t count);
    // A tail call: rebinds in the current frame instead of pushing one.
    void RebindFrame(tLogoStack& stack, const tNameCode* names, int32_t count);
    void PopFrame();
    // An empty frame: the scope of a top-level run, so its locals vanish when it ends.
    void PushEmptyFrame();

    void MakeLocal(tNameCode code, tlogoobject* value); // erWrongPlace without a frame
    void MakeLocalOnce(tNameCode code, tlogoobject* value);
    void Unbind(tNameCode code);
    void Erase(tNameCode code);
    // A new table holding, in one frame, a copy of every binding visible here.
    tLogoLocaltab* Duplicate();

    bool hasFrame() const { return m_frameStart >= 0; }
    int32_t totalEntries() const { return static_cast<int32_t>(m_saved.size()); }

private:
    // A saved binding: the value the name had before this frame bound it (counted), or absent.
    // A frame is a marker entry (code 0, holding where the previous frame starts) and one entry per name.
    struct tSaved {
        tNameCode code;
        tlogoobject* value;
        bool absent;
        int32_t previousFrameStart; // markers only
    };

    void bind(tNameCode code, tlogoobject* value); // value: a counted reference handed over
    bool boundInCurrentFrame(tNameCode code) const;
    void restore(tSaved& saved);
    tLogoVarDesc* anyEntry(tNameCode code) const;   // the entry, bound or kept from an ended binding
    tLogoVarDesc* localEntry(tNameCode code) const; // the current binding, or nullptr
    // The entry, made when there is none yet (existing: what anyEntry found), now bound.
    tLogoVarDesc* entryToBind(tNameCode code, tLogoVarDesc* existing);
    void unbindEntry(tLogoVarDesc* entry);

    std::vector<tSaved> m_saved;
    int32_t m_frameStart = -1; // index of the current frame's marker; -1: no frame
};

} // namespace zembrio
