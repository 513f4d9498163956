#include "bench/results_table.h"

#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

namespace bench {

namespace {

std::string CpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    return "unknown";
}

// As nproc counts: the processors this process may run on.
long Processors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
    return ::sysconf(_SC_NPROCESSORS_ONLN);
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M %Z", std::localtime(&now));
    return text;
}

}  // namespace

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string ResultsTable::markdown() const {
    std::ostringstream out;
    out << "# Benchmark results\n\n"
        << "Written by `./run bench` (`tavrel_bench`); every row was measured in the same run.\n\n"
        << "- Machine: " << CpuModel() << ", " << Processors() << " processors (nproc)\n"
        << "- Date: " << Today() << "\n\n"
        << "| Measurement | Result | Baseline | Comparison |\n"
        << "|---|---|---|---|\n";
    for (const ResultRow& row : m_rows)
        out << "| " << row.measurement << " | " << row.result << " | " << row.baseline << " | "
            << row.comparison << " |\n";
    if (!m_notes.empty()) out << "\n";
    for (const std::string& note : m_notes) out << "- " << note << "\n";
    return out.str();
}

bool ResultsTable::write(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << markdown();
    return static_cast<bool>(file);
}

}  // namespace bench
