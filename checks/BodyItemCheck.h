#pragma once

#include "checks/FormatRules.h"
#include "checks/Messages.h"

#include <cstdint>
#include <string>

namespace quillmark {

class CheckSession;
struct Location;

// The tests of one body-text item (a heading, a run, a paragraph, a caption)
// on the range whose font is read. In check mode each deviation marks the
// item red and adds its word; report() then posts one finding in the body
// message form. In auto-fix mode each deviation is corrected and followed by
// Font.Color = 0, and nothing is posted.
class BodyItemCheck {
public:
    BodyItemCheck(CheckSession& session, const word::Range& item);

    // Bold test: bold throughout reads 1, anything else (mixed included)
    // reads 0, compared with the flag. Fix: toggle.
    BodyItemCheck& bold(std::int32_t flag);
    BodyItemCheck& fontName(FontNameProperty property, const std::string& expected);
    BodyItemCheck& size(float expected);
    // The item's paragraph must be centred. Fix: centre it.
    BodyItemCheck& centred();
    // Body text in auto-fix mode ends every test with Font.Color = 0,
    // corrected or not.
    BodyItemCheck& blackenEveryTest();

    bool deviates() const { return !words_.empty(); }
    const std::string& words() const { return words_; }

    // Check mode: one finding when a test deviated, at the item's range.
    void report(messages::BodyItem kind);
    // The same at a given place.
    void report(messages::BodyItem kind, int position, const Location& where);

private:
    void deviation(std::string_view word, const std::function<void(word::Font&)>& fix);
    void passed();

    CheckSession& session_;
    word::Range item_;
    std::string words_;
    bool marked_ = false;
    bool blackenEveryTest_ = false;
};

}  // namespace quillmark
