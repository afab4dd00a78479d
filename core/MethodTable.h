// Method tables: name code -> descriptor, by array index. Every value and object reaches its primitives,
// procedures and variables through one.
#pragma once

#include "core/NameTable.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace zembrio {

class tTabDesc;
class tlogoobject;
struct tSaveContext;

// Descriptor flag bits.
inline constexpr uint8_t kDescNotSaved = 1;
inline constexpr uint8_t kDescDoNotSave = 4; // set by the project services, cleared by a new value
inline constexpr uint8_t kDescSystem = 8;    // registered with the built-in vocabulary; survives RemoveAllUser
inline constexpr uint8_t kDescHidden = 16;
inline constexpr uint8_t kDescBuried = 32;

class tLogoTab {
public:
    explicit tLogoTab(tlogoobject* owner = nullptr, bool shared = false);
    virtual ~tLogoTab();
    tLogoTab(const tLogoTab&) = delete;
    tLogoTab& operator=(const tLogoTab&) = delete;

    // ORDER tLogoTab-slots
    virtual void DeleteAt(uint32_t index);                                      // 0
    virtual tTabDesc* Find(tNameCode code);                                     // 1
    tTabDesc* Lookup(tNameCode code) const                                      // 2 (the hot path)
    {
        const uint32_t i = code - m_low;
        return i < m_entries.size() ? m_entries[i] : nullptr;
    }
    virtual void NotFoundOnRemove(tNameCode code); // 3: raises
    virtual void NotFound(tNameCode code);         // 4: raises
    virtual void SaveAll(tSaveContext& save, bool byName, int kind);            // 5
    virtual void RemoveAllUser(tNameCode except);                               // 6
    virtual void EnumProcs(const std::function<void(tTabDesc*)>& callback);     // 7

    // Adds (replacing and destroying an entry of the same code) and links it at the end of the chain.
    void Add(tTabDesc* desc);
    // Destroys every entry, built-in or not (the codes they were made for are gone).
    void Clear();
    void Remove(tNameCode code);
    bool RemoveIfPresent(tNameCode code);
    bool IndexOf(tNameCode code, uint32_t& index) const;
    void ForEach(const std::function<void(tTabDesc*)>& callback) const;      // code order
    void ForEachInOrder(const std::function<void(tTabDesc*)>& callback);     // insertion order
    tTabDesc* FindByText(std::string_view name);
    tTabDesc* LookupByText(std::string_view name) const;
    bool SetHidden(std::string_view name, bool on); // returns the previous mark
    bool SetBuried(std::string_view name, bool on);

    bool shared() const { return m_shared; }
    tlogoobject* owner() const { return m_owner; }
    uint32_t lowBound() const { return m_low; }
    uint32_t highBound() const { return m_low + static_cast<uint32_t>(m_entries.size()) - 1; }
    bool empty() const { return m_first == nullptr; }

    std::string caption; // listing caption

protected:
    // Unlinks the descriptor from the chain and the array without destroying it.
    void detach(tTabDesc* desc);

private:
    void growFor(tNameCode code);
    bool setMark(std::string_view name, uint8_t bit, bool on);

    std::vector<tTabDesc*> m_entries; // index = code - m_low
    bool m_shared;
    uint32_t m_low = 1;
    tTabDesc* m_first = nullptr; // insertion-order chain
    tTabDesc* m_last = nullptr;
    tlogoobject* m_owner;
    std::mutex m_chainLock; // the listing code of other threads walks the chain
};

// Whether descriptors created now belong to the built-in vocabulary (start-up registration).
void setRegisteringBuiltins(bool on);
bool registeringBuiltins();

} // namespace zembrio
