#pragma once

#include "serve/CheckService.h"
#include "serve/UploadForm.h"

namespace httplib {
class Server;
}

namespace quillmark::serve {

struct ApiSettings {
    std::size_t maxDocumentBytes = 50u << 20;
    NamedTemplates templates;
    std::map<std::string, std::string> templateTypes;  // name -> "bachelor" / "master"
};

// Puts the page and the API on `server`: every answer carries the careful
// headers, an over-size body is answered 413 before it is read.
void installApi(httplib::Server& server, CheckService& checks, const ApiSettings& settings);

}  // namespace quillmark::serve
