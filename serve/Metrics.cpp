#include "serve/Metrics.h"

#include <sstream>

namespace quillmark::serve {

namespace {

void metric(std::ostream& out, const char* name, const char* type, const char* help, double value) {
    out << "# HELP " << name << ' ' << help << "\n# TYPE " << name << ' ' << type << '\n' << name << ' ' << value << '\n';
}

}  // namespace

std::string metricsText(const ServiceFigures& f, int workers) {
    std::ostringstream out;
    metric(out, "quillmark_queue_length", "gauge", "Checks waiting for a worker.", static_cast<double>(f.queued));
    metric(out, "quillmark_checks_running", "gauge", "Checks a worker is working on.", static_cast<double>(f.running));
    metric(out, "quillmark_checks_kept", "gauge", "Checks whose files the service keeps.", static_cast<double>(f.kept));
    metric(out, "quillmark_workers", "gauge", "Worker processes, each with one engine.", workers);
    metric(out, "quillmark_checks_done_total", "counter", "Checks that ended with findings.", static_cast<double>(f.done));
    metric(out, "quillmark_checks_failed_total", "counter", "Checks that failed.", static_cast<double>(f.failed));
    const char* name = "quillmark_check_duration_seconds";
    out << "# HELP " << name << " Time a worker took for a check that ended with findings.\n"
        << "# TYPE " << name << " histogram\n";
    for (std::size_t i = 0; i < f.durationBuckets.size(); ++i) {
        out << name << "_bucket{le=\"" << f.durationBuckets[i] << "\"} " << f.durationCounts[i] << '\n';
    }
    out << name << "_bucket{le=\"+Inf\"} " << f.durationCounts.back() << '\n'
        << name << "_sum " << f.durationSum << '\n'
        << name << "_count " << f.durationCounts.back() << '\n';
    return out.str();
}

}  // namespace quillmark::serve
