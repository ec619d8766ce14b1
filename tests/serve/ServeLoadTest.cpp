// The service under load and at its end: a bounded queue, expiry, uploads
// side by side, and a SIGTERM that leaves nothing behind.
#include "ServeTestSupport.h"

#include "hostile/ProgramRun.h"
#include "support/Engine.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <unistd.h>

namespace {

using namespace quillmark::testing;

std::string masterThesis() { return std::string(QUILLMARK_SOURCE_DIR) + "/samples/master-thesis.doc"; }

bool alive(pid_t pid) { return kill(pid, 0) == 0; }

bool portAnswers(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

std::string idOf(const httplib::Result& r) { return json::parse(r->body)["id"]; }

TEST(ServeLoad, AFullQueueAnswers503WithRetryAfterAndDeleteEmptiesIt) {
    ServeProcess server({"--jobs", "1", "--queue", "1"}, scratchDir());
    httplib::Client client = clientOf(server);
    // One check runs, one waits: the next upload finds the queue full (a
    // check takes seconds, an upload milliseconds).
    std::vector<std::string> ids;
    std::optional<httplib::Response> refused;
    for (int i = 0; i < 3 && !refused; ++i) {
        auto r = post(client, {sampleThesis()});
        ASSERT_TRUE(r);
        if (r->status == 503) refused = *r; else ids.push_back(idOf(r));
    }
    ASSERT_TRUE(refused) << "no upload was refused";
    EXPECT_EQ(refused->get_header_value("Retry-After"), "30");
    EXPECT_NE(json::parse(refused->body)["error"].get<std::string>().find("请稍后再试"), std::string::npos);
    ASSERT_EQ(ids.size(), 2u);
    const json waiting = json::parse(client.Get("/api/checks/" + ids[1])->body);
    EXPECT_EQ(waiting["status"], "queued");
    EXPECT_EQ(waiting["queuePlace"], 1);
    EXPECT_NE(client.Get("/metrics")->body.find("quillmark_queue_length 1\n"), std::string::npos);

    // Deleting a running check ends its worker; a queued one leaves the queue.
    ASSERT_TRUE(waitFor([&] { return json::parse(client.Get("/api/checks/" + ids[0])->body)["status"] == "running"; },
                        std::chrono::seconds(120)));
    const std::vector<pid_t> engines = enginesBelow(server.pid());
    for (const std::string& id : ids) EXPECT_EQ(client.Delete("/api/checks/" + id)->status, 204);
    EXPECT_TRUE(waitFor([&] { return server.keptFiles().empty(); }, std::chrono::seconds(30)))
        << ::testing::PrintToString(server.keptFiles());
    for (pid_t engine : engines) EXPECT_TRUE(waitFor([&] { return !alive(engine); }, std::chrono::seconds(30)));
    EXPECT_EQ(post(client, {sampleThesis(), "", {{"parts", "cover", "", ""}}})->status, 202);
}

TEST(ServeLoad, ResultsAndTheirFilesExpire) {
    ServeProcess server({"--jobs", "1", "--keep-minutes", "0.05"}, scratchDir());  // 3 s
    httplib::Client client = clientOf(server);
    const std::string id = idOf(post(client, {sampleThesis(), "", {{"parts", "cn-abstract", "", ""}}}));
    ASSERT_EQ(waitForEnd(client, id)["status"], "done");
    EXPECT_TRUE(waitFor([&] { return client.Get("/api/checks/" + id)->status == 404; }, std::chrono::seconds(60)));
    EXPECT_EQ(server.keptFiles(), std::vector<std::string>{});
}

TEST(ServeLoad, EightUploadsAtOnceEqualTheCommandLine) {
    const std::vector<std::pair<std::string, std::string>> theses = {{sampleThesis(), ""}, {masterThesis(), "master"}};
    std::vector<json> expected;
    for (const auto& [file, type] : theses) {
        expected.push_back(commandLineFindings(file, type.empty() ? "" : "--type " + type));
    }
    ServeProcess server({"--jobs", "2"}, scratchDir());
    std::vector<std::future<json>> checks;
    for (int i = 0; i < 8; ++i) {
        checks.push_back(std::async(std::launch::async, [&, i] {
            httplib::Client client = clientOf(server);
            const auto& [file, type] = theses[i % 2];
            httplib::MultipartFormDataItems fields;
            if (!type.empty()) fields.push_back({"type", type, "", ""});
            const auto r = post(client, {file, "", fields});
            return r && r->status == 202 ? waitForEnd(client, idOf(r)) : json{{"upload", r ? r->status : -1}};
        }));
    }
    for (int i = 0; i < 8; ++i) {
        const json done = checks[i].get();
        ASSERT_EQ(done.value("status", ""), "done") << done.dump();
        EXPECT_EQ(withoutFileNames(done["findings"]), expected[i % 2]) << "upload " << i;
    }
    const std::string metrics = clientOf(server).Get("/metrics")->body;
    EXPECT_NE(metrics.find("quillmark_checks_done_total 8\n"), std::string::npos) << metrics;
    EXPECT_NE(metrics.find("quillmark_check_duration_seconds_count 8\n"), std::string::npos) << metrics;
}

TEST(ServeLoad, AWorkerThatDiesFailsItsCheckAndAFreshOneTakesTheNext) {
    ServeProcess server({"--jobs", "1"}, scratchDir());
    httplib::Client client = clientOf(server);
    const std::string id = idOf(post(client, {sampleThesis()}));
    ASSERT_TRUE(waitFor([&] { return !enginesBelow(server.pid()).empty(); }, std::chrono::seconds(120)));
    for (pid_t worker : childrenOf(server.pid())) kill(worker, SIGKILL);
    const json failed = waitForEnd(client, id);
    EXPECT_EQ(failed["status"], "failed");
    EXPECT_NE(failed.value("message", "").find("检测进程意外结束"), std::string::npos) << failed.dump();
    const json next = waitForEnd(client, idOf(post(client, {sampleThesis(), "", {{"parts", "cn-abstract", "", ""}}})));
    EXPECT_EQ(next["status"], "done") << next.dump();
    EXPECT_NE(clientOf(server).Get("/metrics")->body.find("quillmark_checks_failed_total 1\n"), std::string::npos);
}

TEST(ServeLoad, SigtermDuringACheckLeavesNoEngineSocketOrFile) {
    ServeProcess server({"--jobs", "2"}, scratchDir());
    httplib::Client client = clientOf(server);
    const std::string id = idOf(post(client, {sampleThesis()}));
    ASSERT_TRUE(waitFor([&] { return json::parse(client.Get("/api/checks/" + id)->body)["status"] == "running"; },
                        std::chrono::seconds(120)));
    ASSERT_TRUE(waitFor([&] { return !enginesBelow(server.pid()).empty(); }, std::chrono::seconds(120)));
    const std::vector<pid_t> workers = childrenOf(server.pid());
    const std::vector<pid_t> engines = enginesBelow(server.pid());
    const pid_t serverPid = server.pid();
    EXPECT_EQ(server.stop(SIGTERM), 143) << server.errorOutput();

    for (pid_t pid : engines) EXPECT_FALSE(alive(pid)) << "engine " << pid;
    for (pid_t pid : workers) {
        EXPECT_FALSE(alive(pid)) << "worker " << pid;
        EXPECT_EQ(leftoversOf(pid, server.cacheHome(), server.tmpDir()), std::vector<std::string>{});
    }
    EXPECT_EQ(leftoversOf(serverPid, server.cacheHome(), server.tmpDir()), std::vector<std::string>{});
    EXPECT_EQ(server.keptFiles(), std::vector<std::string>{});
    EXPECT_FALSE(portAnswers(server.port()));
}

}  // namespace
