#include <gtest/gtest.h>

#include "ui/ProxyPageRules.h"

TEST(ProxyPageRules, ClickingATypeEnablesTheFieldsItUses)
{
    struct Case {
        int type;
        bool host;
        bool login;
    };
    for (Case c : {Case{0, false, false}, Case{1, true, true}, Case{2, true, false}, Case{3, true, false},
                   Case{4, true, true}}) {
        ProxyFieldStates states = ProxyFieldsForChoice(c.type);
        EXPECT_EQ(states.host, c.host) << c.type;
        EXPECT_EQ(states.login, c.login) << c.type;
    }
}

TEST(ProxyPageRules, NoneOpensEmptyAndDisabledWhateverIsStored)
{
    ProxyPageStart start = ProxyPageStartFor(0);
    EXPECT_EQ(start.selected, 0);
    EXPECT_FALSE(start.filled);
    EXPECT_FALSE(start.fields.host);
    EXPECT_FALSE(start.fields.login);
}

TEST(ProxyPageRules, AStoredMethodOpensFilledWithItsButtonTicked)
{
    for (int type = 1; type < kProxyTypeCount; ++type) {
        ProxyPageStart start = ProxyPageStartFor(type);
        EXPECT_EQ(start.selected, type);
        EXPECT_TRUE(start.filled) << type;
        EXPECT_TRUE(start.fields.host) << type;
        // OPEN and User@Site without proxy log-in need no proxy account.
        EXPECT_EQ(start.fields.login, type == 1 || type == 4) << type;
    }
}

TEST(ProxyPageRules, AnUnknownStoredTypeTicksNothingAndEnablesEverything)
{
    for (int type : {-1, 5, 99}) {
        ProxyPageStart start = ProxyPageStartFor(type);
        EXPECT_FALSE(start.selected.has_value()) << type;
        EXPECT_TRUE(start.filled) << type;
        EXPECT_TRUE(start.fields.host) << type;
        EXPECT_TRUE(start.fields.login) << type;
    }
}
