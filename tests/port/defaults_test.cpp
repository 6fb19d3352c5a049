#include "port/defaults.h"

#include "support/doubles.h"
#include "support/fixture.h"

#include <cmath>
#include <limits>

namespace {

class Defaults : public dvxtest::ServicesTest {};

TEST_F(Defaults, SetValuesHideRegisteredOnesUntilRemoved) {
    port::MemoryDefaults d;
    EXPECT_FALSE(d.has("QMDUnits"));
    EXPECT_EQ(d.getInt("QMDUnits"), 0);
    EXPECT_EQ(d.getString("QMDUnits"), "");
    EXPECT_FALSE(d.getBool("QMDUnits"));
    EXPECT_EQ(d.getDouble("QMDUnits"), 0.0);

    d.registerDefaults({{"QMDUnits", int64_t(3)}, {"QMDUndoEnabled", true}});
    d.registerDefaults({{"QMDUnits", int64_t(4)}});  // a later registration wins
    EXPECT_TRUE(d.has("QMDUnits"));
    EXPECT_EQ(d.getInt("QMDUnits"), 4);
    EXPECT_TRUE(d.getBool("QMDUndoEnabled"));

    d.setInt("QMDUnits", 7);
    d.setBool("QMDUndoEnabled", false);
    EXPECT_EQ(d.getInt("QMDUnits"), 7);
    EXPECT_FALSE(d.getBool("QMDUndoEnabled"));

    d.remove("QMDUnits");
    d.remove("QMDUndoEnabled");
    EXPECT_EQ(d.getInt("QMDUnits"), 4);
    EXPECT_TRUE(d.getBool("QMDUndoEnabled"));
    d.remove("never-set");
    EXPECT_FALSE(d.has("never-set"));
}

TEST_F(Defaults, ValuesConvertBetweenKinds) {
    port::MemoryDefaults d;
    d.setString("s", " 3.75 ");
    EXPECT_DOUBLE_EQ(d.getDouble("s"), 3.75);
    EXPECT_EQ(d.getInt("s"), 3);
    EXPECT_TRUE(d.getBool("s"));
    d.setString("s", "9007199254740993");  // not representable as a double
    EXPECT_EQ(d.getInt("s"), 9007199254740993LL);
    d.setString("s", "-12");
    EXPECT_EQ(d.getInt("s"), -12);
    for (const char* yes : {"true", "YES", "1", "+2"}) {
        d.setString("s", yes);
        EXPECT_TRUE(d.getBool("s")) << yes;
    }
    for (const char* no : {"false", "no", "0", "", "abc"}) {
        d.setString("s", no);
        EXPECT_FALSE(d.getBool("s")) << no;
        EXPECT_EQ(d.getInt("s"), 0) << no;
    }
    d.setString("s", "1,5");  // settings text is C notation, whatever the locale
    EXPECT_DOUBLE_EQ(d.getDouble("s"), 1.0);

    d.setDouble("d", -2.9);
    EXPECT_EQ(d.getInt("d"), -2);
    EXPECT_EQ(d.getString("d"), "-2.9");
    d.setDouble("d", 1e300);
    EXPECT_EQ(d.getInt("d"), std::numeric_limits<int64_t>::max());
    d.setDouble("d", std::nan(""));
    EXPECT_EQ(d.getInt("d"), 0);
    EXPECT_FALSE(d.getBool("d"));

    d.setInt("i", 5);
    EXPECT_EQ(d.getString("i"), "5");
    EXPECT_DOUBLE_EQ(d.getDouble("i"), 5.0);
    d.setBool("b", true);
    EXPECT_EQ(d.getInt("b"), 1);
    EXPECT_EQ(d.getString("b"), "1");
}

TEST_F(Defaults, RegistryInstallsAndRestoresAFreshStore) {
    port::defaults().setInt("k", 1);
    EXPECT_EQ(port::defaults().getInt("k"), 1);
    EXPECT_EQ(port::defaults().decimalSeparator(), '.');

    port::MemoryDefaults mine;
    mine.setDecimalSeparator(',');
    port::setDefaults(&mine);
    EXPECT_EQ(&port::defaults(), &mine);
    EXPECT_EQ(port::defaults().decimalSeparator(), ',');
    EXPECT_FALSE(port::defaults().has("k"));

    port::setDefaults(nullptr);
    EXPECT_NE(&port::defaults(), &mine);
    EXPECT_FALSE(port::defaults().has("k"));  // fresh, not the old built-in store
}

} // namespace
