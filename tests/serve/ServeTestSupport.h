#pragma once

#include "ServeProcess.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace quillmark::testing {

using nlohmann::json;

// A client of the server on loopback, with bounded waits.
httplib::Client clientOf(const ServeProcess& server);

struct Upload {
    Upload(std::string path, std::string name = {}, httplib::MultipartFormDataItems fields = {})
        : path(std::move(path)), name(std::move(name)), fields(std::move(fields)) {}
    std::string path;           // the document's bytes come from here
    std::string name;           // the file name the browser sends; the path's name when empty
    httplib::MultipartFormDataItems fields;  // the options
};
httplib::Result post(httplib::Client& client, const Upload& upload);

// Polls the check until it is done or failed (bounded); its last answer.
json waitForEnd(httplib::Client& client, const std::string& id);

// `quillmark check --json` of the file with the options, findings without
// their file names.
json commandLineFindings(const std::string& file, const std::string& options);
json withoutFileNames(json findings);

std::string sampleThesis();

}  // namespace quillmark::testing
