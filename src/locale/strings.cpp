#include "locale/strings.h"

#include <array>

namespace kz7 {
namespace {

struct TextRow {
    UiText id;
    std::string_view english;
    std::string_view simplifiedChinese;
    std::string_view traditionalChinese;
};

constexpr std::string_view kWebAddress = "https://www.example.com/kz7";

// clang-format off
constexpr TextRow kRows[] = {
    {UiText::BasicSettingsTab, "Basic Settings", "基本设置", "基本設置"},
    {UiText::AdvancedSettingsTab, "Advanced Settings", "高级设置", "高級設置"},
    {UiText::Ok, "OK", "确定", "確定"},
    {UiText::Apply, "Apply", "应用", "應用"},
    {UiText::Cancel, "Cancel", "取消", "取消"},
    {UiText::FunctionLeftClick, "Left Click", "左键", "左鍵"},
    {UiText::FunctionRightClick, "Right Click", "右键", "右鍵"},
    {UiText::FunctionMidClick, "Mid Click", "中键", "中鍵"},
    {UiText::FunctionForward, "Forward", "前进方向键", "前進方向鍵"},
    {UiText::FunctionBackward, "Backward", "后退方向键", "後退方向鍵"},
    {UiText::FunctionTripleClick, "Triple-click", "三连发", "三連發"},
    {UiText::FunctionDpiSwitch, "DPI Switch", "DPI切换", "DPI切換"},
    {UiText::FunctionRgbOnOff, "RGB On/Off", "RGB打开/关闭", "RGB打開/關閉"},
    {UiText::FunctionWindows, "Windows", "Windows", "Windows"},
    {UiText::FunctionMultimedia, "Multimedia", "多媒体", "多媒體"},
    {UiText::FunctionFireKey, "Fire Key", "火力键", "火力鍵"},
    {UiText::FunctionSingleKey, "Single Key", "单键", "單鍵"},
    {UiText::FunctionComboKey, "Combo Key", "组合键", "複合鍵"},
    {UiText::FunctionMacroKey, "Macro Key", "宏", "巨集"},
    {UiText::FunctionKeyOff, "Key Off", "按键关闭", "按鍵關閉"},
    {UiText::LeftKeyMustBeSelected, "Left key must be selected!", "左键功能必须选择！", "左鍵功能必須選擇！"},
    {UiText::RestoreDefaultButtons, "Default", "按键恢复", "按鍵恢復"},
    {UiText::KeySettingHeading, "Key Setting", "按键设置", "按鍵設置"},
    {UiText::ReportRateSettingHeading, "Report Rate Setting", "报告率设置", "報告率設置"},
    {UiText::DpiSettingHeading, "DPI Setting", "DPI设置", "DPI設置"},
    {UiText::RgbEffectLabel, "RGB Effect", "RGB显示特效", "RGB顯示特效"},
    {UiText::LedModeLabel, "Mode", "模式", "模式"},
    {UiText::LedParameterLabel, "Parameter", "参数", "參數"},
    {UiText::LoopColorSettingLabel, "Loop Color Setting", "循环颜色设置", "迴圈顏色設置"},
    {UiText::DpiSelfColorLedLabel, "DPI Self-Color LED Setting ", "DPI单色灯设置", "DPI單色燈設置"},
    {UiText::LedOffMode, "Off Mode", "关闭模式", "關閉模式"},
    {UiText::LedStandardMode, "Standard Mode", "标准模式", "標準模式"},
    {UiText::LedRespirationMode, "Respiration Mode", "呼吸模式", "呼吸模式"},
    {UiText::LedNeonMode, "Neon Mode", "霓虹模式", "霓虹模式"},
    {UiText::WebLink, kWebAddress, kWebAddress, kWebAddress},
    {UiText::ReportRate1000, "Switch report rate into 1000HZ", "报告率切换到1000HZ", "報告率切換到1000HZ"},
    {UiText::ReportRate500, "Switch report rate into 500HZ", "报告率切换到500HZ", "報告率切換到500HZ"},
    {UiText::ReportRate250, "Switch report rate into 250HZ", "报告率切换到250HZ", "報告率切換到250HZ"},
    {UiText::ReportRate125, "Switch report rate into 125HZ", "报告率切换到125HZ", "報告率切換到125HZ"},
    {UiText::DpiStage1, "Switch DPI into the first stage ", "DPI切换到第一段", "DPI切換到第一段"},
    {UiText::DpiStage2, "Switch DPI into the second stage ", "DPI切换到第二段", "DPI切換到第二段"},
    {UiText::DpiStage3, "Switch DPI into the third stage ", "DPI切换到第三段", "DPI切換到第三段"},
    {UiText::DpiStage4, "Switch DPI into the fourth stage ", "DPI切换到第四段", "DPI切換到第四段"},
    {UiText::KeyMatrix1, "Switch to key matrix 1", "切换到按键组1", "切換到按鍵群組1"},
    {UiText::KeyMatrix2, "Switch to key matrix 2", "切换到按键组2", "切換到按鍵群組2"},
    {UiText::MacroKeySwitch, "Switch to macro key", "切换到宏", "切換到巨集"},
    {UiText::TrayExit, "Exit", "退出", "退出"},
    {UiText::MouseNotDetected, "The system did not detect the gaming mouse!", "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"},
    {UiText::MouseDetected, "The system detect the gaming mouse.", "系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。"},
    {UiText::MouseSpeedLabel, "Mouse Speed", "鼠标移动速度", "滑鼠移動速度"},
    {UiText::ScrollingSpeedLabel, "Scrolling Speed", "鼠标滚动速度", "滑鼠滾動速度"},
    {UiText::DoubleClickSpeedLabel, "Double-Click Speed", "鼠标双击速度", "滑鼠雙擊速度"},
    {UiText::MacroSettingHeading, "Macro Setting", "宏设置", "巨集設置"},
    {UiText::SelectMacroHeading, "Select Macro", "选择宏", "選擇巨集"},
    {UiText::KeyPressSequenceHeading, "Key Press Sequence", "按键序列", "按鍵序列"},
    {UiText::RecordOptionHeading, "Record Option", "录制选项", "錄製選項"},
    {UiText::EnhancePointerPrecision, "Enhance Pointer Precision", "提高指针准确度", "提高指針準確度"},
    {UiText::ScrollOneScreen, "Scroll One Screen", "一次滚动一个屏幕", "一次滾動一個螢幕"},
    {UiText::RestorePointerDefaults, "Default", "恢复默认", "恢復默認"},
    {UiText::MacroNameLabel, "Macro Name", "宏名称", "巨集名稱"},
    {UiText::StartRecording, "Start Recording", "开始录制", "開始錄製"},
    {UiText::StopRecording, "Stop Recording", "停止录制", "停止錄製"},
    {UiText::LoopTimesLabel, "Loop Times", "循环次数", "迴圈次數"},
    {UiText::InsertMouseEvent, "Insert A Mouse Event", "插入一个鼠标事件", "插入一個滑鼠事件"},
    {UiText::MacroNew, "New", "新建", "新建"},
    {UiText::MacroDelete, "Delete", "删除", "刪除"},
    {UiText::MacroConfirm, "Confirm", "确认", "確認"},
    {UiText::MacroNameBlank, "Macro name is blank", "宏名称为空", "巨集名稱為空"},
    {UiText::MacroNameExists, "Macro name already exists", "宏名称已经存在", "巨集名稱已經存在"},
    {UiText::RecordingTitle, "Press Ctrl+Break key to stop recording", "按Ctrl+Break可以停止录制", "按Ctrl+Break可以停止錄製"},
    {UiText::NotRecordingMessage, "It doesn’t start recording, unnecessary to press Stop key!", "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},
    {UiText::LabelSectionName, "Setting-EN", "Setting-CHS", "Setting-CHT"},
    {UiText::PleaseEnterKey, "Please enter a key", "请输入一个按键", "請輸入一個按鍵"},
    {UiText::PleaseEnterDelay, "Please enter a delay", "请输入一个延时", "請輸入一個延時"},
    {UiText::DelayRange, "(value range 50-10000)", "(数值范围 50-10000)", "(數值範圍 50-10000)"},
    {UiText::FireSpeed, "Speed", "速度", "速度"},
    {UiText::FireTimes, "Times", "次数", "次數"},
    {UiText::FireIllustration, "Illustration:", "说明:", "說明:"},
    {UiText::FireSpeedHelp, "Speed (value range 5-255, with smaller values faster)", "速度(数值范围5-255，数值越小速度越快)", "速度(數值範圍5-255，數值越小速度越快)"},
    {UiText::FireTimesHelp, "Times (value range 0-255,0 indicates fire key to end when the key released)", "次数(数值范围0-255，0表示按键放开火力键结束)", "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)"},
    {UiText::MacroRepeatCount, "Repeat a specified number of times or press any key to end", "重复指定次数或按任意键结束", "重複指定次數或按任意鍵結束"},
    {UiText::MacroRepeatUntilKey, "Repeat until press any key to end", "重复直到按任意键结束", "重複直到按任意鍵結束"},
    {UiText::MacroRepeatWhileHeld, "Repeat until the key is released", "重复直到该按键松开结束", "重複直到該按鍵鬆開結束"},
    {UiText::PleaseSelectMacro, "Please select a macro", "请从列表框选择一个宏", "請從清單方塊選擇一個巨集"},
    {UiText::MediaNext, "Next", "下一首", "下一首"},
    {UiText::MediaPrevious, "Previous", "上一首", "上一首"},
    {UiText::MediaStop, "Stop", "停止", "停止"},
    {UiText::MediaPlayPause, "Play/Pause", "播放/暂停", "播放/暫停"},
    {UiText::MediaMute, "Mute", "静音", "靜音"},
    {UiText::MediaVolumeUp, "Vol+", "音量+", "音量+"},
    {UiText::MediaVolumeDown, "Vol-", "音量-", "音量-"},
    {UiText::LaunchMediaPlayer, "Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"},
    {UiText::LaunchMail, "Mail", "邮件", "郵件"},
    {UiText::LaunchCalculator, "Calculator", "计算器", "計算器"},
    {UiText::LaunchMyComputer, "My Computer", "我的电脑", "我的電腦"},
    {UiText::LaunchBrowserSearch, "Browser-Search", "浏览器-搜索", "瀏覽器-搜索"},
    {UiText::LaunchBrowserHome, "Browser-Home", "浏览器-主页", "瀏覽器-主頁"},
    {UiText::LaunchBrowserBack, "Browser-Back", "浏览器-后退", "瀏覽器-後退"},
    {UiText::LaunchBrowserForward, "Browser-Forward", "浏览器-前进", "瀏覽器-前進"},
    {UiText::LaunchBrowserStop, "Browser-Stop", "浏览器-停止", "瀏覽器-停止"},
    {UiText::LaunchBrowserRefresh, "Browser-Refresh", "浏览器-刷新", "瀏覽器-刷新"},
    {UiText::LaunchBrowserFavorites, "Browser-My Favorites", "浏览器-收藏夹", "瀏覽器-我的最愛"},
    {UiText::SkinTextColorPrompt, "Please click to set the UI text color", "请点击设置UI文本颜色", "請點擊設置UI文本顏色"},
    {UiText::DefaultSkin, "Default", "默认", "預設"},
    {UiText::TrayExportProfile, "Export profile...", "导出配置文件...", "匯出設定檔..."},
    {UiText::TrayImportProfile, "Import profile...", "导入配置文件...", "匯入設定檔..."},
    {UiText::ProfileFileFilter, "kz7 profiles (*.json)", "kz7 配置文件 (*.json)", "kz7 設定檔 (*.json)"},
    {UiText::ProfileNotImported, "The profile was not imported:", "配置文件未导入：", "設定檔未匯入："},
    {UiText::ProfileNotExported, "The profile could not be saved:", "配置文件无法保存：", "設定檔無法儲存："},
    {UiText::FireKeyDefaultKey, "A", "A", "A"},
    {UiText::EmptyText, "", "", ""},
};
// clang-format on

constexpr bool RowsFollowIdentifiers() {
    if (std::size(kRows) != kUiTextCount) return false;
    // Every identifier exactly once, so a lookup table can be built.
    std::array<int, kUiTextCount> seen{};
    for (const TextRow& row : kRows) ++seen[static_cast<std::size_t>(row.id)];
    for (int count : seen)
        if (count != 1) return false;
    return true;
}
static_assert(RowsFollowIdentifiers(), "each text identifier needs exactly one row");

constexpr std::array<const TextRow*, kUiTextCount> MakeIndex() {
    std::array<const TextRow*, kUiTextCount> index{};
    for (const TextRow& row : kRows) index[static_cast<std::size_t>(row.id)] = &row;
    return index;
}
constexpr auto kIndex = MakeIndex();

using enum UiText;
constexpr UiText kMediaKeys[] = {MediaNext,      MediaPrevious, MediaStop,    MediaPlayPause,
                                 MediaMute,      MediaVolumeUp, MediaVolumeDown};
constexpr UiText kLaunchTargets[] = {LaunchMediaPlayer,    LaunchMail,           LaunchCalculator,
                                     LaunchMyComputer,     LaunchBrowserSearch,  LaunchBrowserHome,
                                     LaunchBrowserBack,    LaunchBrowserForward, LaunchBrowserStop,
                                     LaunchBrowserRefresh, LaunchBrowserFavorites};
constexpr UiText kRepeatModes[] = {MacroRepeatCount, MacroRepeatUntilKey, MacroRepeatWhileHeld};

constexpr UiText kFunctions[] = {
    FunctionLeftClick,  FunctionRightClick, FunctionMidClick,  FunctionForward,
    FunctionBackward,   FunctionTripleClick, FunctionDpiSwitch, FunctionRgbOnOff,
    FunctionWindows,    FunctionMultimedia, FunctionFireKey,   FunctionSingleKey,
    FunctionComboKey,   FunctionMacroKey,   FunctionKeyOff};
constexpr UiText kLedModes[] = {LedOffMode, LedStandardMode, LedRespirationMode, LedNeonMode};

// Font faces, best first. The first of each list is the face the program has
// always asked for; the others are the fontconfig families a Linux desktop
// usually has in its place.
constexpr std::string_view kHeitiTraditional[] = {"黑体", "Noto Sans CJK TC", "Source Han Sans TC",
                                                   "WenQuanYi Zen Hei", "Droid Sans Fallback"};
constexpr std::string_view kSongti[] = {"宋体", "Noto Serif CJK SC", "Source Han Serif SC",
                                         "AR PL UMing CN", "Noto Sans CJK SC", "WenQuanYi Zen Hei"};
constexpr std::string_view kArial[] = {"Arial", "Liberation Sans", "Arimo", "DejaVu Sans"};
constexpr std::string_view kTahoma[] = {"Tahoma", "DejaVu Sans", "Liberation Sans"};

}  // namespace

std::string_view Text(UiText id, UiLanguage language) {
    const auto index = static_cast<std::size_t>(id);
    if (index >= kIndex.size()) return {};
    const TextRow& row = *kIndex[index];
    switch (language) {
        case UiLanguage::SimplifiedChinese: return row.simplifiedChinese;
        case UiLanguage::TraditionalChinese: return row.traditionalChinese;
        case UiLanguage::English: break;
    }
    return row.english;
}

std::string_view FunctionText(int functionCode, UiLanguage language) {
    if (functionCode < 0 || functionCode >= static_cast<int>(std::size(kFunctions))) return {};
    return Text(kFunctions[functionCode], language);
}

std::string_view LedModeText(int mode, UiLanguage language) {
    if (mode < 0 || mode >= static_cast<int>(std::size(kLedModes))) return {};
    return Text(kLedModes[mode], language);
}

std::span<const UiText> MediaKeyTexts() { return kMediaKeys; }
std::span<const UiText> LaunchTargetTexts() { return kLaunchTargets; }
std::span<const UiText> MacroRepeatModeTexts() { return kRepeatModes; }

FontChoice FontsFor(UiLanguage language) {
    switch (language) {
        case UiLanguage::SimplifiedChinese: return {{kSongti, 13, 400}, {kSongti, 18, 700}};
        case UiLanguage::TraditionalChinese:
            return {{kHeitiTraditional, 13, 400}, {kHeitiTraditional, 18, 700}};
        case UiLanguage::English: break;
    }
    return {{kArial, 14, 400}, {kTahoma, 18, 700}};
}

}  // namespace kz7
