#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

PageSetMasFace1::PageSetMasFace1(const FontLists& fonts, QWidget* parent)
    : ListPage({"硕士外封",
                {
                    {" 最顶标题 ",
                     {{"字体", 1072, ListKind::Font, &T::masterDegreeLabelFont},
                      {"字号", 1073, ListKind::Size, &T::masterDegreeLabelSize},
                      {"加粗", 1074, ListKind::Bold, &T::masterDegreeLabelBold}}},
                    {"学位类型",
                     {{"字体", 1029, ListKind::Font, &T::masterDegreeTypeFont},
                      {"字号", 1030, ListKind::Size, &T::masterDegreeTypeSize},
                      {"加粗", 1031, ListKind::Bold, &T::masterDegreeTypeBold}}},
                    {" 论文题目 ",
                     {{"字体", 1078, ListKind::Font, &T::masterTitleFont},
                      {"字号", 1079, ListKind::Size, &T::masterTitleSize},
                      {"加粗", 1080, ListKind::Bold, &T::masterTitleBold}}},
                    {" 作者名字 ",
                     {{"字体", 1081, ListKind::Font, &T::masterAuthorInfoFont},
                      {"字号", 1082, ListKind::Size, &T::masterAuthorInfoSize},
                      {"加粗", 1083, ListKind::Bold, &T::masterAuthorInfoBold}}},
                    {" 时间 ",
                     {{"字体", 1077, ListKind::Font, &T::masterDateFont},
                      {"字号", 1075, ListKind::Size, &T::masterDateSize},
                      {"加粗", 1076, ListKind::Bold, &T::masterDateBold}}},
                },
                "硕士外框"},
               fonts, parent) {}

}  // namespace quillmark::gui
