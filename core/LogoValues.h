// The plain values: words held as text, integers, reals, booleans and list cells.
#pragma once

#include "core/LogoObject.h"

#include <string>
#include <string_view>

namespace zembrio {

class tLogoWord : public tlogoobject {
public:
    ~tLogoWord() override;
    bool IsWord() const override { return true; }
    uint32_t AsNameCode() override;
    tCompiledArray* Compile(uint8_t mode) override;
    void ForEach(uint32_t variable, tlogoobject* instructions) override; // once per character

protected:
    // Forget the name code and the compiled text: the text changed.
    void clearWordCaches();

private:
    uint32_t m_nameCode = 0;
    uint32_t m_nameGeneration = 0;
    tCompiledArray* m_compiled = nullptr; // counted
    uint8_t m_compileMode = 0;
};

// A word held as text; its numeric and boolean meanings are worked out on first use and cached.
class tLogoString final : public tLogoWord {
public:
    static constexpr tValueClass kClass = tValueClass::string;
    explicit tLogoString(std::string text = {});
    void InitMethodTable() override;

    const std::string& text() const { return m_text; }
    void setText(std::string text); // clears every cached interpretation
    void assignText(std::string_view text); // the same, reusing the text's buffer
    void clearText(size_t keepBytes);       // empties it; keeps a buffer of up to keepBytes for reuse

    void FreeValue() override;
    tlogoobject* Clone() override;
    bool IsAnyWord() override;
    bool IsNumber() override;
    bool IsBool() override;
    bool IsInteger() override;
    int32_t AsIntegerInRange(int32_t min, int32_t max) override;
    int32_t AsInteger() override;
    long double AsReal() override;
    void PrintForm(bool inList, std::string& out) override;
    void SourceForm(bool inList, std::string& out) override;
    void AsText(std::string& out) override { out = m_text; }
    bool AsBool() override;
    bool IsEmpty() override { return m_text.empty(); }
    bool IsEqual(tlogoobject* other) override;
    bool IsEqualExact(tlogoobject* other) override;
    bool AssignInPlace(tlogoobject* other) override;
    const char* ClassName() const override { return "word"; }

    // Cached numeric interpretation (valid after IsNumber()).
    bool isIntegerText() { return IsNumber() && m_isInteger; }
    int32_t integerValue() { return m_intValue; }
    long double realValue() { return m_realValue; }
    bool boolValue() { return IsBool() && m_boolValue; }

private:
    void parse();
    void clearCaches();

    std::string m_text;
    bool m_parsed = false;
    bool m_isNumber = false;
    bool m_isInteger = false;
    bool m_boolChecked = false;
    bool m_isBool = false;
    long double m_realValue = 0;
    int32_t m_intValue = 0;
    bool m_boolValue = false;
};

// A word that is a number; keeps its printed text once made (or the source spelling it was read from).
class tlogonumber : public tLogoWord {
public:
    bool IsNumber() override { return true; }
    void PrintForm(bool inList, std::string& out) override;
    void SourceForm(bool inList, std::string& out) override;
    void AsText(std::string& out) override;
    bool IsEmpty() override { return false; }

    // Keep the spelling the reader saw ("007", "1.50") as the printed form.
    void setSourceText(std::string_view text);
    bool hasSourceText() const { return m_fromSource; }

protected:
    void clearText()
    {
        clearWordCaches();
        m_textValid = false;
        m_fromSource = false;
        m_text.clear();
    }
    virtual void makeText(std::string& out) = 0; // canonical printed form
    const std::string& cachedText();

private:
    bool m_textValid = false;
    bool m_fromSource = false;
    std::string m_text;
};

class tLogoInt final : public tlogonumber {
public:
    static constexpr tValueClass kClass = tValueClass::integer;
    explicit tLogoInt(int32_t value = 0) : m_value(value)
    {
        valueClass = kClass;
        InitMethodTable();
    }
    void InitMethodTable() override;
    int32_t value() const { return m_value; }
    void reset(int32_t value)
    {
        m_value = value;
        clearText();
    }

    void FreeValue() override;
    tlogoobject* Clone() override;
    bool IsInteger() override { return true; }
    int32_t AsIntegerInRange(int32_t min, int32_t max) override;
    int32_t AsInteger() override { return m_value; }
    long double AsReal() override { return m_value; }
    bool AsBool() override { return m_value > 0; }
    bool IsEqual(tlogoobject* other) override;
    bool AssignInPlace(tlogoobject* other) override;
    const char* ClassName() const override { return "integer"; }

protected:
    void makeText(std::string& out) override;

private:
    int32_t m_value;
};

class tLogoReal final : public tlogonumber {
public:
    static constexpr tValueClass kClass = tValueClass::real;
    explicit tLogoReal(long double value = 0) : m_value(value)
    {
        valueClass = kClass;
        InitMethodTable();
    }
    void InitMethodTable() override;
    long double value() const { return m_value; }
    void reset(long double value)
    {
        m_value = value;
        clearText();
    }

    void FreeValue() override;
    tlogoobject* Clone() override;
    bool IsInteger() override;
    int32_t AsIntegerInRange(int32_t min, int32_t max) override;
    int32_t AsInteger() override;
    long double AsReal() override { return m_value; }
    bool AsBool() override;
    void SourceForm(bool inList, std::string& out) override;
    bool IsEqual(tlogoobject* other) override;
    bool AssignInPlace(tlogoobject* other) override;
    const char* ClassName() const override { return "real"; }

protected:
    void makeText(std::string& out) override;

private:
    long double m_value;
};

// A boolean derives from the number class but is not a number.
class tLogoBool final : public tlogonumber {
public:
    static constexpr tValueClass kClass = tValueClass::boolean;
    explicit tLogoBool(bool value = false) : m_value(value)
    {
        valueClass = kClass;
        InitMethodTable();
    }
    void InitMethodTable() override;
    bool value() const { return m_value; }
    void reset(bool value)
    {
        m_value = value;
        clearText();
    }

    void FreeValue() override;
    tlogoobject* Clone() override;
    bool IsNumber() override { return false; }
    bool IsBool() override { return true; }
    bool AsBool() override { return m_value; }
    void PrintForm(bool inList, std::string& out) override;
    void SourceForm(bool inList, std::string& out) override;
    void AsText(std::string& out) override;
    bool IsEqual(tlogoobject* other) override;
    bool AssignInPlace(tlogoobject* other) override;
    const char* ClassName() const override { return "boolean"; }

protected:
    void makeText(std::string& out) override;

private:
    bool m_value;
};

// One list cell. A list is a chain of cells; the empty list is one cell whose first is nil.
// Cells are shared (butfirst returns the existing rest), so nothing mutates a cell another list can see.
class tLogoList final : public tlogoobject {
public:
    static constexpr tValueClass kClass = tValueClass::list;
    tLogoList()
    {
        valueClass = kClass;
        InitMethodTable();
    }
    ~tLogoList() override;
    void InitMethodTable() override;

    tlogoobject* first() const { return m_first; }
    tLogoList* rest() const { return m_rest; }
    // Counted stores, for building fresh cells that nobody else sees yet.
    void setFirst(tlogoobject* item) { assignRef(m_first, item); }
    void setRest(tLogoList* cell);

    // Set by Clone: the last cell of the copy just made (not counted; valid until the copy changes).
    tLogoList* lastCopyCell = nullptr;

    void FreeValue() override;
    tlogoobject* Clone() override;
    bool IsList() const override { return true; }
    void PrintForm(bool inList, std::string& out) override;
    void SourceForm(bool inList, std::string& out) override;
    bool IsEmpty() override { return m_first == nullptr; }
    bool IsEqual(tlogoobject* other) override;
    tCompiledArray* Compile(uint8_t mode) override;
    void ForEach(uint32_t variable, tlogoobject* instructions) override; // once per item
    const char* ClassName() const override { return "list"; }

    int32_t count() const;

    static void* operator new(std::size_t size);
    static void operator delete(void* block);

private:
    // Frees cells without recursion: a released cell is queued and freed by the outermost call.
    static void freeIteratively(tLogoList* cell);

    tlogoobject* m_first = nullptr;
    tLogoList* m_rest = nullptr;
    tCompiledArray* m_compiled = nullptr; // counted
    uint8_t m_compileMode = 0;
};

// Appends items to a fresh list in order; the list is finished by take().
class tListBuilder {
public:
    tListBuilder();
    void append(tlogoobject* item);
    tRef<tLogoList> take();

private:
    tRef<tLogoList> m_head;
    tLogoList* m_tail; // last cell so far; the next item's cell hangs here
};

// The value as T when it is exactly a T (every plain value class is final), else nullptr.
template <class T>
T* valueCast(tlogoobject* value)
{
    return value && value->valueClass == T::kClass ? static_cast<T*>(value) : nullptr;
}

} // namespace zembrio
