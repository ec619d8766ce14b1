#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

// The two Latin-font lists of this page keep the fonts in reporting order.
PageSetText::PageSetText(const FontLists& fonts, QWidget* parent)
    : ListPage({"正文",
                {
                    {" 一级标题 ",
                     {{"字体", 1060, ListKind::Font, &T::heading1Font},
                      {"字号", 1061, ListKind::Size, &T::heading1Size},
                      {"加粗", 1062, ListKind::Bold, &T::heading1Bold}}},
                    {" 二级标题 ",
                     {{"字体", 1034, ListKind::Font, &T::heading2Font},
                      {"字号", 1030, ListKind::Size, &T::heading2Size},
                      {"加粗", 1033, ListKind::Bold, &T::heading2Bold}}},
                    {" 三级标题 ",
                     {{"字体", 1043, ListKind::Font, &T::heading3Font},
                      {"字号", 1041, ListKind::Size, &T::heading3Size},
                      {"加粗", 1042, ListKind::Bold, &T::heading3Bold}}},
                    {" 正文 ",
                     {{"中文字体", 1048, ListKind::Font, &T::bodyTextCnFont},
                      {"字号", 1038, ListKind::Size, &T::bodyTextSize},
                      {"英文字体", 1049, ListKind::ReportOrderFont, &T::bodyTextEnFont}}},
                    {" 上标 ",
                     {{"英文字体", 1045, ListKind::ReportOrderFont, &T::superscriptFont},
                      {"字号", 1044, ListKind::Size, &T::superscriptSize}}},
                },
                "学士正文"},
               fonts, parent) {}

}  // namespace quillmark::gui
