#include "Comments.h"

#include "DocumentModel.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/util/DateTime.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>

namespace word {

namespace {

namespace css = uno::css;
using uno::Reference;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

constexpr const char* kAnnotation = "com.sun.star.text.TextField.Annotation";

css::util::DateTime now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    css::util::DateTime d;
    d.Year = static_cast<sal_Int16>(local.tm_year + 1900);
    d.Month = static_cast<sal_uInt16>(local.tm_mon + 1);
    d.Day = static_cast<sal_uInt16>(local.tm_mday);
    d.Hours = static_cast<sal_uInt16>(local.tm_hour);
    d.Minutes = static_cast<sal_uInt16>(local.tm_min);
    d.Seconds = static_cast<sal_uInt16>(local.tm_sec);
    return d;
}

}  // namespace

std::vector<Comment> Comments::All() const {
    model_->invalidate();
    std::vector<Comment> comments;
    uno::guarded([&] {
        Reference<css::text::XTextFieldsSupplier> supplier(model_->unoDocument(), UNO_QUERY_THROW);
        Reference<css::container::XEnumeration> fields = supplier->getTextFields()->createEnumeration();
        while (fields->hasMoreElements()) {
            Reference<css::lang::XServiceInfo> info(fields->nextElement(), UNO_QUERY);
            if (!info.is() || !info->supportsService(OUString::createFromAscii(kAnnotation))) continue;
            Reference<css::beans::XPropertySet> props(info, UNO_QUERY_THROW);
            Reference<css::text::XTextContent> content(info, UNO_QUERY_THROW);
            Comment comment;
            comment.Author = uno::toUtf8(props->getPropertyValue("Author").get<OUString>());
            comment.Text = uno::toUtf8(props->getPropertyValue("Content").get<OUString>());
            Reference<css::text::XTextRange> anchor = content->getAnchor();
            comment.Start = model_->positionOf(anchor->getStart());
            comments.push_back(std::move(comment));
        }
    });
    std::stable_sort(comments.begin(), comments.end(),
                     [](const Comment& a, const Comment& b) { return a.Start < b.Start; });
    return comments;
}

void Comments::Add(long position, const std::string& text, const std::string& author) {
    Reference<css::text::XTextRange> at = model_->unoRange(position, position);
    uno::guarded([&] {
        Reference<css::lang::XMultiServiceFactory> factory(model_->unoDocument(), UNO_QUERY_THROW);
        Reference<css::text::XTextContent> field(factory->createInstance(OUString::createFromAscii(kAnnotation)),
                                                 UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> props(field, UNO_QUERY_THROW);
        props->setPropertyValue("Author", uno::Any(uno::toOU(author)));
        props->setPropertyValue("Content", uno::Any(uno::toOU(text)));
        props->setPropertyValue("DateTimeValue", uno::Any(now()));
        at->getText()->insertTextContent(at, field, false);
        added_.push_back(field);
    });
}

void Comments::DeleteAdded() {
    uno::guarded([&] {
        for (auto it = added_.rbegin(); it != added_.rend(); ++it) {
            Reference<css::text::XTextRange> anchor = (*it)->getAnchor();
            anchor->getText()->removeTextContent(*it);
        }
    });
    added_.clear();
}

}  // namespace word
