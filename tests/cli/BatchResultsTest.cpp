// The results a batch worker sends back, one file at a time, through a pipe
// that may hand them over in any pieces.
#include "cli/BatchJob.h"
#include "cli/BatchResults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

TEST(BatchResults, AResultComesBackWholeWhateverThePiecesItArrivesIn) {
    const FileResult sent{1, "论文.doc\n1，(中等)标题字号有误\n", "quillmark: 文档受密码保护，无法打开：x.doc\n"};
    const std::string bytes = encodeResult(sent) + encodeResult({0, "b.doc\n", ""});
    std::string buffer;
    std::vector<FileResult> taken;
    bool damaged = false;
    for (char c : bytes) {
        buffer += c;
        while (auto r = takeResult(buffer, damaged)) taken.push_back(*r);
    }
    EXPECT_FALSE(damaged);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].status, 1);
    EXPECT_EQ(taken[0].out, sent.out);
    EXPECT_EQ(taken[0].err, sent.err);
    EXPECT_EQ(taken[1].status, 0);
    EXPECT_EQ(taken[1].out, "b.doc\n");
    EXPECT_EQ(taken[1].err, "");
    EXPECT_TRUE(buffer.empty());
}

TEST(BatchResults, TextsThatLookLikeAHeaderStayTexts) {
    const FileResult sent{2, "quillmark-result 0 0 0\n", "quillmark-result 9 99 99\n"};
    std::string buffer = encodeResult(sent);
    bool damaged = false;
    const auto r = takeResult(buffer, damaged);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->out, sent.out);
    EXPECT_EQ(r->err, sent.err);
    EXPECT_FALSE(damaged);
}

TEST(BatchResults, AnythingButAHeaderIsDamaged) {
    for (std::string buffer : std::vector<std::string>{"Warning: failed to launch javaldx\n", "quillmark-result x 1 1\nab",
                                                       "quillmark-result " + std::string(100, '1')}) {
        SCOPED_TRACE(buffer);
        bool damaged = false;
        EXPECT_FALSE(takeResult(buffer, damaged));
        EXPECT_TRUE(damaged);
    }
}

// A job carries what its check does differently; what it leaves unset
// stays unset, so the worker's own options apply.
TEST(BatchJobs, AJobKeepsWhatItSetsAndOnlyThat) {
    BatchJob job;
    job.file = "/tmp/论文 第2版\n.doc";
    job.templates = std::vector<std::string>{};  // set, but empty: the built-in template only
    job.fix = false;
    job.report = "/tmp/report.doc";
    job.comments = true;
    std::string sent = encodeJob(job);
    ASSERT_EQ(sent.back(), '\0');
    sent.pop_back();
    EXPECT_EQ(sent.find('\0'), std::string::npos);
    const auto back = decodeJob(sent);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->file, job.file);
    ASSERT_TRUE(back->templates);
    EXPECT_TRUE(back->templates->empty());
    EXPECT_EQ(back->fix, std::optional<bool>(false));
    EXPECT_FALSE(back->type);
    EXPECT_FALSE(back->parts);
    EXPECT_EQ(back->report, job.report);
    EXPECT_TRUE(back->comments);
    EXPECT_FALSE(decodeJob("{\"file\": \"a\"}")->comments);
    for (const char* notAJob : {"/tmp/thesis.doc", "{\"fix\": true}", "{\"file\": 3}", "{\"file\": \"a\", \"fix\": \"yes\"}"}) {
        EXPECT_FALSE(decodeJob(notAJob)) << notAJob;
    }
}

TEST(BatchJobs, AProgressLineIsFoundAfterTheEnginesNoise) {
    const std::string line = progressLine("中文摘要检测（2/6）");
    EXPECT_EQ(progressOf("Warning: javaldx" + line.substr(0, line.size() - 1)), "中文摘要检测（2/6）");
    EXPECT_FALSE(progressOf("quillmark: 文档受密码保护，无法打开：a.doc"));
}

}  // namespace
}  // namespace quillmark
