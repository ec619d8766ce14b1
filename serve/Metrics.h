#pragma once

#include "serve/CheckService.h"

#include <string>

namespace quillmark::serve {

// The service's figures in the Prometheus text format: queue length, checks
// running, done and failed, and a histogram of check durations.
std::string metricsText(const ServiceFigures& figures, int workers);

}  // namespace quillmark::serve
