#include "gui/templatesettings/SettingsPages.h"

namespace quillmark::gui {

using T = FormatTemplate;

PageSetAbsC::PageSetAbsC(const FontLists& fonts, QWidget* parent)
    : ListPage({"中文摘要",
                {
                    {"摘要 ",
                     {{"摘要形式", 1029, ListKind::AbstractHeadingForm, &T::cnAbstractHeadingForm},
                      {"标题对齐方式", 1046, ListKind::Alignment, &T::cnAbstractHeadingAlign},
                      {"标题加粗", 1047, ListKind::Bold, &T::cnAbstractHeadingBold},
                      {"标题字体", 1043, ListKind::Font, &T::cnAbstractHeadingFont},
                      {"标题字号", 1045, ListKind::Size, &T::cnAbstractHeadingSize},
                      {"正文中文字体", 1048, ListKind::Font, &T::cnAbstractBodyCnFont},
                      {"正文英文字体", 1049, ListKind::Font, &T::cnAbstractBodyEnFont}}},
                    {" 关键词 ",
                     {{"标题形式", 1036, ListKind::KeywordsLabelForm, &T::cnKeywordsLabelForm},
                      {"标题字体", 1050, ListKind::Font, &T::cnKeywordsLabelFont},
                      {"标题字号", 1051, ListKind::Size, &T::cnKeywordsLabelSize},
                      {"标题加粗", 1052, ListKind::Bold, &T::cnKeywordsLabelBold},
                      {"正文中文字体", 1053, ListKind::Font, &T::cnKeywordsCnFont},
                      {"正文英文字体", 1054, ListKind::Font, &T::cnKeywordsEnFont}}},
                    {" 注释 ",
                     {{"中文字体", 1039, ListKind::Font, &T::abstractNotesCnFont},
                      {"英文字体", 1040, ListKind::Font, &T::abstractNotesEnFont},
                      {"字号", 1044, ListKind::Size, &T::abstractNotesSize}}},
                },
                "中文摘要"},
               fonts, parent) {}

}  // namespace quillmark::gui
