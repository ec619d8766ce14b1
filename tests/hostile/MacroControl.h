#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace quillmark::testing {

// Whether this machine's office suite can run a document's Basic macros at
// all (its Basic script provider is installed).
bool officeRunsBasic();

// Opens `document` in an office process of its own (not our engine) whose
// macro security is set to low, as a user who allows every macro would, and
// waits until `marker` appears or `bound` has passed. The process and its
// profile under `scratch` are gone when this returns. True when the marker
// appeared: the document's macro really runs when macros are allowed.
bool macroRunsWhenAllowed(const std::string& document, const std::string& marker, const std::string& scratch,
                          std::chrono::seconds bound);

// Opens `document` in an office process of its own with the office's own
// settings (not our engine's), waits until `happened` holds or `bound` has
// passed, and ends it. True when it held: the document really does what a
// test shows that the program's engine does not.
bool happensInAPlainOffice(const std::string& document, const std::function<bool()>& happened,
                           const std::string& scratch, std::chrono::seconds bound);

}  // namespace quillmark::testing
