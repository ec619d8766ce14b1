#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

PageSetAbsE::PageSetAbsE(const FontLists& fonts, QWidget* parent)
    : ListPage({"英文摘要",
                {
                    {"摘要 ",
                     {{"标题字体", 1032, ListKind::Font, &T::enAbstractHeadingFont},
                      {"标题字号", 1029, ListKind::Size, &T::enAbstractHeadingSize},
                      {"标题加粗", 1031, ListKind::Bold, &T::enAbstractHeadingBold},
                      {"标题对齐方式", 1030, ListKind::Alignment, &T::enAbstractHeadingAlign},
                      {"正文中文字体", 1037, ListKind::Font, &T::enAbstractBodyCnFont},
                      {"正文英文字体", 1038, ListKind::Font, &T::enAbstractBodyEnFont}}},
                    {" 关键词 ",
                     {{"标题字体", 1033, ListKind::Font, &T::enKeywordsLabelFont},
                      {"标题字号", 1034, ListKind::Size, &T::enKeywordsLabelSize},
                      {"标题加粗", 1035, ListKind::Bold, &T::enKeywordsLabelBold},
                      {"正文中文字体", 1041, ListKind::Font, &T::enKeywordsCnFont},
                      {"正文英文字体", 1042, ListKind::Font, &T::enKeywordsEnFont}}},
                },
                "英文摘要", true},
               fonts, parent) {}

}  // namespace quillmark::gui
