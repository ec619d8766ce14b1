#include "gui/templatesettings/FontLists.h"

#include "template/FontNames.h"

#include <QCollator>
#include <QFontDatabase>
#include <QLocale>

#include <algorithm>

namespace quillmark::gui {

namespace {

// The order of a sorted list: as a Chinese system sorts, ASCII letters
// regardless of case; equal names keep their reporting order.
void sortAlphabetically(std::vector<std::string>& names) {
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const std::string& a, const std::string& b) {
        return collator.compare(QString::fromStdString(a), QString::fromStdString(b)) < 0;
    });
}

std::vector<std::string> installedFamilies() {
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families()) families.push_back(family.toStdString());
    return families;
}

}  // namespace

FontLists fontListsFrom(const std::vector<std::string>& reported) {
    FontLists lists;
    lists.reported = uniqueFontNames(reported);
    lists.sorted = lists.reported;
    sortAlphabetically(lists.sorted);
    return lists;
}

FontLists installedFontLists(const FormatTemplate& shown) {
    std::vector<std::string> reported = installedFamilies();
    std::vector<std::string> wanted = templateFontNames(shown);
    for (std::string& name : templateFontNames(FormatTemplate{})) wanted.push_back(std::move(name));
    for (const std::string& name : uniqueFontNames(wanted)) {
        const bool installed = std::find(reported.begin(), reported.end(), name) != reported.end();
        if (!installed && QFontDatabase::hasFamily(QString::fromStdString(name))) reported.push_back(name);
    }
    return fontListsFrom(reported);
}

}  // namespace quillmark::gui
