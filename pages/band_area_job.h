#pragma once

#include <functional>
#include <memory>
#include <thread>

class QObject;

namespace vorelin {

class BandTableModel;

// The tolerance areas of the band's rows at the accuracy chosen, computed on threads of their own
// while the page goes on; they come back to the model through the event queue of the page's
// thread. An area stays with its row until the accuracy or the chart's impedance changes, so that
// an edit computes its own row's area again and no other.
class BandAreaJob {
public:
    // `receiver` lives on the page's thread and outlives this.
    BandAreaJob(QObject& receiver, BandTableModel& model) : m_receiver(receiver), m_model(model) {}
    ~BandAreaJob() { Stop(); }
    BandAreaJob(const BandAreaJob&) = delete;
    BandAreaJob& operator=(const BandAreaJob&) = delete;

    // Stops what runs, then computes the areas that the rows with a load lack at `percent` (0:
    // none, and the model's areas go). `ready` runs once they are in the model, unless Start or
    // Stop comes first. Whether any are being computed.
    bool Start(int percent, std::function<void()> ready);
    // Stops the computation and waits for its threads; its areas never arrive.
    void Stop();
    bool Pending() const { return m_job != nullptr; }

private:
    struct Job;
    void Finish(const std::shared_ptr<Job>& job);

    QObject& m_receiver;
    BandTableModel& m_model;
    float m_accuracy = 0; // what the model's areas were computed for
    float m_impedance = 0;
    std::function<void()> m_ready;
    std::shared_ptr<Job> m_job;
    std::thread m_thread;
};

} // namespace vorelin
