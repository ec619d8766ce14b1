#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

PageSetFace::PageSetFace(const FontLists& fonts, QWidget* parent)
    : ListPage({"本科封面",
                {
                    {" 大标题 ",
                     {{"标题字体", 1065, ListKind::Font, &T::bachelorDegreeLabelFont},
                      {"标题字号", 1066, ListKind::Size, &T::bachelorDegreeLabelSize},
                      {"标题加粗", 1067, ListKind::Bold, &T::bachelorDegreeLabelBold}}},
                    {" 论文标题 ",
                     {{"中文字体", 1044, ListKind::Font, &T::bachelorTitleFont},
                      {"中文标题字号", 1045, ListKind::Size, &T::bachelorTitleSize},
                      {"标题加粗", 1047, ListKind::Bold, &T::bachelorTitleBold},
                      {"英文字体", 1049, ListKind::Font, &T::bachelorForeignTitleFont},
                      {"英文标题字号", 1046, ListKind::Size, &T::bachelorForeignTitleSize}}},
                    {" 作者信息 ",
                     {{"中文字体", 1068, ListKind::Font, &T::bachelorAuthorInfoCnFont},
                      {"信息字号", 1053, ListKind::Size, &T::bachelorAuthorInfoSize},
                      {"信息加粗", 1055, ListKind::Bold, &T::bachelorAuthorInfoBold},
                      {"英文字体", 1056, ListKind::Font, &T::bachelorAuthorInfoEnFont}}},
                },
                "封面格式"},
               fonts, parent) {}

}  // namespace quillmark::gui
