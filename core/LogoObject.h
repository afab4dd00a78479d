// The root of every Logo value and object: reference counting and the virtual operations all values answer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace zembrio {

class tLogoTab;        // method table: name code -> descriptor
class tTabDesc;        // what a name stands for
struct tCompiledArray; // a list or word compiled for running
struct tSaveContext;   // one save of variables and procedures as text

// Reference-counted heap base. Counts start at 0; whoever stores a reference adds one.
// Touched only under the global interpreter lock.
// The exact class of a plain value, so that hot paths can tell values apart without dynamic_cast.
enum class tValueClass : uint8_t { other, string, integer, real, boolean, list };

class TheapObject {
public:
    int32_t refCount = 0;
    uint8_t pooled = 0; // belongs to a value pool and goes back to it instead of being freed
    tValueClass valueClass = tValueClass::other; // set by the plain values' constructors

    TheapObject() = default;
    TheapObject(const TheapObject&) = delete;
    TheapObject& operator=(const TheapObject&) = delete;
    virtual ~TheapObject() = default;
};

// ORDER tlogoobject-slots: the operations below keep the order of the value model's slot table
// (0 FreeValue … 34 EnumProcs). Keep every copy of this order in step.
class tlogoobject : public TheapObject {
public:
    tLogoTab* methodTable = nullptr; // primitives this value answers; shared, never freed by the value

    virtual void FreeValue();                               // 0
    virtual tlogoobject* Clone();                           // 1
    virtual bool IsList() const { return false; }           // 2
    virtual bool IsImage() const { return false; }          // 3
    virtual bool IsWord() const { return false; }           // 4
    virtual bool IsAnyWord() { return false; }              // 5
    virtual bool IsNumber() { return false; }               // 6
    virtual bool IsBool() { return false; }                 // 7
    virtual bool IsInteger() { return false; }              // 8
    virtual int32_t AsIntegerInRange(int32_t min, int32_t max); // 9
    virtual int32_t AsInteger();                            // 10
    virtual long double AsReal();                           // 11
    virtual int32_t AsColour();                             // 12
    virtual void PrintForm(bool inList, std::string& out);  // 13: appends
    virtual void SourceForm(bool inList, std::string& out); // 14: appends
    virtual void AsText(std::string& out);                  // 15: replaces
    virtual uint32_t AsNameCode();                          // 16
    virtual tCompiledArray* Compile(uint8_t mode);          // 17
    virtual bool AsBool();                                  // 18
    virtual bool IsEmpty() { return false; }                // 19
    virtual bool IsEqual(tlogoobject* other);               // 20
    virtual bool IsEqualExact(tlogoobject* other) { return IsEqual(other); } // 21
    virtual bool IsNotEqual(tlogoobject* other) { return !IsEqual(other); }  // 22
    virtual void InitMethodTable() { methodTable = nullptr; }                // 23
    virtual bool AssignInPlace(tlogoobject* other) { return this == other; } // 24
    virtual void ForEach(uint32_t variable, tlogoobject* instructions);      // 25
    // Name lookups; context receives the table where the name was found ("usual" continues from it).
    // Plain values (valueClass other than "other") keep the base versions: dispatchers rely on it.
    virtual tTabDesc* FindProc(uint32_t code, tLogoTab*& context);           // 26
    virtual tTabDesc* LookupProc(uint32_t code, tLogoTab*& context);         // 27
    virtual tTabDesc* LookupUsual(tLogoTab*& context, uint32_t code);        // 28
    virtual void RemoveOwnEntry(uint32_t code);                              // 29
    virtual void RemoveEntry(uint32_t code) { RemoveOwnEntry(code); }       // 30
    virtual bool FindEntry(uint32_t code, tTabDesc*& descriptor);            // 31
    virtual void SaveVariables(tSaveContext& save, bool byName);             // 32
    virtual void ChangeHook() {}                                             // 33
    virtual void EnumProcs(void (*callback)(void* data, tlogoobject* proc), void* data) // 34
    {
        (void)callback;
        (void)data;
    }

    // The class name shown by the base print form ("an instance of …").
    virtual const char* ClassName() const { return "object"; }
    // The object a name stands for, as seen from this one (object prefixes); nullptr when none.
    virtual tlogoobject* ObjectNamed(uint32_t code)
    {
        (void)code;
        return nullptr;
    }
    // Whether writing this object's name alone as an instruction runs its default action.
    virtual bool AnswersDefaultAction() { return false; }

    // The name error messages put before a procedure's name; false for values and the main window.
    virtual bool NameForErrors(std::string& out)
    {
        (void)out;
        return false;
    }

    // Print form as a fresh string (inList false): the text "print" shows.
    std::string PrintText();
};

// Reference helpers. release() frees at a count below 1.
inline void addRef(tlogoobject* o)
{
    if (o)
        ++o->refCount;
}
inline void release(tlogoobject* o)
{
    if (o && --o->refCount < 1)
        o->FreeValue();
}
// Subtract one without freeing: the caller hands the reference to someone who takes it over.
inline void dropWithoutFree(tlogoobject* o)
{
    if (o)
        --o->refCount;
}
// Store with counting: add the new, release the old. No-op when equal.
inline void assignRef(tlogoobject*& slot, tlogoobject* value)
{
    if (slot == value)
        return;
    addRef(value);
    tlogoobject* old = slot;
    slot = value;
    release(old);
}

// A counted reference held by C++ code: an exception can neither leak nor double-release it.
template <class T>
class tRef {
public:
    tRef() = default;
    tRef(T* p) : m_ptr(p) { addRef(m_ptr); }
    tRef(const tRef& o) : m_ptr(o.m_ptr) { addRef(m_ptr); }
    tRef(tRef&& o) noexcept : m_ptr(std::exchange(o.m_ptr, nullptr)) {}
    template <class U>
    tRef(const tRef<U>& o) : m_ptr(o.get()) { addRef(m_ptr); }
    // Converting a temporary takes its reference over: no count traffic, and nothing freed when the
    // temporary goes.
    template <class U>
    tRef(tRef<U>&& o) noexcept : m_ptr(o.leak()) {}
    ~tRef() { release(m_ptr); }
    tRef& operator=(tRef o) noexcept
    {
        std::swap(m_ptr, o.m_ptr);
        return *this;
    }
    // Take over a reference that somebody already counted for us.
    static tRef adopt(T* p)
    {
        tRef r;
        r.m_ptr = p;
        return r;
    }
    // Hand the counted reference to the caller.
    T* leak() { return std::exchange(m_ptr, nullptr); }
    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

using tValue = tRef<tlogoobject>;

// Gives a counted value to a caller that counts it itself straight away (a built-in's result, which the
// descriptor pushes): the count drops by one without freeing.
template <class T>
T* handOver(tRef<T> value)
{
    T* p = value.leak();
    dropWithoutFree(p);
    return p;
}

} // namespace zembrio
