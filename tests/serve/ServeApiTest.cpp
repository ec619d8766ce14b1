// The service over loopback: the built program serving, real uploads, a
// real engine in each worker; the findings compared with the command line's.
#include "ServeTestSupport.h"

#include "support/Engine.h"
#include "support/Files.h"
#include "template/Codepage936.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <future>
#include <regex>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace quillmark::testing;
namespace fs = std::filesystem;

// Larger abstract text than the sample has: every abstract line gets a finding.
const std::string kBigAbstractIni = "[中文摘要]\n中文摘要正文字号=20\n";

// Sends `request` on a new connection and reads the answer until the server
// closes it (bounded by the socket's timeout).
std::string rawExchange(int port, const std::string& request) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    timeval bound{30, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
        char buffer[4096];
        for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return answer;
}

class ServeApi : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        signal(SIGPIPE, SIG_IGN);  // a refused upload may close the connection under the client
        home_ = scratchDir();
        templateFile_ = home_ + "/big-abstract.ini";
        writeBytes(templateFile_, quillmark::utf8ToGbk(kBigAbstractIni));
        fs::create_directories(home_ + "/bad");
        const std::string maker = std::string(QUILLMARK_SOURCE_DIR) + "/tests/serve/make-bad-uploads.py";
        ASSERT_EQ(std::system(("/usr/bin/python3 '" + maker + "' '" + home_ + "/bad'").c_str()), 0);
        server_ = std::make_unique<ServeProcess>(
            std::vector<std::string>{"--jobs", "2", "--max-upload-mb", "1", "--template", "大字号=" + templateFile_},
            home_ + "/server");
    }
    static void TearDownTestSuite() { server_.reset(); }

    static std::string submit(httplib::Client& client, const Upload& upload) {
        const auto r = post(client, upload);
        if (!r || r->status != 202) {
            ADD_FAILURE() << "upload refused: " << (r ? r->body : httplib::to_string(r.error()));
            return {};
        }
        EXPECT_EQ(r->get_header_value("Location"), "/api/checks/" + json::parse(r->body)["id"].get<std::string>());
        return json::parse(r->body)["id"];
    }

    static inline std::string home_, templateFile_;
    static inline std::unique_ptr<ServeProcess> server_;
};

TEST_F(ServeApi, TheSampleGetsTheCommandLinesFindingsAndBothReports) {
    const json expected = commandLineFindings(sampleThesis(), "");
    ASSERT_FALSE(expected.empty());
    httplib::Client client = clientOf(*server_);
    const std::string id = submit(client, {sampleThesis()});
    ASSERT_TRUE(std::regex_match(id, std::regex("[0-9a-f]{32}")));
    const json done = waitForEnd(client, id);
    ASSERT_EQ(done["status"], "done") << done.dump();
    EXPECT_EQ(withoutFileNames(done["findings"]), expected);
    EXPECT_EQ(done["findings"][0]["file"], "bachelor-thesis.doc");
    EXPECT_EQ(done["report"], true);

    const auto document = client.Get("/api/checks/" + id + "/report");
    ASSERT_TRUE(document && document->status == 200);
    EXPECT_EQ(document->body.substr(0, 4), "\xD0\xCF\x11\xE0");  // a Word 97-2003 file
    // The user's name for the download, encoded for the header.
    const std::string head = rawExchange(server_->port(), "GET /api/checks/" + id + "/report HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                                          "Connection: close\r\n\r\n");
    EXPECT_NE(head.find("Content-Disposition: attachment; filename=\"report.doc\"; "
                        "filename*=UTF-8''bachelor-thesis%28%E4%BF%AE%E6%94%B9%E5%90%8E%29.doc\r\n"),
              std::string::npos)
        << head.substr(0, 600);
    const auto text = client.Get("/api/checks/" + id + "/report.txt");
    ASSERT_TRUE(text && text->status == 200);
    const std::string lines = quillmark::gbkToUtf8(text->body);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), static_cast<long>(expected.size()));
    EXPECT_NE(lines.find(expected[0]["description"].get<std::string>()), std::string::npos);
    EXPECT_EQ(text->get_header_value("Content-Security-Policy"), "default-src 'self'");
    EXPECT_EQ(text->get_header_value("X-Content-Type-Options"), "nosniff");

    const auto removed = client.Delete("/api/checks/" + id);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->status, 204);
    EXPECT_EQ(client.Get("/api/checks/" + id)->status, 404);
    EXPECT_EQ(client.Get("/api/checks/" + id + "/report")->status, 404);
    EXPECT_EQ(server_->keptFiles(), std::vector<std::string>{});
}

TEST_F(ServeApi, AutoFixAndNamedUploadedAndDerivedTemplatesCheckAsTheCommandLine) {
    const std::string parts = "cn-abstract,en-abstract";
    const json plain = commandLineFindings(sampleThesis(), "--parts " + parts);
    const json fixed = commandLineFindings(sampleThesis(), "--fix --parts " + parts);
    const json bigger = commandLineFindings(sampleThesis(), "--parts " + parts + " --template '" + templateFile_ + "'");
    ASSERT_NE(bigger, plain);  // the template changes the findings
    ASSERT_NE(fixed, plain);   // auto-fix corrects some

    httplib::Client client = clientOf(*server_);
    const httplib::MultipartFormData partsField{"parts", parts, "", ""};
    const std::string fix = submit(client, {sampleThesis(), "", {partsField, {"mode", "fix", "", ""}}});
    const std::string named = submit(client, {sampleThesis(), "", {partsField, {"template", "大字号", "", ""}}});
    const std::string uploaded = submit(
        client, {sampleThesis(), "", {partsField, {"template_file", quillmark::utf8ToGbk(kBigAbstractIni), "t.ini", ""}}});

    // A template derived from a model document, as `template derive` writes it.
    const std::string derivedIni = home_ + "/derived.ini";
    ASSERT_EQ(std::system(("'" + std::string(QUILLMARK_BINARY) + "' template derive '" + sampleThesis() + "' --out '" +
                           derivedIni + "' 2>/dev/null").c_str()),
              0);
    const json derived = commandLineFindings(sampleThesis(), "--parts " + parts + " --template '" + derivedIni + "'");
    const std::string model =
        submit(client, {sampleThesis(), "", {partsField, {"template_model", readBytes(sampleThesis()), "范本.doc", ""}}});

    const json fixDone = waitForEnd(client, fix);
    EXPECT_EQ(fixDone["mode"], "fix");
    EXPECT_EQ(withoutFileNames(fixDone["findings"]), fixed);
    const auto corrected = client.Get("/api/checks/" + fix + "/report");
    ASSERT_TRUE(corrected && corrected->status == 200);
    EXPECT_NE(corrected->body, readBytes(sampleThesis()));
    EXPECT_EQ(withoutFileNames(waitForEnd(client, named)["findings"]), bigger);
    EXPECT_EQ(withoutFileNames(waitForEnd(client, uploaded)["findings"]), bigger);
    const json modelDone = waitForEnd(client, model);
    ASSERT_EQ(modelDone["status"], "done") << modelDone.dump();
    EXPECT_EQ(withoutFileNames(modelDone["findings"]), derived);
    for (const std::string& id : {fix, named, uploaded, model}) EXPECT_EQ(client.Delete("/api/checks/" + id)->status, 204);
    EXPECT_EQ(server_->keptFiles(), std::vector<std::string>{});
}

// The findings as review comments in the report: the engine reads back one
// comment per finding, by Quillmark, with the finding's level and words; a
// check without the option gives a report without comments.
TEST_F(ServeApi, CommentsInTheReportAreTheFindingsByQuillmark) {
    httplib::Client client = clientOf(*server_);
    const httplib::MultipartFormData partsField{"parts", "cn-abstract", "", ""};
    const std::string with = submit(client, {sampleThesis(), "", {partsField, {"comments", "1", "", ""}}});
    const std::string without = submit(client, {sampleThesis(), "", {partsField, {"comments", "0", "", ""}}});

    const auto commentsOfReport = [&](const std::string& id, const json& done) {
        EXPECT_EQ(done["status"], "done") << done.dump();
        const auto document = client.Get("/api/checks/" + id + "/report");
        EXPECT_TRUE(document && document->status == 200);
        const std::string saved = scratchDir() + "/report.doc";
        writeBytes(saved, document ? document->body : std::string());
        word::Document opened = sharedApplication().Documents().Open(saved);
        const std::vector<word::Comment> comments = opened.Comments().All();
        opened.Close();
        return comments;
    };
    const json withDone = waitForEnd(client, with);
    EXPECT_EQ(withDone["comments"], true);
    ASSERT_FALSE(withDone["findings"].empty());
    const std::vector<word::Comment> comments = commentsOfReport(with, withDone);
    ASSERT_EQ(comments.size(), withDone["findings"].size());
    std::vector<std::string> texts, expected;
    for (const word::Comment& c : comments) {
        EXPECT_EQ(c.Author, "Quillmark");
        texts.push_back(c.Text);
    }
    for (const json& f : withDone["findings"]) {
        expected.push_back("(" + f["level"].get<std::string>() + ")" + f["description"].get<std::string>());
    }
    std::sort(texts.begin(), texts.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(texts, expected);

    const json withoutDone = waitForEnd(client, without);
    EXPECT_EQ(withoutDone["comments"], false);
    EXPECT_EQ(withoutDone["findings"], withDone["findings"]);
    EXPECT_TRUE(commentsOfReport(without, withoutDone).empty());
    for (const std::string& id : {with, without}) EXPECT_EQ(client.Delete("/api/checks/" + id)->status, 204);
    EXPECT_EQ(server_->keptFiles(), std::vector<std::string>{});
}

TEST_F(ServeApi, BadRequestsGetAClearRefusalAndLeaveNothing) {
    httplib::Client client = clientOf(*server_);
    writeBytes(home_ + "/notes.txt", "这只是一段文字，不是论文。\n");
    writeBytes(home_ + "/big.doc", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + std::string(1200 << 10, 'x'));
    const std::string hostileName = "../../<script>alert(1)</script>/../../etc/passwd<img src=x onerror=alert(2)>.doc";
    struct Case {
        const char* what;
        Upload upload;
        int status;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"not a document", {home_ + "/notes.txt"}, 415, "不是 Word 文档"},
        {"not a document under a hostile name", {home_ + "/notes.txt", hostileName}, 415,
         "不是 Word 文档（.doc 或 .docx），无法检测：passwd<img src=x onerror=alert(2)>.doc"},
        {"zip bomb", {home_ + "/bad/zip-bomb.docx"}, 413, "文档过大或已损坏"},
        {"encrypted", {home_ + "/bad/encrypted.docx"}, 422, "密码"},
        {"over the upload limit", {home_ + "/big.doc"}, 413, "最多 1 MB"},
        {"unknown type", {sampleThesis(), "", {{"type", "doctor", "", ""}}}, 400, "论文类型"},
        {"unknown part", {sampleThesis(), "", {{"parts", "cover,appendix", "", ""}}}, 400, "appendix"},
        {"unknown mode", {sampleThesis(), "", {{"mode", "repair", "", ""}}}, 400, "检测方式"},
        {"unknown template", {sampleThesis(), "", {{"template", "<b>x</b>", "", ""}}}, 400, "没有这个模板"},
        {"comments neither 0 nor 1", {sampleThesis(), "", {{"comments", "yes", "", ""}}}, 400, "comments 只能是 0 或 1"},
        {"comments without a report", {sampleThesis(), "", {{"comments", "1", "", ""}, {"report", "0", "", ""}}}, 400,
         "批注"},
        {"a model that is no document", {sampleThesis(), "", {{"template_model", "这不是文档", "范本.doc", ""}}}, 415,
         "模板文档：不是 Word 文档"},
        {"two templates", {sampleThesis(), "", {{"template", "大字号", "", ""}, {"template_file", "[x]", "t.ini", ""}}},
         400, "只选择一个模板"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = post(client, c.upload);
        ASSERT_TRUE(r) << httplib::to_string(r.error());
        EXPECT_EQ(r->status, c.status);
        const json body = json::parse(r->body, nullptr, false);
        ASSERT_TRUE(body.contains("error")) << r->body;
        EXPECT_NE(body["error"].get<std::string>().find(c.says), std::string::npos) << body["error"];
        EXPECT_EQ(server_->keptFiles(), std::vector<std::string>{});
    }

    // A body announced beyond the bound is refused before it is sent.
    const std::string headers = "POST /api/checks HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: multipart/form-data; "
                                "boundary=x\r\nContent-Length: 4194304\r\n\r\n";
    const std::string huge = rawExchange(server_->port(), headers);
    EXPECT_EQ(huge.rfind("HTTP/1.1 413", 0), 0u) << huge;
    EXPECT_NE(huge.find("最多 1 MB"), std::string::npos) << huge;

    // A body without a length would be read whole, past every bound.
    const std::string chunked = rawExchange(server_->port(),
                                            "POST /api/checks HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                                            "multipart/form-data; boundary=x\r\nTransfer-Encoding: chunked\r\n\r\n"
                                            "10\r\n" + std::string(16, 'x') + "\r\n");
    EXPECT_EQ(chunked.rfind("HTTP/1.1 411", 0), 0u) << chunked.substr(0, 300);
    EXPECT_NE(chunked.find("Content-Length"), std::string::npos);

    // No file at all, not a form, unknown and malformed ids.
    EXPECT_EQ(client.Post("/api/checks", httplib::MultipartFormDataItems{{"type", "master", "", ""}})->status, 400);
    EXPECT_EQ(client.Post("/api/checks", "{}", "application/json")->status, 400);
    const std::string unknown(32, 'a');
    for (const std::string& path : {"/api/checks/" + unknown, "/api/checks/" + unknown + "/report",
                                    "/api/checks/" + unknown + "/report.txt", std::string("/api/checks/..%2F..%2Fetc")}) {
        const auto r = client.Get(path);
        EXPECT_EQ(r->status, 404) << path;
        EXPECT_TRUE(json::parse(r->body, nullptr, false).contains("error")) << path;
    }
    EXPECT_EQ(client.Delete("/api/checks/" + unknown)->status, 404);
    EXPECT_EQ(server_->keptFiles(), std::vector<std::string>{});
}

TEST_F(ServeApi, AHostileFileNameIsOnlyShown) {
    const std::string hostileName = "../../../<img src=x onerror=alert(1)>.doc";
    httplib::Client client = clientOf(*server_);
    const std::string id = submit(client, {sampleThesis(), hostileName, {{"parts", "cn-abstract", "", ""}}});
    const json done = waitForEnd(client, id);
    EXPECT_EQ(done["file"], "<img src=x onerror=alert(1)>.doc");  // shown as text; the page escapes it
    for (const std::string& kept : server_->keptFiles()) {
        EXPECT_EQ(kept.find("onerror"), std::string::npos) << kept;
    }
    EXPECT_FALSE(fs::exists(fs::path(home_).parent_path() / "<img src=x onerror=alert(1)>.doc"));
    EXPECT_EQ(client.Delete("/api/checks/" + id)->status, 204);
}

TEST_F(ServeApi, TemplatesHealthMetricsAndThePageAreServed) {
    httplib::Client client = clientOf(*server_);
    const json templates = json::parse(client.Get("/api/templates")->body);
    EXPECT_EQ(templates["templates"], json::parse(R"([{"name": "大字号", "type": "bachelor"}])"));
    const json health = json::parse(client.Get("/healthz")->body);
    EXPECT_EQ(health["status"], "ok");
    EXPECT_EQ(health["workers"], 2);

    const auto metrics = client.Get("/metrics");
    ASSERT_TRUE(metrics && metrics->status == 200);
    for (const char* line : {"# TYPE quillmark_queue_length gauge", "# TYPE quillmark_checks_done_total counter",
                             "# TYPE quillmark_checks_failed_total counter",
                             "# TYPE quillmark_check_duration_seconds histogram",
                             "quillmark_check_duration_seconds_bucket{le=\"+Inf\"}"}) {
        EXPECT_NE(metrics->body.find(line), std::string::npos) << line;
    }

    const auto page = client.Get("/");
    ASSERT_TRUE(page && page->status == 200);
    EXPECT_EQ(page->get_header_value("Content-Security-Policy"), "default-src 'self'");
    EXPECT_NE(page->body.find("lang=\"zh-CN\""), std::string::npos);
    // Self-contained: nothing from another origin.
    EXPECT_EQ(page->body.find("http"), std::string::npos);
    for (const char* asset : {"/page.js", "/page.css"}) {
        const auto r = client.Get(asset);
        ASSERT_TRUE(r && r->status == 200) << asset;
        EXPECT_EQ(r->body.find("http://"), std::string::npos) << asset;
        EXPECT_EQ(r->body.find("https://"), std::string::npos) << asset;
    }
}

}  // namespace
