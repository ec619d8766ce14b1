#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

// The caption and table-text size lists offer "10.5" beside "五号"; the
// separator list also takes typed text.
PageSetPicTable::PageSetPicTable(const FontLists& fonts, QWidget* parent)
    : ListPage({"图表",
                {
                    {" 图名 ",
                     {{"中文字体", 1069, ListKind::Font, &T::figureCaptionCnFont},
                      {"字号", 1070, ListKind::FigureTableSize, &T::figureCaptionSize},
                      {"是否加粗", 1071, ListKind::Bold, &T::figureCaptionBold},
                      {"英文字体", 1072, ListKind::Font, &T::figureCaptionEnFont}}},
                    {" 表名 ",
                     {{"中文字体", 1037, ListKind::Font, &T::tableCaptionCnFont},
                      {"字号", 1035, ListKind::FigureTableSize, &T::tableCaptionSize},
                      {"是否加粗", 1036, ListKind::Bold, &T::tableCaptionBold},
                      {"英文字体", 1039, ListKind::Font, &T::tableCaptionEnFont}}},
                    {" 图注和表注 ",
                     {{"字体", 1034, ListKind::Font, &T::captionNoteFont},
                      {"字号", 1030, ListKind::Size, &T::captionNoteSize}}},
                    {" 表内文字 ",
                     {{"字体", 1040, ListKind::Font, &T::tableTextFont},
                      {"字号", 1038, ListKind::FigureTableSize, &T::tableTextSize}}},
                    {nullptr, {{"图表序号分隔符", 1029, ListKind::Separator, &T::numberSeparator}}},
                },
                nullptr},
               fonts, parent) {}

}  // namespace quillmark::gui
