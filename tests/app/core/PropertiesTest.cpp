#include <gtest/gtest.h>

#include <cstring>

#include "app/core/TKelvoProperties.h"
#include "classlib/core/Exceptions.h"

namespace {

// Counts references; the test checks the count instead of freeing.
class Counted : public IInterface {
public:
    std::int32_t _AddRef() override { return ++refs; }
    std::int32_t _Release() override { return --refs; }
    int refs = 0;
};

}  // namespace

TEST(Properties, SettingAnIdAgainReplacesInPlace) {
    TKelvoProperties p;
    p.SetInteger(3, 30);
    p.SetInteger(7, 1);
    p.SetString(9, "nine");
    p.SetDouble(7, 2.5);
    ASSERT_EQ(p.GetCount(), 3);
    EXPECT_EQ(p.GetItem(1).Id, 7);
    EXPECT_EQ(p.GetItem(1).Type, kpDouble);
    EXPECT_EQ(p.IndexOf(7), 1);
    EXPECT_EQ(p.IndexOf(8), -1);
    EXPECT_TRUE(p.Exists(9));
    double d = 0;
    EXPECT_TRUE(p.GetValue(7, &d, kpDouble, 8));
    EXPECT_EQ(d, 2.5);
    std::int32_t i = 5;
    EXPECT_FALSE(p.GetValue(7, &i, kpInteger, 4));  // other type
    EXPECT_FALSE(p.GetValue(3, &i, kpInteger, 2));  // right type, other size
    EXPECT_FALSE(p.GetValue(4, &i, kpInteger, 4));  // missing
    EXPECT_EQ(i, 5);
    std::uint32_t size = 0;
    EXPECT_TRUE(p.GetValueSize(9, size, kpString));
    EXPECT_EQ(size, 4u);
    EXPECT_FALSE(p.GetValueSize(9, size, kpInteger));
    const TKelvoPropertyItem* item = nullptr;
    EXPECT_TRUE(p.FindItem(3, item));
    EXPECT_EQ(item->Size(), 4u);
    EXPECT_THROW(p.GetItem(3), ERangeError);

    p.Delete(3);
    EXPECT_EQ(p.GetCount(), 2);
    EXPECT_EQ(p.GetItem(0).Id, 7);
    p.Delete(100);  // nothing
    p.Clear();
    EXPECT_EQ(p.GetCount(), 0);

    // Ids added out of order are found as well as ascending ones, in insertion order.
    for (std::int32_t id : {5, 2, 8, -1}) p.SetInteger(id, id * 10);
    p.SetInteger(2, 21);
    ASSERT_EQ(p.GetCount(), 4);
    EXPECT_EQ(p.IndexOf(5), 0);
    EXPECT_EQ(p.IndexOf(2), 1);
    EXPECT_EQ(p.IndexOf(-1), 3);
    EXPECT_EQ(p.IndexOf(3), -1);
    EXPECT_TRUE(p.GetValue(2, &i, kpInteger, 4));
    EXPECT_EQ(i, 21);
}

TEST(Properties, VariantsNeverReadPastShortItems) {
    TKelvoProperties p;
    p.SetInteger(1, -4);
    p.SetDouble(2, 0.5);
    p.SetString(3, "abc");
    const Byte two[2] = {1, 2};
    p.SetValue(4, kpInteger, 2, two);  // an integer type with too few bytes
    p.SetValue(5, kpDouble, 2, two);
    p.SetValue(6, 2, 2, two);              // a type the bag does not know
    p.SetValue(7, kpDouble, 16, nullptr);  // too many bytes, zero-filled
    ASSERT_EQ(p.GetAsVariant(0).VarType(), varInteger);
    EXPECT_EQ(p.GetAsVariant(0).AsInteger(), -4);
    ASSERT_EQ(p.GetAsVariant(1).VarType(), varDouble);
    EXPECT_EQ(p.GetAsVariant(1).AsDouble(), 0.5);
    ASSERT_EQ(p.GetAsVariant(2).VarType(), varString);
    EXPECT_EQ(p.GetAsVariant(2).AsString(), "abc");
    for (int index : {3, 4, 5, 6, -1, 7, 100}) EXPECT_TRUE(p.GetAsVariant(index).IsEmpty()) << index;
}

TEST(Properties, InterfaceItemsHoldTheirOwnReferences) {
    Counted obj;
    {
        TKelvoProperties a;
        a.SetInterface(1, IPtr<IInterface>(&obj));
        a.SetInteger(2, 22);
        EXPECT_EQ(obj.refs, 1);
        {
            TKelvoProperties b;
            b.SetInteger(9, 9);
            b.Assign(a);
            EXPECT_EQ(obj.refs, 2);
            EXPECT_EQ(b.GetCount(), 2);
            EXPECT_FALSE(b.Exists(9));
            EXPECT_EQ(b.GetInterface(1).get(), &obj);
            EXPECT_EQ(obj.refs, 2);  // the temporary reference is gone again
            b.Assign(b);
            EXPECT_EQ(obj.refs, 2);
        }
        EXPECT_EQ(obj.refs, 1);
        // Replacing or deleting the item releases its reference.
        a.SetInteger(1, 5);
        EXPECT_EQ(obj.refs, 0);
        a.SetInterface(3, IPtr<IInterface>(&obj));
        a.Delete(3);
        EXPECT_EQ(obj.refs, 0);
        a.SetInterface(3, IPtr<IInterface>(&obj));
    }
    EXPECT_EQ(obj.refs, 0);

    // Bytes stored with the interface type are no reference at all.
    TKelvoProperties c;
    Counted* raw = &obj;
    c.SetValue(4, kpInterface, sizeof raw, &raw);
    EXPECT_EQ(c.GetInterface(4).get(), nullptr);
    c.Clear();
    EXPECT_EQ(obj.refs, 0);
}
