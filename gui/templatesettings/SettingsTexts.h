#pragma once

// Texts of the template settings dialog beyond its labels, UTF-8.
namespace quillmark::gui::texts {

inline constexpr const char* kSaveTemplateAs = "另存为…";
inline constexpr const char* kSaveTemplateTitle = "模板另存为";
inline constexpr const char* kTemplateSaveFailed = "模板文件无法保存：";
inline constexpr const char* kTemplateWaitsForRun =
    "检测正在进行中，新的模板设置将在本次检测结束后生效。";

}  // namespace quillmark::gui::texts
