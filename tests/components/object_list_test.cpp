#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exceptions.h"
#include "object_list.h"

using namespace korva::components;

namespace {

// Records its destruction in a shared log.
struct Tracked {
    Tracked(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    ~Tracked() { log.push_back(name); }
    std::string name;
    std::vector<std::string>& log;
};

TEST(ObjectList, OwnsWhatItHolds)
{
    std::vector<std::string> freed;
    {
        TObjectList<Tracked> list;
        EXPECT_TRUE(list.OwnsObjects());
        Tracked* a = new Tracked("a", freed);
        EXPECT_EQ(list.Add(a), 0);
        EXPECT_EQ(list.Add(new Tracked("b", freed)), 1);
        EXPECT_EQ(list.Add(nullptr), 2); // items may be null
        list.Insert(0, new Tracked("c", freed));
        list.Insert(list.Count(), new Tracked("d", freed));
        ASSERT_EQ(list.Count(), 5);
        EXPECT_EQ(list.IndexOf(a), 1);
        EXPECT_EQ(list.IndexOf(nullptr), 3);

        // Setting an item to the item it holds frees nothing.
        list.SetItem(1, a);
        EXPECT_TRUE(freed.empty());
        EXPECT_EQ(list[1]->name, "a");
        // Replacing an item frees the old one.
        list.SetItem(1, new Tracked("e", freed));
        EXPECT_EQ(freed, std::vector<std::string>{"a"});
        EXPECT_EQ(list.IndexOf(a), -1);

        list.Delete(0);
        EXPECT_EQ(freed.back(), "c");
        EXPECT_EQ(list.Count(), 4);
    }
    // The rest freed last to first on destruction: d, null, b, e.
    EXPECT_EQ(freed, (std::vector<std::string>{"a", "c", "d", "b", "e"}));
}

TEST(ObjectList, NotOwningFreesNothing)
{
    std::vector<std::string> freed;
    Tracked kept("kept", freed);
    {
        TObjectList<Tracked> list;
        list.SetOwnsObjects(false);
        list.Add(&kept);
        list.SetItem(0, nullptr);
        list.Add(&kept);
        list.Clear();
        EXPECT_EQ(list.Count(), 0);
    }
    EXPECT_TRUE(freed.empty());
}

TEST(ObjectList, IndexOutsideTheItems)
{
    std::vector<std::string> freed;
    TObjectList<Tracked> list;
    list.Add(new Tracked("a", freed));
    EXPECT_THROW(list.Items(1), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.SetItem(1, nullptr), EListError);
    try {
        list.Insert(3, new Tracked("refused", freed));
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_EQ(freed, std::vector<std::string>{"refused"}); // not leaked
    EXPECT_EQ(list.Count(), 1);
}

} // namespace
