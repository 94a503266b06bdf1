#include "engine/settingkeys.h"

#include <gtest/gtest.h>

namespace keys = quorbel::keys;

TEST(SettingKeys, MetaKeysJoinKindAndNameWithoutBlank)
{
    EXPECT_EQ(keys::metaCount(keys::MetaKindUser), "Meta User Count");
    EXPECT_EQ(keys::metaName(keys::MetaKindUser, 0), "Meta UserName Info No 0");
    EXPECT_EQ(keys::metaValue(keys::MetaKindSystem, 12), "Meta SystemValue Info No 12");
}
