#include "checks/BodyItemCheck.h"

#include "checks/BodyState.h"
#include "checks/CheckSession.h"

namespace quillmark {

BodyItemCheck::BodyItemCheck(CheckSession& session, const word::Range& item) : session_(session), item_(item) {}

BodyItemCheck& BodyItemCheck::bold(std::int32_t flag) {
    const int read = item_.Font().Bold() == -1 ? 1 : 0;
    if (read != flag) {
        deviation(messages::kBodyWordBold, [](word::Font& font) { font.SetBold(word::wdToggle); });
    } else {
        passed();
    }
    return *this;
}

BodyItemCheck& BodyItemCheck::fontName(FontNameProperty property, const std::string& expected) {
    if (fontNameDeviates(item_.Font(), property, expected)) {
        deviation(messages::kBodyWordFont, [&](word::Font& font) { setFontName(font, property, expected); });
    } else {
        passed();
    }
    return *this;
}

BodyItemCheck& BodyItemCheck::size(float expected) {
    if (sizeDeviates(item_.Font(), expected)) {
        deviation(messages::kBodyWordSize, [&](word::Font& font) { font.SetSize(expected); });
    } else {
        passed();
    }
    return *this;
}

BodyItemCheck& BodyItemCheck::centred() {
    if (alignmentDeviates(item_, word::wdAlignParagraphCenter)) {
        deviation(messages::kBodyWordAlignment,
                  [&](word::Font&) { item_.Paragraphs().SetAlignment(word::wdAlignParagraphCenter); });
    } else {
        passed();
    }
    return *this;
}

BodyItemCheck& BodyItemCheck::blackenEveryTest() {
    blackenEveryTest_ = true;
    return *this;
}

void BodyItemCheck::deviation(std::string_view word, const std::function<void(word::Font&)>& fix) {
    word::Font font = item_.Font();
    if (session_.autoFix()) {
        fix(font);
        font.SetColor(kFixedColor);
        return;
    }
    // One mark stands for every deviation of the item.
    if (!marked_) font.SetColor(kMarkColor);
    marked_ = true;
    words_ += word;
}

void BodyItemCheck::passed() {
    if (blackenEveryTest_ && session_.autoFix()) item_.Font().SetColor(kFixedColor);
}

void BodyItemCheck::report(messages::BodyItem kind) {
    if (!deviates()) return;
    report(kind, static_cast<int>(item_.Start()), CheckSession::locate(item_));
}

void BodyItemCheck::report(messages::BodyItem kind, int position, const Location& where) {
    if (!deviates()) return;
    session_.post(messages::bodyItemLevel(kind), where, messages::bodyForm(kind, words_), position);
}

Location locateItem(CheckSession& session, BodyState& state, const word::Range& item) {
    if (session.autoFix()) return CheckSession::locate(item);
    if (item.Start() != state.locatedStart || item.End() != state.locatedEnd) {
        state.located = CheckSession::locate(item);
        state.locatedStart = item.Start();
        state.locatedEnd = item.End();
    }
    return state.located;
}

}  // namespace quillmark
