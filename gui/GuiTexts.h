#pragma once

// Labels of the main window and its small dialogs, UTF-8. The texts the
// shell shows (messages, status texts, column headings) live in shell/.
namespace quillmark::gui::texts {

// Toolbar.
inline constexpr const char* kLoadTemplate = "载入模板";
inline constexpr const char* kDeriveTemplate = "从范文生成模板…";
inline constexpr const char* kModelFilter = "学校的论文范文 (*.doc *.docx)";
inline constexpr const char* kDeriving = "正在从范文生成模板";
inline constexpr const char* kOpenFile = "打开文件";
inline constexpr const char* kCheckAll = "检测所有";
inline constexpr const char* kWriteReport = "生成报表";
inline constexpr const char* kTemplateSettings = "模板设置";
inline constexpr const char* kHelp = "帮助";
inline constexpr const char* kAbout = "关于";

// Document list buttons.
inline constexpr const char* kShowFindings = "显示错误列表";
inline constexpr const char* kRemoveAll = "清空文件";
inline constexpr const char* kRemoveOne = "移除单个文件";

// Check pages.
inline constexpr const char* kAbstractPage = "摘要";
inline constexpr const char* kTextPage = "正文";
inline constexpr const char* kOtherPage = "其它";
inline constexpr const char* kCoverTip = "单独检测封面部分，包括论文标题、作者信息等内容。";
inline constexpr const char* kBodyTip = "检测各级标题，内容，上标，图表格式是否正确，一级标题是否置顶。";
inline constexpr const char* kReferencesTip = "检测文献信息是否齐全。";
inline constexpr const char* kNotAvailableTip = "（本版本尚不能检测这一部分）";

// Mode buttons.
inline constexpr const char* kCheckMode = "查错";
inline constexpr const char* kAutoFixMode = "点击自动修改";

// Findings list buttons.
inline constexpr const char* kFindingsGroup = "错误列表";
inline constexpr const char* kClearList = "清空列表";
inline constexpr const char* kJump = "到错误文档";
inline constexpr const char* kHideEditor = "隐藏文档";

// Run buttons; the inner blanks belong to the labels.
inline constexpr const char* kPause = "暂  停";
inline constexpr const char* kContinue = " 继  续";
inline constexpr const char* kStop = " 停  止";

// File dialogs.
inline constexpr const char* kWordFilter = "Word 文档 (*.doc *.docx)";
inline constexpr const char* kThesisFilter = "1997-2003 文档 (*.doc)";
inline constexpr const char* kDocxFilter = "Word 文档 (*.docx)";
inline constexpr const char* kTemplateFilter = "模板配置文件 (*.ini)";
inline constexpr const char* kReportFilter = " 保存为doc文档 (*.doc)";
inline constexpr const char* kReportDocxFilter = " 保存为docx文档 (*.docx)";
inline constexpr const char* kReportComments = "报表中加入批注";

// Help menu and small dialogs.
inline constexpr const char* kHelpMenu = "帮助(&H)";
inline constexpr const char* kAboutEntry = "关于 Quillmark(&A)...";
inline constexpr const char* kUsageTitle = "使用说明";
inline constexpr const char* kAboutTitle = "关于 Quillmark";
inline constexpr const char* kAboutText = "Quillmark 1.0 版";
inline constexpr const char* kOk = "确定";

// The six lines of the usage help, blanks kept.
inline constexpr const char* kUsageLines[] = {
    "1,默认论文模板自动载入",
    "2,可以在“设置->模板设置”中修改并保存自己的模板，   以便以后载入用户自定义模版",
    "3,单击“打开论文”载入要检测的论文",
    "4,选中要检测的论文，单击“检测全文”",
    "5,“生成报表”可以在论文同个目录下创建一个用红色标   明错误的文档文件（.doc）,与一个错误具体说明的文    本文件（.txt)",
    "6,检测系统不会对论文做任何修改，请放心使用。",
};

// Template settings.
inline constexpr const char* kSettingsTitle = "模板设置";
inline constexpr const char* kThesisTypeGroup = " 检测论文类型 ";
inline constexpr const char* kBachelor = "学士论文";
inline constexpr const char* kMaster = "硕士论文";
inline constexpr const char* kCancel = "取 消";

// The window caption, and the text shown while a run ends before the window closes.
inline constexpr const char* kCaption = "Quillmark 论文格式检测";
inline constexpr const char* kEndingRun = "正在结束检测，窗口稍后关闭……";

}  // namespace quillmark::gui::texts
