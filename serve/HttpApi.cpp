#include "serve/HttpApi.h"

#include "serve/CheckId.h"
#include "serve/Metrics.h"
#include "serve/PageAssets.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

namespace quillmark::serve {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Room for the form around the document: the other fields and a template.
constexpr std::size_t kFormRoom = 2u << 20;
constexpr int kRetryAfterSeconds = 30;

std::string dumped(const json& j) { return j.dump(1, ' ', false, json::error_handler_t::replace); }

void answer(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(dumped(body), "application/json; charset=utf-8");
}

void refuse(httplib::Response& res, int status, const std::string& message) {
    answer(res, status, {{"error", message}});
}

const char* defaultText(int status) {
    switch (status) {
        case 400: return "请求有误";
        case 404: return "没有这个地址";
        case 405: return "不支持这种请求方式";
        case 413: return "上传的内容过大";
        default: return "服务器出错";
    }
}

// A name for a download: the user's own file name, made for a header.
std::string contentDisposition(const std::string& name, const std::string& fallback) {
    std::string encoded;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return "attachment; filename=\"" + fallback + "\"; filename*=UTF-8''" + encoded;
}

std::string stemOf(const std::string& shownName) {
    const std::size_t dot = shownName.rfind('.');
    return dot == std::string::npos || dot == 0 ? shownName : shownName.substr(0, dot);
}

json viewJson(const CheckView& view) {
    json j = {{"id", view.id},
              {"status", statusName(view.status)},
              {"file", view.request.shownName},
              {"mode", view.request.fix ? "fix" : "check"}};
    if (view.status == CheckStatus::Queued) j["queuePlace"] = view.queuePlace;
    if (view.status == CheckStatus::Running) j["progress"] = view.progress;
    if (view.status == CheckStatus::Failed) j["message"] = view.message;
    if (view.status == CheckStatus::Done) {
        j["findings"] = view.findings;
        j["report"] = view.report.has_value();
        j["comments"] = view.report.has_value() && view.request.comments;
    }
    return j;
}

bool sendFile(httplib::Response& res, const fs::path& path, const std::string& type, const std::string& name) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    res.set_header("Content-Disposition", contentDisposition(name, path.filename().string()));
    res.set_content(bytes.str(), type.c_str());
    return true;
}

class Api {
public:
    Api(CheckService& checks, const ApiSettings& settings) : checks_(checks), settings_(settings) {}

    void post(const httplib::Request& req, httplib::Response& res) {
        UploadOptions options;
        if (auto refused = readUploadOptions(req, settings_.maxDocumentBytes, settings_.templates, options)) {
            return refuse(res, refused->status, refused->message);
        }
        const std::optional<CheckService::Slot> slot = checks_.reserve();
        if (!slot) {
            res.set_header("Retry-After", std::to_string(kRetryAfterSeconds));
            return refuse(res, 503, "排队检测的论文已满，请稍后再试");
        }
        CheckRequest request;
        if (auto refused = storeUpload(req, options, settings_.templates, slot->folder, request)) {
            checks_.release(*slot);
            return refuse(res, refused->status, refused->message);
        }
        checks_.submit(*slot, std::move(request));
        res.set_header("Location", "/api/checks/" + slot->id);
        answer(res, 202, {{"id", slot->id}});
    }

    void get(const httplib::Request& req, httplib::Response& res) {
        if (auto view = lookUp(req, res)) answer(res, 200, viewJson(*view));
    }

    void report(const httplib::Request& req, httplib::Response& res, bool text) {
        const std::optional<CheckView> view = lookUp(req, res);
        if (!view) return;
        if (view->status != CheckStatus::Done) return refuse(res, 409, "检测还没有完成，报告尚未生成");
        if (!view->report) return refuse(res, 404, "这次检测没有生成报告");
        const std::string name = stemOf(view->request.shownName) + "(修改后)" + view->report->extension().string();
        const bool sent = text ? sendFile(res, view->report->string() + ".txt", "text/plain; charset=gbk", name + ".txt")
                               : sendFile(res, *view->report, documentType(*view->report), name);
        if (!sent) refuse(res, 404, "报告已被删除");
    }

    void remove(const httplib::Request& req, httplib::Response& res) {
        if (!isCheckId(req.matches[1].str()) || !checks_.remove(req.matches[1].str())) return unknown(res);
        res.status = 204;
    }

    void templates(httplib::Response& res) const {
        json list = json::array();
        for (const auto& [name, file] : settings_.templates) {
            list.push_back({{"name", name}, {"type", settings_.templateTypes.at(name)}});
        }
        answer(res, 200, {{"templates", list}});
    }

    void health(httplib::Response& res) const {
        const ServiceFigures f = checks_.figures();
        answer(res, 200, {{"status", "ok"},
                          {"workers", checks_.jobs()},
                          {"queued", f.queued},
                          {"running", f.running},
                          {"maxUploadMb", settings_.maxDocumentBytes >> 20}});
    }

    void metrics(httplib::Response& res) const {
        res.set_content(metricsText(checks_.figures(), checks_.jobs()), "text/plain; version=0.0.4; charset=utf-8");
    }

private:
    static std::string documentType(const fs::path& path) {
        return path.extension() == ".docx" ? "application/vnd.openxmlformats-officedocument.wordprocessingml.document"
                                           : "application/msword";
    }

    static void unknown(httplib::Response& res) { refuse(res, 404, "没有这次检测：编号不对，或结果已过期删除"); }

    std::optional<CheckView> lookUp(const httplib::Request& req, httplib::Response& res) const {
        std::optional<CheckView> view;
        if (isCheckId(req.matches[1].str())) view = checks_.find(req.matches[1].str());
        if (!view) unknown(res);
        return view;
    }

    CheckService& checks_;
    const ApiSettings settings_;
};

}  // namespace

void installApi(httplib::Server& server, CheckService& checks, const ApiSettings& settings) {
    auto api = std::make_shared<Api>(checks, settings);
    const std::size_t bodyBound = settings.maxDocumentBytes + kFormRoom;
    server.set_payload_max_length(bodyBound);
    server.set_default_headers({{"Content-Security-Policy", "default-src 'self'"},
                                {"X-Content-Type-Options", "nosniff"},
                                {"Referrer-Policy", "no-referrer"},
                                {"X-Frame-Options", "DENY"},
                                {"Cache-Control", "no-store"}});
    // A body announced beyond the bound is refused before it is read. This
    // version of the library reads a body without a length (chunked) whole,
    // whatever the bound: such a body is refused too.
    server.set_pre_routing_handler([bodyBound](const httplib::Request& req, httplib::Response& res) {
        if (req.has_header("Transfer-Encoding")) {
            res.set_header("Connection", "close");
            refuse(res, 411, "请求须注明长度（Content-Length）");
            return httplib::Server::HandlerResponse::Handled;
        }
        const std::string length = req.get_header_value("Content-Length");
        if (length.empty() || length.find_first_not_of("0123456789") != std::string::npos || length.size() > 18 ||
            std::stoull(length) <= bodyBound) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        res.set_header("Connection", "close");
        refuse(res, 413, std::string("上传的内容过大：论文最多 ") + std::to_string((bodyBound - kFormRoom) >> 20) + " MB");
        return httplib::Server::HandlerResponse::Handled;
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) refuse(res, res.status, defaultText(res.status));
    });
    server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        refuse(res, 500, "服务器出错");
    });

    const std::string id = "/api/checks/([0-9a-zA-Z]+)";
    server.Post("/api/checks", [api](const httplib::Request& req, httplib::Response& res) { api->post(req, res); });
    server.Get(id, [api](const httplib::Request& req, httplib::Response& res) { api->get(req, res); });
    server.Get(id + "/report", [api](const httplib::Request& req, httplib::Response& res) { api->report(req, res, false); });
    server.Get(id + "/report\\.txt",
               [api](const httplib::Request& req, httplib::Response& res) { api->report(req, res, true); });
    server.Delete(id, [api](const httplib::Request& req, httplib::Response& res) { api->remove(req, res); });
    server.Get("/api/templates", [api](const httplib::Request&, httplib::Response& res) { api->templates(res); });
    server.Get("/healthz", [api](const httplib::Request&, httplib::Response& res) { api->health(res); });
    server.Get("/metrics", [api](const httplib::Request&, httplib::Response& res) { api->metrics(res); });
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kPageHtml.data(), kPageHtml.size(), "text/html; charset=utf-8");
    });
    server.Get("/page.js", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kPageScript.data(), kPageScript.size(), "text/javascript; charset=utf-8");
    });
    server.Get("/page.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kPageStyle.data(), kPageStyle.size(), "text/css; charset=utf-8");
    });
}

}  // namespace quillmark::serve
