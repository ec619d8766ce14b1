#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

PageSetMasFace2::PageSetMasFace2(const FontLists& fonts, QWidget* parent)
    : ListPage({"硕士中文内封",
                {
                    {" 顶部信息 ",
                     {{"字体", 1087, ListKind::Font, &T::cnInnerTopInfoFont},
                      {"字号", 1088, ListKind::Size, &T::cnInnerTopInfoSize},
                      {"加粗", 1089, ListKind::Bold, &T::cnInnerTopInfoBold}}},
                    {" 顶部标题 ",
                     {{"字体", 1097, ListKind::Font, &T::cnInnerDegreeLabelFont},
                      {"字号", 1098, ListKind::Size, &T::cnInnerDegreeLabelSize},
                      {"加粗", 1099, ListKind::Bold, &T::cnInnerDegreeLabelBold}}},
                    {"学位类型",
                     {{"字体", 1102, ListKind::Font, &T::cnInnerDegreeTypeFont},
                      {"字号", 1100, ListKind::Size, &T::cnInnerDegreeTypeSize},
                      {"加粗", 1101, ListKind::Bold, &T::cnInnerDegreeTypeBold}}},
                    {" 论文题目 ",
                     {{"字体", 1090, ListKind::Font, &T::cnInnerTitleFont},
                      {"字号", 1092, ListKind::Size, &T::cnInnerTitleSize},
                      {"加粗", 1093, ListKind::Bold, &T::cnInnerTitleBold}}},
                    {" 作者 ",
                     {{"字体", 1094, ListKind::Font, &T::cnInnerAuthorNameFont},
                      {"字号", 1095, ListKind::Size, &T::cnInnerAuthorNameSize},
                      {"加粗", 1096, ListKind::Bold, &T::cnInnerAuthorNameBold}}},
                    {" 作者信息 ",
                     {{"字体", 1086, ListKind::Font, &T::cnInnerAuthorInfoFont},
                      {"字号", 1084, ListKind::Size, &T::cnInnerAuthorInfoSize},
                      {"加粗", 1085, ListKind::Bold, &T::cnInnerAuthorInfoBold}}},
                },
                "硕士中文内封格式"},
               fonts, parent) {}

}  // namespace quillmark::gui
