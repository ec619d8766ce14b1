#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

PageSetMasFaceEng::PageSetMasFaceEng(const FontLists& fonts, QWidget* parent)
    : ListPage({"硕士英文内封",
                {
                    {" 最顶标题 ",
                     {{"字体", 1100, ListKind::Font, &T::enInnerTopTitleFont},
                      {"字号", 1101, ListKind::Size, &T::enInnerTopTitleSize},
                      {"加粗", 1102, ListKind::Bold, &T::enInnerTopTitleBold}}},
                    {" 论文题目 ",
                     {{"字体", 1106, ListKind::Font, &T::enInnerTitleFont},
                      {"字号", 1107, ListKind::Size, &T::enInnerTitleSize},
                      {"加粗", 1108, ListKind::Bold, &T::enInnerTitleBold}}},
                    {" 作者名字 ",
                     {{"字体", 1103, ListKind::Font, &T::enInnerAuthorNameFont},
                      {"字号", 1104, ListKind::Size, &T::enInnerAuthorNameSize},
                      {"加粗", 1105, ListKind::Bold, &T::enInnerAuthorNameBold}}},
                    {" 作者信息 ",
                     {{"字体", 1109, ListKind::Font, &T::enInnerAuthorInfoFont},
                      {"字号", 1110, ListKind::Size, &T::enInnerAuthorInfoSize},
                      {"加粗", 1111, ListKind::Bold, &T::enInnerAuthorInfoBold}}},
                },
                "硕士英文内封格式"},
               fonts, parent) {}

}  // namespace quillmark::gui
