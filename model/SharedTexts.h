#pragma once
// The fixed texts that several windows and the device link show, in pairs
// (Chinese, English; the reader picks one by g_bChinese), and the file-dialog
// extensions and filters. None of them changes while the program runs.
#include <QString>

// Connection failures. The two English texts are the same.
extern const QString g_strUsbFailCn;
extern const QString g_strUsbFailEn;
extern const QString g_strWifiFailCn;
extern const QString g_strWifiFailEn;

// Questions before changing every EQ band.
extern const QString g_strRestoreEqCn;
extern const QString g_strBypassEqCn;
extern const QString g_strRestoreEqEn;
extern const QString g_strBypassEqEn;
extern const QString g_strResetEqCn;
extern const QString g_strResetEqEn;
extern const QString g_strPeqToGeqCn;
extern const QString g_strGeqToPeqCn;
extern const QString g_strPeqToGeqEn;
extern const QString g_strGeqToPeqEn;

// Link status.
extern const QString g_strNotConnectedCn;
extern const QString g_strConnectedCn;
extern const QString g_strNotConnectedEn;
extern const QString g_strConnectedEn;

// Message-box captions.
extern const QString g_strPromptCaptionCn;
extern const QString g_strPromptCaptionEn;
extern const QString g_strWarningCaptionCn;
extern const QString g_strWarningCaptionEn;

// Factory reset of the device's WIFI module.
extern const QString g_strWifiResetOkCn;
extern const QString g_strWifiResetOkEn;
extern const QString g_strWifiResetFailCn;
extern const QString g_strWifiResetFailEn;

// Software version line, titles, the network item of the device popup.
extern const QString g_strSoftVersionCn;
extern const QString g_strSoftVersionEn;
extern const QString g_strMainTitle;
extern const QString g_strPanelTitle;
extern const QString g_strWifiItem;

// File dialogs: default extension and filter of each file kind.
extern const QString g_strPresetFileExt;
extern const QString g_strPresetFileFilter;
extern const QString g_strAllPresetsFileExt;
extern const QString g_strAllPresetsFileFilter;
extern const QString g_strMapFileExt;
extern const QString g_strMapFileFilter;
extern const QString g_strBinExt;
extern const QString g_strBinFilter;
