#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <map>

// An identifier in two groups would make one of the texts unreachable.
TEST(StringTable, EveryIdentifierStandsOnceAndFindsItsOwnText)
{
    std::map<UINT, int> groupOf;
    int groupIndex = 0;
    for (StringGroup group : StringTableGroups()) {
        UINT previous = 0;
        for (const StringResource& entry : group()) {
            EXPECT_GT(entry.id, previous) << "group " << groupIndex << " is not sorted at " << entry.id;
            previous = entry.id;
            const auto [it, fresh] = groupOf.emplace(entry.id, groupIndex);
            EXPECT_TRUE(fresh) << entry.id << " stands in groups " << it->second << " and " << groupIndex;
            EXPECT_EQ(FindResourceString(entry.id), entry.text) << entry.id;
        }
        ++groupIndex;
    }
    EXPECT_FALSE(groupOf.empty());
    EXPECT_EQ(FindResourceString(1), nullptr);
}
