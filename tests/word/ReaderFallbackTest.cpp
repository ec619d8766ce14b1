// Without the reader component the engine says so once and reads over the
// bridge, with the same results.
#include "support/DocBuilder.h"
#include "support/Engine.h"
#include "word/DocumentModel.h"
#include "word/StoryReader.h"
#include "word/msword.h"
#include "word/reader/StoryPacket.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace quillmark::testing;

// Before the first engine starts: the component is nowhere to be found.
const bool kReaderHidden = (setenv("QUILLMARK_READER_LIBRARY", "/nonexistent/libquillmark_reader.so", 1), true);

TEST(ReaderFallback, ReadsOverTheBridgeAndSaysSoOnce) {
    DocBuilder b;
    b.paragraph("摘要", {.asianFont = "黑体", .size = 16, .bold = true});
    b.paragraph("正文");
    b.pageBreak().paragraph("第二页");
    const std::string path = b.save(scratchDir() + "/fallback.doc");

    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        auto doc = openCopy(path);
        EXPECT_EQ(doc.Content().Text(), "摘要\r正文\r第二页\r");
        EXPECT_EQ(doc.Paragraphs().Item(1).Range().Font().NameFarEast(), "黑体");
        EXPECT_EQ(doc.Content().Information(word::wdNumberOfPagesInDocument), 2);
        EXPECT_EQ(doc.Paragraphs().Item(3).Range().Information(word::wdActiveEndPageNumber), 2);
        EXPECT_THROW(word::readStory(doc.model()->unoModel(), word::packet::Story, word::WalkPlace::InEngine),
                     word::WordError);
        doc.Close();
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    const std::string notice = "读取组件无法载入文档引擎";
    ASSERT_NE(said.find(notice), std::string::npos) << said;
    EXPECT_EQ(said.find(notice), said.rfind(notice)) << "said more than once: " << said;
}

}  // namespace
