#include "pages/band_area_job.h"

#include "core/band_results.h"
#include "core/tolerance_area.h"
#include "core/tolerance_sweep.h"
#include "pages/band_table_model.h"

#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <optional>
#include <vector>

namespace vorelin {

struct BandAreaJob::Job {
    std::atomic<bool> stop{false};
    std::vector<std::size_t> rows;
    std::vector<Entries> entries;
    float accuracy = 0;
    float impedance = 0;
    std::optional<std::vector<ToleranceArea>> areas;
};

bool BandAreaJob::Start(int percent, std::function<void()> ready) {
    Stop();
    if (percent == 0) {
        m_model.ClearAreas();
        m_accuracy = 0;
        return false;
    }
    const float accuracy = AccuracyFraction(percent);
    const float impedance = ChartImpedance(m_model.Table(), m_model.Results());
    if (accuracy != m_accuracy || impedance != m_impedance) {
        m_model.ClearAreas();
        m_accuracy = accuracy;
        m_impedance = impedance;
    }
    auto job = std::make_shared<Job>();
    job->accuracy = accuracy;
    job->impedance = impedance;
    const auto results = m_model.Results();
    const auto areas = m_model.Areas();
    for (std::size_t row = 0; row < results.size(); ++row) {
        if (!results[row].load || areas[row]) continue;
        job->rows.push_back(row);
        job->entries.push_back(m_model.Table().rows[row].entries);
    }
    if (job->rows.empty()) return false;
    m_job = job;
    m_ready = std::move(ready);
    // The sweeps run on their own threads; the areas come back through the receiver's event queue.
    m_thread = std::thread([this, job] {
        job->areas = ToleranceAreasOf(job->entries, job->accuracy, job->impedance, job->stop);
        if (!job->stop.load())
            QMetaObject::invokeMethod(
                &m_receiver, [this, job] { Finish(job); }, Qt::QueuedConnection);
    });
    return true;
}

void BandAreaJob::Stop() {
    if (m_job) m_job->stop = true;
    if (m_thread.joinable()) m_thread.join();
    m_job.reset();
}

void BandAreaJob::Finish(const std::shared_ptr<Job>& job) {
    if (job != m_job) return; // a job since stopped
    if (m_thread.joinable()) m_thread.join();
    m_job.reset();
    if (!job->areas) return;
    for (std::size_t i = 0; i < job->rows.size(); ++i)
        m_model.SetArea(job->rows[i], std::move((*job->areas)[i]));
    if (m_ready) m_ready();
}

} // namespace vorelin
