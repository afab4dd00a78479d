// The shipped English dictionaries against the code's own tables: every primitive key, property row,
// event and error identifier has its entry, so nothing can be forgotten when a table grows.
#include "core/DictionaryLookup.h"
#include "core/ErrorConst.h"
#include "shell/ApplicationDictionary.h"
#include "shell/ProjectDictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zembrio;

namespace {

// Operators are symbols, the same in every language: the dictionary format cannot hold "=" in a key.
bool isOperator(std::string_view key)
{
    for (std::string_view op : {"+", "-", "*", "/", "<", ">", "<=", ">=", "=", "<>", "<unary ->", "<unary +>"})
        if (key == op)
            return true;
    return false;
}

class EnglishDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(loadProjectDictionary("english", false));
        setApplicationLanguageHint("english");
        forgetApplicationDictionary();
    }
    void TearDown() override { unloadProjectDictionary(); }

    static void expectNames(std::string_view section, const std::vector<std::string>& keys)
    {
        for (const std::string& key : keys) {
            std::string value;
            EXPECT_TRUE(dictionary().projectText(section, key, value) && !value.empty()) << section << " " << key;
        }
    }
};

} // namespace

TEST_F(EnglishDictionaryTest, EveryPrimitiveKeyHasNames)
{
    std::vector<std::string> keys;
#define ZEMBRIO_PRIMITIVE_KEY(key)                                                                                   \
    if (!isOperator(key))                                                                                            \
        keys.push_back(key);
#include "runtime/PrimitiveCatalogue.def"
#undef ZEMBRIO_PRIMITIVE_KEY
    EXPECT_EQ(keys.size(), 369u - 12u);
    expectNames("dict", keys);
}

TEST_F(EnglishDictionaryTest, EveryPropertyAndEventHasNames)
{
    std::vector<std::string> keys;
#define ZEMBRIO_PROPERTY_ROW(row, name) keys.push_back(name);
#include "core/PropertyRows.def"
#undef ZEMBRIO_PROPERTY_ROW
#define ZEMBRIO_EVENT(name) keys.push_back(name);
#include "core/EventNames.def"
#undef ZEMBRIO_EVENT
    expectNames("dict", keys);
    expectNames("other", {"true", "false", "to", "end", "error"});
}

TEST_F(EnglishDictionaryTest, EveryErrorHasAMessage)
{
    for (int number = 0; number < kErrorCount; ++number) {
        std::string text;
        EXPECT_TRUE(lookupAppText("errors", errorIdentifier(number), text) && !text.empty()) << errorIdentifier(number);
    }
}
