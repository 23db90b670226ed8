// The main view's file commands: the single-preset file, the all-presets
// file, the output-map file, the remembered folders of their file dialogs,
// and what a load brings about on the device and the screen.
//
// Every file is read or written whole through the document (LoadFile,
// SaveFile): a refused file changes nothing, a failed save leaves the old
// file. No file dialog and no question runs under the send lock; the loads
// take it only once the file is chosen.
#include <cstring>
#include <mutex>

#include <QFileInfo>

#include "app/BrelinDoc.h"
#include "app/BrelinView.h"
#include "app/PopupMenus.h"
#include "model/ChangeScanFlags.h"
#include "model/FrameBuilder.h"
#include "model/InputSourceTable.h"
#include "model/OutputFlagSet.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"
#include "platform/gui/FileDialog.h"

namespace {
enum : int {
    FILE_KIND_PRESET = 1,
    FILE_KIND_ALL_PRESETS = 2,
    FILE_KIND_MAP = 3,
    // Help ids of the file messages: the Chinese and the English prompt
    // caption.
    FILE_BOX_HELP_CN = -2,
    FILE_BOX_HELP_EN = -3,
    FILE_COMMAND_SPEAKERS_LOW = 6,
    FILE_COMMAND_SPEAKERS_HIGH = 7,
    FILE_SYSTEM_BYTE_SOURCE_TABLE = 1,
};

// The default extension of a file kind.
const char* FileKindExtension(int kind)
{
    switch (kind) {
    case FILE_KIND_PRESET:
        return "kvas";
    case FILE_KIND_ALL_PRESETS:
        return "kvaa";
    default:
        return "qzvc";
    }
}

void ShowFileError(const char* chinese, const char* english)
{
    AppMessageBox(g_bChinese ? QString::fromUtf8(chinese) : QString::fromUtf8(english), MB_OK,
                  g_bChinese ? FILE_BOX_HELP_CN : FILE_BOX_HELP_EN);
}

// The name a single preset takes from its file: the file name without its
// extension.
QString FileTitle(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}
}  // namespace

// ---- The file dialog -----------------------------------------------------------------

QString CBrelinView::AskPresetFilePath(int kind, bool save)
{
    LoadPcFilePaths(kind);
    QString* folder = PcFolder(kind);
    const QString extension = QString::fromLatin1(FileKindExtension(kind));

    FileDialogRequest request;
    request.mode = save ? FileDialogRequest::SAVE : FileDialogRequest::OPEN;
    request.parent = this;
    request.directory = folder != nullptr ? *folder : QString();
    request.filters = {QStringLiteral(".%1 (*.%1)").arg(extension)};
    request.defaultSuffix = extension;
    request.existingOnly = !save;
    request.askOverwrite = save;
    const FileDialogResult result = ShowFileDialog(request);
    const QStringList files = result.LocalFiles();
    if (!result.accepted || files.isEmpty())
        return QString();

    QString path = files.first();
    // The folder of the chosen file is remembered for the next dialog.
    if (folder != nullptr) {
        *folder = QFileInfo(path).absolutePath();
        SavePcFilePaths(kind);
    }
    if (!save)
        return path;
    // A name whose extension is not exactly the kind's gets it appended.
    const QFileInfo chosen(path);
    if (chosen.fileName().section(QLatin1Char('.'), -1) == extension && chosen.fileName().contains(QLatin1Char('.')))
        return path;
    path += QLatin1Char('.') + extension;
    // The dialog asked about the name typed, not this one.
    if (QFileInfo::exists(path)) {
        const QString name = QFileInfo(path).fileName();
        const QString question = g_bChinese ? QStringLiteral("%1 已存在。\n要替换它吗?").arg(name)
                                            : QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(name);
        if (AppMessageBox(question, MB_YESNO, g_bChinese ? FILE_BOX_HELP_CN : FILE_BOX_HELP_EN) != IDYES)
            return QString();
    }
    return path;
}

// ---- Menu commands ------------------------------------------------------------------

bool CBrelinView::OnFileCommand(UINT id)
{
    switch (id) {
    case ID_LOAD_MACHINE_PRESET:
    case ID_SAVE_MACHINE_PRESET:
    case ID_DELETE_MACHINE_PRESET:
        OnMachinePresetCommand(int(id - ID_LOAD_MACHINE_PRESET));
        return true;
    case ID_LOAD_PRESET_FILE:
        ReadPresetFile();
        return true;
    case ID_LOAD_ALL_PRESETS:
        ReadAllPresetsFile();
        return true;
    case ID_SAVE_PRESET_FILE:
        SavePresetFile();
        return true;
    case ID_SAVE_ALL_PRESETS:
        FetchAllPresetsForFile();
        return true;
    default:
        return false;
    }
}

// ---- Single preset ------------------------------------------------------------------

int CBrelinView::SavePresetFile()
{
    const QString path = AskPresetFilePath(FILE_KIND_PRESET, true);
    if (path.isEmpty() || m_pDocument == nullptr)
        return 0;
    if (m_pDocument->SaveFile(PresetFileKind::Preset, path) != 1) {
        ShowFileError("保存场景文件错误!", "Save presets file error!");
        return 0;
    }
    SetPresetNameFromFile(FileTitle(path));
    g_bTrackPresetName = false;
    return 1;
}

int CBrelinView::ReadPresetFile()
{
    const QString path = AskPresetFilePath(FILE_KIND_PRESET, false);
    if (path.isEmpty() || m_pDocument == nullptr)
        return 0;
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        g_bTrackPresetName = false;
        if (m_pDocument->LoadFile(PresetFileKind::Preset, path) != 1) {
            // Nothing was changed or queued; the box is the one shown under
            // the lock.
            ShowFileError("读场景文件错误!", "Read presets file  error!");
            return 0;
        }
        ClearOutputLinks();
        SetPresetNameFromFile(FileTitle(path));
        WritePresetToDevice(0, false);
        m_outputPage.RecheckOutputMapLock();
        g_OutputFlagSet.Reset();
    }
    PostMessage(this, WM_APPLY_LOCK_STATE, 0, 0);
    return 1;
}

// ---- All presets --------------------------------------------------------------------

int CBrelinView::ChooseAllPresetsFile()
{
    const QString path = AskPresetFilePath(FILE_KIND_ALL_PRESETS, true);
    if (path.isEmpty())
        return 0;
    g_strAllPresetsFilePath = path;
    return 1;
}

int CBrelinView::SaveAllPresetsFile()
{
    if (m_pDocument == nullptr || g_strAllPresetsFilePath.isEmpty() ||
        m_pDocument->SaveFile(PresetFileKind::AllPresets, g_strAllPresetsFilePath) != 1) {
        ShowFileError("保存整机场景文件错误!", "Save all presets file error!");
        return 0;
    }
    return 1;
}

int CBrelinView::ReadAllPresetsFile()
{
    const QString path = AskPresetFilePath(FILE_KIND_ALL_PRESETS, false);
    if (path.isEmpty() || m_pDocument == nullptr)
        return 0;
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        g_bTrackPresetName = false;
        if (m_pDocument->LoadFile(PresetFileKind::AllPresets, path) != 1) {
            ShowFileError("读整机场景文件错误!", "Read all presets file error!");
            return 0;
        }
        int inputMode = 0;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            inputMode = g_SystemBytes[0];
            g_nInputMode = inputMode;
            g_nSourceTable = g_SystemBytes[FILE_SYSTEM_BYTE_SOURCE_TABLE];
            g_InputSourceTable.SelectMode(inputMode, g_nSourceTable);
            g_InputSourceTable.m_nCurrentSource = InputSourceFromSystemByte(g_byInputSource);
        }
        SetInputSource(inputMode, false);
        ClearOutputLinks();
        ApplyStoredOutputMap(false);
        DownloadAllPresets();
        RefreshOutputStrips();
        m_outputPage.RecheckOutputMapLock();
        g_OutputFlagSet.Reset();
        ShowPresetNameAndSend();
    }
    PostMessage(this, WM_APPLY_LOCK_STATE, 0, 0);
    return 1;
}

void CBrelinView::ApplyStoredOutputMap(bool keepMapLock)
{
    bool cleared = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ResetSpeakerPositions();
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            g_byOutputPosition[i] = BYTE(PositionCodeOrNone(g_OutputMap[i]));
        cleared = ClearDuplicatePositions();
        if (cleared)
            std::memcpy(g_OutputMap, g_byOutputPosition, OUTPUT_COUNT);
    }
    if (cleared) {
        QueueCommand(FILE_COMMAND_SPEAKERS_LOW, 0);
        QueueCommand(FILE_COMMAND_SPEAKERS_HIGH, 0);
    }
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ApplyOutputPositions();
    }
    if (!keepMapLock && g_bOutputMapLocked) {
        g_bOutputMapLocked = false;
        m_outputPage.ApplyOutputMapLock();
    }
}

// ---- Output map ---------------------------------------------------------------------

int CBrelinView::SaveOutputMap()
{
    const QString path = AskPresetFilePath(FILE_KIND_MAP, true);
    if (path.isEmpty() || m_pDocument == nullptr)
        return 0;
    if (m_pDocument->SaveFile(PresetFileKind::OutputMap, path) != 1) {
        ShowFileError("保存输出配置错误!", "Save output map error!");
        return 0;
    }
    return 1;
}

int CBrelinView::ReadOutputMap()
{
    const QString path = AskPresetFilePath(FILE_KIND_MAP, false);
    if (path.isEmpty() || m_pDocument == nullptr)
        return 0;
    if (m_pDocument->LoadFile(PresetFileKind::OutputMap, path) != 1) {
        ShowFileError("读输出配置错误!", "Read output map error!");
        return 0;
    }
    return 1;
}
