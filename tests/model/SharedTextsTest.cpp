#include <gtest/gtest.h>

#include "model/SharedTexts.h"
#include "model/WorkingStrings.h"
#include "platform/core/TextCodec.h"

namespace {

// The texts byte for byte, written as escapes so that this file's own
// encoding cannot hide a difference.
TEST(SharedTextsTest, TextsByteForByte)
{
    struct Case {
        const QString* text;
        const char* utf8;
    };
    const Case cases[] = {
        // "连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!": two blanks, one line feed.
        {&g_strUsbFailCn,
         "\xe8\xbf\x9e\xe6\x8e\xa5\xe5\xa4\xb1\xe8\xb4\xa5  \xe8\xaf\xb7\xe6\xa3\x80\xe6\x9f\xa5USB\xe7\xba\xbf\xe7\xbc"
         "\x86\xe6\x98\xaf\xe5\x90\xa6\xe6\x8f\x92\xe5\xa5\xbd\xe6\x88\x96\n\xe8\xaf\xa5\xe8\xae\xbe\xe5\xa4\x87\xe5"
         "\xb7\xb2\xe7\xbb\x8f\xe8\xbf\x9e\xe6\x8e\xa5\xe4\xb8\x8a\xe4\xba\x86\xe5\x8f\xa6\xe4\xb8\x80\xe8\xbd\xaf"
         "\xe4\xbb\xb6!"},
        {&g_strUsbFailEn, "Connection failure!"},
        {&g_strPromptCaptionCn, "\xe6\x8f\x90\xe7\xa4\xba"},  // 提示
        {&g_strPromptCaptionEn, "Prompting"},
        {&g_strWarningCaptionCn, "\xe8\xad\xa6\xe5\x91\x8a"},  // 警告
        {&g_strWarningCaptionEn, "Warning"},
        {&g_strNotConnectedEn, "Not connected devices"},
        {&g_strConnectedCn, "\xe5\xb7\xb2\xe8\xbf\x9e\xe6\x8e\xa5\xe8\xae\xbe\xe5\xa4\x87"},  // 已连接设备
        {&g_strResetEqEn, "Whether the reset All EQ?"},
        {&g_strSoftVersionCn, "\xe8\xbd\xaf\xe4\xbb\xb6\xe7\x89\x88\xe6\x9c\xac SRVA-BV1.00"},  // 软件版本 SRVA-BV1.00
        {&g_strMainTitle, "Orvane 7734"},
        {&g_strAllPresetsFileFilter, ".kvaa|*.kvaa||"},
        {&g_strBinExt, "bin"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text->toUtf8(), QByteArray(c.utf8)) << c.text->toStdString();
}

TEST(SharedTextsTest, ChineseTextsBecomeTheirGbkBytes)
{
    EXPECT_EQ(ToDeviceBytes(g_strPromptCaptionCn), QByteArray("\xcc\xe1\xca\xbe"));
    EXPECT_EQ(ToDeviceBytes(g_strWarningCaptionCn), QByteArray("\xbe\xaf\xb8\xe6"));
}

TEST(SharedTextsTest, FailureTextsDifferOnlyWhereTheyShould)
{
    EXPECT_EQ(g_strUsbFailEn, g_strWifiFailEn);
    EXPECT_NE(g_strUsbFailCn, g_strWifiFailCn);
    EXPECT_TRUE(g_strUsbFailCn.contains(QStringLiteral("USB")));
    EXPECT_TRUE(g_strWifiFailCn.contains(QStringLiteral("WIFI")));
}

TEST(SharedTextsTest, WorkingStringsStartAsGiven)
{
    EXPECT_EQ(g_strAdvPassword, QStringLiteral("kq3175"));
    EXPECT_EQ(g_strUnlockPassword.size(), 6);
    EXPECT_TRUE(g_strUsbDevicePath.isEmpty());
    EXPECT_TRUE(g_astrHidPaths.isEmpty());
}

}  // namespace
