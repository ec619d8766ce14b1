#include "serve/UploadForm.h"

#include "cli/PartNames.h"
#include "checks/Checker.h"
#include "word/Application.h"
#include "word/FileFormat.h"
#include "word/WordError.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace quillmark::serve {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxTemplateBytes = 1 << 20;
constexpr std::size_t kMaxShownBytes = 200;

std::string field(const httplib::Request& request, const std::string& name) {
    return request.has_file(name) ? request.get_file_value(name).content : std::string();
}

bool writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// The document's own extension, from what its first bytes are.
std::string extensionOf(word::FileKind kind) {
    switch (kind) {
        case word::FileKind::Zip: return ".docx";
        case word::FileKind::Rtf: return ".rtf";
        case word::FileKind::Xml: return ".xml";
        default: return ".doc";
    }
}

int statusOf(long code) {
    switch (code) {
        case word::errors::NotADocument: return 415;
        case word::errors::TooLarge: return 413;
        default: return 422;
    }
}

std::optional<Refusal> readParts(const std::string& parts) {
    if (parts.empty()) return std::nullopt;
    std::vector<std::string> unknown;
    const std::vector<CheckKind> kinds = parseParts(parts, unknown);
    if (!unknown.empty()) return Refusal{400, "未知的检测部分：" + unknown.front()};
    if (kinds.empty()) return Refusal{400, "没有选择要检测的部分"};
    for (CheckKind kind : kinds) {
        if (!makeChecker(kind)) return Refusal{400, std::string("这一部分暂时不能检测：") + partName(kind)};
    }
    return std::nullopt;
}

}  // namespace

std::string shownFileName(const std::string& uploaded) {
    std::string name = uploaded.substr(uploaded.find_last_of("/\\") == std::string::npos
                                           ? 0
                                           : uploaded.find_last_of("/\\") + 1);
    std::erase_if(name, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
    // Invalid UTF-8 becomes U+FFFD.
    name = nlohmann::json::parse(nlohmann::json(name).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace))
               .get<std::string>();
    if (name.size() > kMaxShownBytes) {
        std::size_t cut = kMaxShownBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    if (name.empty() || name == "." || name == "..") name = "论文";
    return name;
}

std::optional<Refusal> readUploadOptions(const httplib::Request& request, std::size_t maxDocumentBytes,
                                         const NamedTemplates& templates, UploadOptions& options) {
    if (!request.is_multipart_form_data()) {
        return Refusal{400, "请以 multipart/form-data 上传论文（字段 file）"};
    }
    if (!request.has_file("file") || request.get_file_value("file").content.empty()) {
        return Refusal{400, "没有收到论文文件：请选择一个 .doc 或 .docx 文件"};
    }
    const httplib::MultipartFormData file = request.get_file_value("file");
    if (file.content.size() > maxDocumentBytes) {
        return Refusal{413, "文件过大：最多 " + std::to_string(maxDocumentBytes >> 20) + " MB"};
    }
    options.shownName = shownFileName(file.filename);
    options.type = field(request, "type");
    if (!options.type.empty() && options.type != "bachelor" && options.type != "master") {
        return Refusal{400, "论文类型只能是 bachelor（学士论文）或 master（硕士论文）"};
    }
    options.parts = field(request, "parts");
    if (auto refused = readParts(options.parts)) return refused;
    const std::string mode = field(request, "mode");
    if (!mode.empty() && mode != "check" && mode != "fix") {
        return Refusal{400, "检测方式只能是 check（查错）或 fix（自动修改）"};
    }
    options.fix = mode == "fix";
    const std::string report = field(request, "report");
    if (!report.empty() && report != "0" && report != "1") return Refusal{400, "report 只能是 0 或 1"};
    options.report = report != "0";
    const std::string comments = field(request, "comments");
    if (!comments.empty() && comments != "0" && comments != "1") return Refusal{400, "comments 只能是 0 或 1"};
    options.comments = comments == "1";
    if (options.comments && !options.report) return Refusal{400, "批注写在报告里：comments=1 需要 report=1"};
    options.namedTemplate = field(request, "template");
    if (!options.namedTemplate.empty() && !templates.contains(options.namedTemplate)) {
        return Refusal{400, "没有这个模板：" + shownFileName(options.namedTemplate)};
    }
    if (request.has_file("template_file") && !request.get_file_value("template_file").content.empty()) {
        if (!options.namedTemplate.empty()) return Refusal{400, "请只选择一个模板：服务器模板或上传的模板文件"};
        options.templateText = request.get_file_value("template_file").content;
        if (options.templateText->size() > kMaxTemplateBytes) return Refusal{413, "模板文件过大：最多 1 MB"};
    }
    if (request.has_file("template_model") && !request.get_file_value("template_model").content.empty()) {
        if (!options.namedTemplate.empty() || options.templateText) {
            return Refusal{400, "请只选择一个模板：服务器模板、上传的模板文件或模板文档"};
        }
        if (request.get_file_value("template_model").content.size() > maxDocumentBytes) {
            return Refusal{413, "模板文档过大：最多 " + std::to_string(maxDocumentBytes >> 20) + " MB"};
        }
        options.model = true;
    }
    return std::nullopt;
}

std::optional<Refusal> storeUpload(const httplib::Request& request, const UploadOptions& options,
                                   const NamedTemplates& templates, const fs::path& folder, CheckRequest& stored) {
    const fs::path received = folder / "received";
    if (!writeFile(received, request.get_file_value("file").content)) {
        return Refusal{507, "服务器无法保存上传的文件"};
    }
    const fs::path document = folder / ("thesis" + extensionOf(word::sniffFileKind(received.string())));
    fs::rename(received, document);
    try {
        word::refuseUnfitFile(document.string(), options.shownName);
    } catch (const word::WordError& refused) {
        return Refusal{statusOf(refused.code()), refused.description()};
    }
    stored.shownName = options.shownName;
    stored.document = document;
    stored.type = options.type;
    stored.parts = options.parts;
    stored.fix = options.fix;
    stored.report = options.report;
    stored.comments = options.comments;
    if (!options.namedTemplate.empty()) stored.templates = {templates.at(options.namedTemplate)};
    if (options.model) {
        const httplib::MultipartFormData model = request.get_file_value("template_model");
        const fs::path received = folder / "model-received";
        if (!writeFile(received, model.content)) return Refusal{507, "服务器无法保存上传的模板文档"};
        stored.model = folder / ("model" + extensionOf(word::sniffFileKind(received.string())));
        fs::rename(received, stored.model);
        try {
            word::refuseUnfitFile(stored.model.string(), shownFileName(model.filename));
        } catch (const word::WordError& refused) {
            return Refusal{statusOf(refused.code()), "模板文档：" + refused.description()};
        }
    }
    if (options.templateText) {
        const fs::path ini = folder / "template.ini";
        if (!writeFile(ini, *options.templateText)) return Refusal{507, "服务器无法保存上传的模板"};
        stored.templates = {ini.string()};
    }
    return std::nullopt;
}

}  // namespace quillmark::serve
