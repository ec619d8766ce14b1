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

FontLists fontListsWithStandIns(std::vector<std::string> families, const FormatTemplate& shown,
                                const std::function<bool(const std::string&)>& answered) {
    const std::vector<std::string> kept = uniqueFontNames(templateFontNames(shown));
    const std::size_t familyCount = families.size();
    const auto isFamily = [&](const std::string& name) {
        const auto end = families.begin() + static_cast<std::ptrdiff_t>(familyCount);
        return std::find(families.begin(), end, name) != end;
    };
    for (const std::string& name : kept) {
        if (!isFamily(name)) families.push_back(name);
    }
    for (const std::string& name : uniqueFontNames(templateFontNames(FormatTemplate{}))) {
        const bool listed = isFamily(name) || std::find(kept.begin(), kept.end(), name) != kept.end();
        if (!listed && answered(name)) families.push_back(name);
    }
    return fontListsFrom(families);
}

FontLists installedFontLists(const FormatTemplate& shown) {
    return fontListsWithStandIns(installedFamilies(), shown, [](const std::string& name) {
        return QFontDatabase::hasFamily(QString::fromStdString(name));
    });
}

}  // namespace quillmark::gui
