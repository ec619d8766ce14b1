#pragma once

// Texts the shell shows to the user, UTF-8.
namespace quillmark::texts {

inline constexpr const char* kRunInProgress =
    "查找进在进行中，此操作将使可能造成不可预见情况，请先按停止或等待查找结束";
inline constexpr const char* kSelectItem = "请选择查看项！";
inline constexpr const char* kSelectDocument = "请选择文档！";
inline constexpr const char* kWordStartFailed = "创建word应用程序失败！\n你是否安装了ms office word程序！";
inline constexpr const char* kDocumentClosedInWord =
    "此论文已被关闭, 操作不能继续！请勿手动关闭论文，退出检测系统时，会帮你关闭。";
inline constexpr const char* kWrongFileName = "文件名不正确！";
inline constexpr const char* kFindingNotFound = "找不到选择项的错误信息！";
inline constexpr const char* kCheckAgain = "该部份已经被查过，是否再查找一次";
inline constexpr const char* kDebug = "调试";
inline constexpr const char* kTemplateLoaded = "模板已载入！！";

// Captions of the engine's error boxes.
inline constexpr const char* kServerErrorCaption = "Server Error";
inline constexpr const char* kComErrorCaption = "COM Error";

// The shell's own texts for failures the program reports beyond the above.
inline constexpr const char* kCopyFailed = "无法把论文复制到工作文件夹，论文没有打开：";
inline constexpr const char* kCheckFailed = "检测中途出错，该项检测已结束：";
inline constexpr const char* kSaveFailed = "无法保存文档，报表没有生成：";
inline constexpr const char* kReportFileFailed = "无法创建报表文件：";
inline constexpr const char* kReportIsThesis = "报表不能保存为论文本身，请另选文件名：";
inline constexpr const char* kReportFolderUnwritable = "无法在该文件夹中保存报表：";
inline constexpr const char* kReportExtension = "报表文件名应以 .doc 或 .docx 结尾：";
inline constexpr const char* kThreadFailed = "无法启动检测线程。";

// The default name of a saved report document: display name followed by this.
inline constexpr const char* kReportNameSuffix = "(修改后).doc";

}  // namespace quillmark::texts
