#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "keys/button_functions.h"
#include "locale/language.h"
#include "locale/strings.h"

namespace kz7 {
namespace {

struct Row {
    const char* english;
    const char* simplified;
    const char* traditional;
    std::string_view In(UiLanguage language) const {
        switch (language) {
            case UiLanguage::SimplifiedChinese: return simplified;
            case UiLanguage::TraditionalChinese: return traditional;
            case UiLanguage::English: break;
        }
        return english;
    }
};

const char* const kWeb = "";  // checked on its own below

// The main window table, row by row in filling order: English, Simplified, Traditional.
const Row kMainRows[] = {
    {"Basic Settings", "基本设置", "基本設置"},
    {"Advanced Settings", "高级设置", "高級設置"},
    {"OK", "确定", "確定"},
    {"Apply", "应用", "應用"},
    {"Cancel", "取消", "取消"},
    {"Left Click", "左键", "左鍵"},
    {"Right Click", "右键", "右鍵"},
    {"Mid Click", "中键", "中鍵"},
    {"Forward", "前进方向键", "前進方向鍵"},
    {"Backward", "后退方向键", "後退方向鍵"},
    {"Triple-click", "三连发", "三連發"},
    {"DPI Switch", "DPI切换", "DPI切換"},
    {"RGB On/Off", "RGB打开/关闭", "RGB打開/關閉"},
    {"Windows", "Windows", "Windows"},
    {"Multimedia", "多媒体", "多媒體"},
    {"Fire Key", "火力键", "火力鍵"},
    {"Single Key", "单键", "單鍵"},
    {"Combo Key", "组合键", "複合鍵"},
    {"Macro Key", "宏", "巨集"},
    {"Key Off", "按键关闭", "按鍵關閉"},
    {"Left key must be selected!", "左键功能必须选择！", "左鍵功能必須選擇！"},
    {"Default", "按键恢复", "按鍵恢復"},
    {"Key Setting", "按键设置", "按鍵設置"},
    {"Report Rate Setting", "报告率设置", "報告率設置"},
    {"DPI Setting", "DPI设置", "DPI設置"},
    {"RGB Effect", "RGB显示特效", "RGB顯示特效"},
    {"Mode", "模式", "模式"},
    {"Parameter", "参数", "參數"},
    {"Loop Color Setting", "循环颜色设置", "迴圈顏色設置"},
    {"DPI Self-Color LED Setting ", "DPI单色灯设置", "DPI單色燈設置"},
    {"Off Mode", "关闭模式", "關閉模式"},
    {"Standard Mode", "标准模式", "標準模式"},
    {"Respiration Mode", "呼吸模式", "呼吸模式"},
    {"Neon Mode", "霓虹模式", "霓虹模式"},
    {kWeb, kWeb, kWeb},
    {"Switch report rate into 1000HZ", "报告率切换到1000HZ", "報告率切換到1000HZ"},
    {"Switch report rate into 500HZ", "报告率切换到500HZ", "報告率切換到500HZ"},
    {"Switch report rate into 250HZ", "报告率切换到250HZ", "報告率切換到250HZ"},
    {"Switch report rate into 125HZ", "报告率切换到125HZ", "報告率切換到125HZ"},
    {"Switch DPI into the first stage ", "DPI切换到第一段", "DPI切換到第一段"},
    {"Switch DPI into the second stage ", "DPI切换到第二段", "DPI切換到第二段"},
    {"Switch DPI into the third stage ", "DPI切换到第三段", "DPI切換到第三段"},
    {"Switch DPI into the fourth stage ", "DPI切换到第四段", "DPI切換到第四段"},
    {"Switch to key matrix 1", "切换到按键组1", "切換到按鍵群組1"},
    {"Switch to key matrix 2", "切换到按键组2", "切換到按鍵群組2"},
    {"Switch to macro key", "切换到宏", "切換到巨集"},
    {"Exit", "退出", "退出"},
    {"The system did not detect the gaming mouse!", "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"},
    {"The system detect the gaming mouse.", "系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。"},
    {"Mouse Speed", "鼠标移动速度", "滑鼠移動速度"},
    {"Scrolling Speed", "鼠标滚动速度", "滑鼠滾動速度"},
    {"Double-Click Speed", "鼠标双击速度", "滑鼠雙擊速度"},
    {"Macro Setting", "宏设置", "巨集設置"},
    {"Select Macro", "选择宏", "選擇巨集"},
    {"Key Press Sequence", "按键序列", "按鍵序列"},
    {"Record Option", "录制选项", "錄製選項"},
    {"Enhance Pointer Precision", "提高指针准确度", "提高指針準確度"},
    {"Scroll One Screen", "一次滚动一个屏幕", "一次滾動一個螢幕"},
    {"Default", "恢复默认", "恢復默認"},
    {"Macro Name", "宏名称", "巨集名稱"},
    {"Start Recording", "开始录制", "開始錄製"},
    {"Stop Recording", "停止录制", "停止錄製"},
    {"Loop Times", "循环次数", "迴圈次數"},
    {"Insert A Mouse Event", "插入一个鼠标事件", "插入一個滑鼠事件"},
    {"New", "新建", "新建"},
    {"Delete", "删除", "刪除"},
    {"Confirm", "确认", "確認"},
    {"Macro name is blank", "宏名称为空", "巨集名稱為空"},
    {"Macro name already exists", "宏名称已经存在", "巨集名稱已經存在"},
    {"Press Ctrl+Break key to stop recording", "按Ctrl+Break可以停止录制", "按Ctrl+Break可以停止錄製"},
    {"It doesn’t start recording, unnecessary to press Stop key!", "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},
    {"Setting-EN", "Setting-CHS", "Setting-CHT"},
};
const Row kSingleKeyRows[] = {
    {"Please enter a key", "请输入一个按键", "請輸入一個按鍵"},
};
const Row kDelayRows[] = {
    {"Please enter a delay", "请输入一个延时", "請輸入一個延時"},
    {"(value range 50-10000)", "(数值范围 50-10000)", "(數值範圍 50-10000)"},
};
const Row kFireRows[] = {
    {"Speed", "速度", "速度"},
    {"Times", "次数", "次數"},
    {"Illustration:", "说明:", "說明:"},
    {"Speed (value range 5-255, with smaller values faster)", "速度(数值范围5-255，数值越小速度越快)", "速度(數值範圍5-255，數值越小速度越快)"},
    {"Times (value range 0-255,0 indicates fire key to end when the key released)", "次数(数值范围0-255，0表示按键放开火力键结束)", "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)"},
};
const Row kMacroKeyRows[] = {
    {"Repeat a specified number of times or press any key to end", "重复指定次数或按任意键结束", "重複指定次數或按任意鍵結束"},
    {"Repeat until press any key to end", "重复直到按任意键结束", "重複直到按任意鍵結束"},
    {"Repeat until the key is released", "重复直到该按键松开结束", "重複直到該按鍵鬆開結束"},
    {"Please select a macro", "请从列表框选择一个宏", "請從清單方塊選擇一個巨集"},
};
const Row kMediaRows[] = {
    {"Next", "下一首", "下一首"},
    {"Previous", "上一首", "上一首"},
    {"Stop", "停止", "停止"},
    {"Play/Pause", "播放/暂停", "播放/暫停"},
    {"Mute", "静音", "靜音"},
    {"Vol+", "音量+", "音量+"},
    {"Vol-", "音量-", "音量-"},
};
const Row kLaunchRows[] = {
    {"Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"},
    {"Mail", "邮件", "郵件"},
    {"Calculator", "计算器", "計算器"},
    {"My Computer", "我的电脑", "我的電腦"},
    {"Browser-Search", "浏览器-搜索", "瀏覽器-搜索"},
    {"Browser-Home", "浏览器-主页", "瀏覽器-主頁"},
    {"Browser-Back", "浏览器-后退", "瀏覽器-後退"},
    {"Browser-Forward", "浏览器-前进", "瀏覽器-前進"},
    {"Browser-Stop", "浏览器-停止", "瀏覽器-停止"},
    {"Browser-Refresh", "浏览器-刷新", "瀏覽器-刷新"},
    {"Browser-My Favorites", "浏览器-收藏夹", "瀏覽器-我的最愛"},
};
const Row kSkinRows[] = {
    {"Please click to set the UI text color", "请点击设置UI文本颜色", "請點擊設置UI文本顏色"},
    {"Default", "默认", "預設"},
};

constexpr UiLanguage kLanguages[] = {UiLanguage::English, UiLanguage::SimplifiedChinese,
                                     UiLanguage::TraditionalChinese};

// Each identifier of `ids` has the texts of the row at the same position.
void ExpectTexts(std::span<const UiText> ids, std::span<const Row> expected) {
    ASSERT_EQ(ids.size(), expected.size());
    for (UiLanguage language : kLanguages) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (expected[i].english == kWeb) continue;
            EXPECT_EQ(Text(ids[i], language), expected[i].In(language))
                << "row " << i << ", language " << static_cast<int>(language);
        }
    }
}

TEST(MainWindowTexts, EveryRowInEveryLanguageInIdentifierOrder) {
    std::vector<UiText> ids;
    for (std::size_t i = 0; i < std::size(kMainRows); ++i) ids.push_back(static_cast<UiText>(i));
    ASSERT_EQ(ids.back(), UiText::LabelSectionName);
    ExpectTexts(ids, kMainRows);
}

TEST(MainWindowTexts, WebLinkIsOneAddressInEveryLanguage) {
    const std::string_view address = Text(UiText::WebLink, UiLanguage::English);
    EXPECT_TRUE(address.starts_with("https://"));
    EXPECT_EQ(Text(UiText::WebLink, UiLanguage::SimplifiedChinese), address);
    EXPECT_EQ(Text(UiText::WebLink, UiLanguage::TraditionalChinese), address);
}

TEST(MainWindowTexts, TrailingBlanksAreKept) {
    EXPECT_EQ(Text(UiText::DpiSelfColorLedLabel, UiLanguage::English), "DPI Self-Color LED Setting ");
    EXPECT_EQ(Text(UiText::DpiStage1, UiLanguage::English), "Switch DPI into the first stage ");
    EXPECT_EQ(Text(UiText::DpiStage4, UiLanguage::English), "Switch DPI into the fourth stage ");
    EXPECT_EQ(Text(UiText::RecordingTitle, UiLanguage::SimplifiedChinese), "按Ctrl+Break可以停止录制");
}

TEST(MainWindowTexts, IdentifiersNameTheirRows) {
    // Spot checks that the stable identifiers the front end uses point at the right texts.
    EXPECT_EQ(Text(UiText::RestoreDefaultButtons, UiLanguage::SimplifiedChinese), "按键恢复");
    EXPECT_EQ(Text(UiText::RestorePointerDefaults, UiLanguage::SimplifiedChinese), "恢复默认");
    EXPECT_EQ(Text(UiText::NotRecordingMessage, UiLanguage::English),
              "It doesn\u2019t start recording, unnecessary to press Stop key!");
    EXPECT_EQ(Text(UiText::LabelSectionName, UiLanguage::TraditionalChinese), "Setting-CHT");
    EXPECT_EQ(Text(UiText::MacroNameExists, UiLanguage::TraditionalChinese), "巨集名稱已經存在");
}

TEST(DialogTexts, EveryDialogsRows) {
    using enum UiText;
    const Row fireKey{"A", "A", "A"};
    const Row empty{"", "", ""};
    ExpectTexts(std::vector<UiText>{Ok, Cancel}, std::vector<Row>{{"OK", "确定", "確定"}, {"Cancel", "取消", "取消"}});
    ExpectTexts(std::vector<UiText>{PleaseEnterKey}, kSingleKeyRows);
    ExpectTexts(std::vector<UiText>{PleaseEnterDelay, DelayRange}, kDelayRows);
    ExpectTexts(std::vector<UiText>{FireKeyDefaultKey}, std::span(&fireKey, 1));
    ExpectTexts(std::vector<UiText>{FireSpeed, FireTimes, FireIllustration, FireSpeedHelp, FireTimesHelp},
                kFireRows);
    ExpectTexts(MacroRepeatModeTexts(), std::span(kMacroKeyRows).first(3));
    ExpectTexts(std::vector<UiText>{PleaseSelectMacro}, std::span(kMacroKeyRows).subspan(3));
    ExpectTexts(std::vector<UiText>{EmptyText}, std::span(&empty, 1));
    ExpectTexts(MediaKeyTexts(), kMediaRows);
    ExpectTexts(LaunchTargetTexts(), kLaunchRows);
    ExpectTexts(std::vector<UiText>{SkinTextColorPrompt, DefaultSkin}, kSkinRows);
}

TEST(DialogTexts, ListsForTheKeyDialogs) {
    ASSERT_EQ(MediaKeyTexts().size(), 7u);
    ASSERT_EQ(LaunchTargetTexts().size(), 11u);
    ASSERT_EQ(MacroRepeatModeTexts().size(), 3u);
    EXPECT_EQ(Text(MediaKeyTexts()[6], UiLanguage::SimplifiedChinese), "音量-");
    EXPECT_EQ(Text(LaunchTargetTexts()[10], UiLanguage::TraditionalChinese), "瀏覽器-我的最愛");
    EXPECT_EQ(Text(MacroRepeatModeTexts()[2], UiLanguage::English), "Repeat until the key is released");
}

TEST(FunctionTexts, FollowTheFunctionCodes) {
    EXPECT_EQ(FunctionText(0, UiLanguage::English), "Left Click");
    EXPECT_EQ(FunctionText(8, UiLanguage::SimplifiedChinese), "Windows");
    EXPECT_EQ(FunctionText(12, UiLanguage::TraditionalChinese), "複合鍵");
    EXPECT_EQ(FunctionText(14, UiLanguage::SimplifiedChinese), "按键关闭");
    EXPECT_EQ(FunctionText(15, UiLanguage::English), "");
    EXPECT_EQ(FunctionText(-1, UiLanguage::English), "");
    EXPECT_EQ(LedModeText(3, UiLanguage::SimplifiedChinese), "霓虹模式");
    EXPECT_EQ(LedModeText(4, UiLanguage::English), "");
}

struct LocaleCase {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    UiLanguage expected;
};

TEST(LanguageRule, FirstSetVariableDecidesAndOnlyChinaAndTaiwanAreChinese) {
    const LocaleCase cases[] = {
        {"", "", "", UiLanguage::English},
        {"", "", "C", UiLanguage::English},
        {"", "", "POSIX", UiLanguage::English},
        {"", "", "zh_CN.UTF-8", UiLanguage::SimplifiedChinese},
        {"", "", "zh_CN", UiLanguage::SimplifiedChinese},
        {"", "", "zh_CN.GB18030", UiLanguage::SimplifiedChinese},
        {"", "", "zh_TW.UTF-8", UiLanguage::TraditionalChinese},
        {"", "", "zh_TW.Big5@stroke", UiLanguage::TraditionalChinese},
        {"", "", "zh-tw", UiLanguage::TraditionalChinese},
        {"", "", "zh_HK.UTF-8", UiLanguage::English},
        {"", "", "zh_SG.UTF-8", UiLanguage::English},
        {"", "", "zh_MO.UTF-8", UiLanguage::English},
        {"", "", "zh", UiLanguage::English},
        {"", "", "zh_CNX", UiLanguage::English},
        {"", "", "en_CN.UTF-8", UiLanguage::English},
        {"", "", "de_DE.UTF-8", UiLanguage::English},
        {"en_US.UTF-8", "zh_CN.UTF-8", "zh_TW.UTF-8", UiLanguage::English},
        {"zh_TW.UTF-8", "zh_CN.UTF-8", "en_US.UTF-8", UiLanguage::TraditionalChinese},
        {"", "zh_CN.UTF-8", "en_US.UTF-8", UiLanguage::SimplifiedChinese},
        {"", "en_GB.UTF-8", "zh_CN.UTF-8", UiLanguage::English},
    };
    for (const LocaleCase& c : cases) {
        EXPECT_EQ(LanguageFromLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
            << c.lcAll << " / " << c.lcMessages << " / " << c.lang;
    }
}

// Sets the locale variables for one test and puts the old ones back.
class LocaleEnvironment {
public:
    LocaleEnvironment() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    ~LocaleEnvironment() {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (saved_[i]) setenv(kNames[i], saved_[i]->c_str(), 1);
            else unsetenv(kNames[i]);
        }
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

TEST(LanguageRule, SystemLanguageReadsTheEnvironment) {
    LocaleEnvironment environment;
    EXPECT_EQ(SystemUiLanguage(), UiLanguage::English);
    setenv("LANG", "zh_CN.UTF-8", 1);
    EXPECT_EQ(SystemUiLanguage(), UiLanguage::SimplifiedChinese);
    setenv("LC_MESSAGES", "zh_TW.UTF-8", 1);
    EXPECT_EQ(SystemUiLanguage(), UiLanguage::TraditionalChinese);
    setenv("LC_ALL", "", 1);  // set but empty: as if unset
    EXPECT_EQ(SystemUiLanguage(), UiLanguage::TraditionalChinese);
    setenv("LC_ALL", "zh_HK.UTF-8", 1);
    EXPECT_EQ(SystemUiLanguage(), UiLanguage::English);
}

TEST(Fonts, FaceHeightAndWeightFollowTheLanguage) {
    struct Case {
        UiLanguage language;
        std::string_view normalFace;
        int normalHeight;
        std::string_view boldFace;
        int boldHeight;
    };
    const Case cases[] = {
        {UiLanguage::English, "Arial", 14, "Tahoma", 18},
        {UiLanguage::SimplifiedChinese, "宋体", 13, "宋体", 18},
        {UiLanguage::TraditionalChinese, "黑体", 13, "黑体", 18},
    };
    for (const Case& c : cases) {
        const FontChoice fonts = FontsFor(c.language);
        EXPECT_EQ(fonts.normal.PrimaryFace(), c.normalFace);
        EXPECT_EQ(fonts.normal.pixelHeight, c.normalHeight);
        EXPECT_EQ(fonts.normal.weight, 400);
        EXPECT_EQ(fonts.bold.PrimaryFace(), c.boldFace);
        EXPECT_EQ(fonts.bold.pixelHeight, c.boldHeight);
        EXPECT_EQ(fonts.bold.weight, 700);
        // A Linux desktop rarely has the Windows face: there must be somewhere to fall back to.
        EXPECT_GT(fonts.normal.faces.size(), 1u);
        EXPECT_GT(fonts.bold.faces.size(), 1u);
    }
}

}  // namespace
}  // namespace kz7
