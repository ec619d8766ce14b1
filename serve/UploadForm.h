#pragma once

#include "serve/CheckService.h"

#include <map>
#include <optional>
#include <string>

namespace httplib {
struct Request;
}

namespace quillmark::serve {

// Why an upload is refused: the HTTP status and the Chinese text for the user.
struct Refusal {
    int status = 400;
    std::string message;
};

// What the options of an upload ask for, before the file is stored.
struct UploadOptions {
    std::string shownName;
    std::string type;
    std::string parts;
    bool fix = false;
    bool report = true;
    bool comments = false;
    std::string namedTemplate;         // a server template by its name; "" none
    std::optional<std::string> templateText;  // an uploaded INI file
    bool model = false;                        // a model document to derive the template from
};

// The server's named templates: name -> file.
using NamedTemplates = std::map<std::string, std::string>;

// Reads the options of a multipart upload; a refusal for a missing file,
// an over-size file, or an option that is not one of ours.
std::optional<Refusal> readUploadOptions(const httplib::Request& request, std::size_t maxDocumentBytes,
                                         const NamedTemplates& templates, UploadOptions& options);

// The name to show for an uploaded file: its last component, without
// control characters, valid UTF-8, at most 200 bytes. Never a path.
std::string shownFileName(const std::string& uploaded);

// Stores the uploaded document (and template) in the check's folder under
// names of ours, and refuses what a check would refuse by the file alone
// (not a document: 415; too large when unpacked: 413; a password or a
// damaged file: 422). The request to queue on success.
std::optional<Refusal> storeUpload(const httplib::Request& request, const UploadOptions& options,
                                   const NamedTemplates& templates, const std::filesystem::path& folder,
                                   CheckRequest& stored);

}  // namespace quillmark::serve
