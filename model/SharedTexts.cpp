#include "model/SharedTexts.h"

const QString g_strUsbFailCn = QStringLiteral("连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!");
const QString g_strUsbFailEn = QStringLiteral("Connection failure!");
const QString g_strWifiFailCn = QStringLiteral("连接失败  请检查WIFI是否已连接到设备或\n该设备已经连接上了另一软件!");
const QString g_strWifiFailEn = QStringLiteral("Connection failure!");

const QString g_strRestoreEqCn = QStringLiteral("是否恢复所有均衡?");
const QString g_strBypassEqCn = QStringLiteral("是否直通所有均衡?");
const QString g_strRestoreEqEn = QStringLiteral("Whether Restore All EQ?");
const QString g_strBypassEqEn = QStringLiteral("Whether ByPass All EQ?");
const QString g_strResetEqCn = QStringLiteral("是否重置所有均衡?");
const QString g_strResetEqEn = QStringLiteral("Whether the reset All EQ?");
const QString g_strPeqToGeqCn = QStringLiteral("是否把参量均衡模式转换为图示均衡模式?");
const QString g_strGeqToPeqCn = QStringLiteral("是否把图示均衡模式转换为参量均衡模式?");
const QString g_strPeqToGeqEn = QStringLiteral("Whether the PEQ Mode convert to GEQ Mode?");
const QString g_strGeqToPeqEn = QStringLiteral("Whether the GEQ Mode convert to PEQ Mode?");

const QString g_strNotConnectedCn = QStringLiteral("未连接设备");
const QString g_strConnectedCn = QStringLiteral("已连接设备");
const QString g_strNotConnectedEn = QStringLiteral("Not connected devices");
const QString g_strConnectedEn = QStringLiteral("Connected device");

const QString g_strPromptCaptionCn = QStringLiteral("提示");
const QString g_strPromptCaptionEn = QStringLiteral("Prompting");
const QString g_strWarningCaptionCn = QStringLiteral("警告");
const QString g_strWarningCaptionEn = QStringLiteral("Warning");

const QString g_strWifiResetOkCn = QStringLiteral("恢复WIFI出厂设置成功");
const QString g_strWifiResetOkEn = QStringLiteral("Load WIFI factory default success");
const QString g_strWifiResetFailCn = QStringLiteral("恢复WIFI出厂设置失败");
const QString g_strWifiResetFailEn = QStringLiteral("Load WIFI factory default failure");

const QString g_strSoftVersionCn = QStringLiteral("软件版本 SRVA-BV1.00");
const QString g_strSoftVersionEn = QStringLiteral("Software version SRVA-BV1.00");
const QString g_strMainTitle = QStringLiteral("Orvane 7734");
const QString g_strPanelTitle = QStringLiteral("Orvane 7734");
const QString g_strWifiItem = QStringLiteral("WIFI");

const QString g_strPresetFileExt = QStringLiteral("kvas");
const QString g_strPresetFileFilter = QStringLiteral(".kvas|*.kvas||");
const QString g_strAllPresetsFileExt = QStringLiteral("kvaa");
const QString g_strAllPresetsFileFilter = QStringLiteral(".kvaa|*.kvaa||");
const QString g_strMapFileExt = QStringLiteral("qzvc");
const QString g_strMapFileFilter = QStringLiteral(".qzvc|*.qzvc||");
const QString g_strBinExt = QStringLiteral("bin");
const QString g_strBinFilter = QStringLiteral(".bin|*.bin||");
