#include "FieldScanner.h"

#include "Range.h"
#include "WordConstants.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XDocumentIndexesSupplier.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>

#include <algorithm>
#include <utility>

namespace word {

namespace {

using uno::Reference;
using uno::UNO_QUERY;

long fieldType(const Reference<uno::css::lang::XServiceInfo>& info) {
    static const std::pair<const char*, long> types[] = {
        {"com.sun.star.text.textfield.PageNumber", wdFieldPage},
        {"com.sun.star.text.textfield.PageCount", wdFieldNumPages},
        {"com.sun.star.text.textfield.DateTime", wdFieldDate},
        {"com.sun.star.text.textfield.GetReference", wdFieldRef},
        {"com.sun.star.text.textfield.URL", wdFieldHyperlink},
    };
    for (const auto& [service, type] : types) {
        if (info->supportsService(OUString::createFromAscii(service))) return type;
    }
    return wdFieldEmpty;
}

}  // namespace

std::vector<Field> scanFields(const std::shared_ptr<DocumentModel>& model) {
    std::vector<Field> fields;
    uno::guarded([&] {
        auto document = model->unoDocument();
        Reference<uno::css::text::XDocumentIndexesSupplier> indexes(document, UNO_QUERY);
        if (indexes.is()) {
            auto all = indexes->getDocumentIndexes();
            for (sal_Int32 i = 0; i < all->getCount(); ++i) {
                Reference<uno::css::lang::XServiceInfo> info(all->getByIndex(i), UNO_QUERY);
                if (!info.is() || !info->supportsService("com.sun.star.text.ContentIndex")) continue;
                Reference<uno::css::text::XTextContent> content(info, UNO_QUERY);
                auto anchor = content->getAnchor();
                const long start = model->positionOf(anchor->getStart());
                const long end = model->positionOf(anchor->getEnd());
                fields.emplace_back(model, wdFieldTOC, start, std::max(start, end));
            }
        }
        Reference<uno::css::text::XTextFieldsSupplier> supplier(document, UNO_QUERY);
        if (supplier.is()) {
            auto enumeration = supplier->getTextFields()->createEnumeration();
            while (enumeration->hasMoreElements()) {
                Reference<uno::css::text::XTextContent> field(enumeration->nextElement(), UNO_QUERY);
                if (!field.is()) continue;
                auto anchor = field->getAnchor();
                // Fields in headers, footers and frames are not in the main story.
                if (!anchor.is()) continue;
                const long start = model->positionOf(anchor->getStart());
                if (start < 0) continue;
                fields.emplace_back(model, fieldType(Reference<uno::css::lang::XServiceInfo>(field, UNO_QUERY)), start, start + 1);
            }
        }
    });
    std::stable_sort(fields.begin(), fields.end(),
                     [](const Field& a, const Field& b) { return a.Result().Start() < b.Result().Start(); });
    return fields;
}

}  // namespace word
