#include "pages/band_table_keeper.h"

#include "pages/band_table_history.h"
#include "pages/band_table_model.h"

#include <QWidget>

namespace vorelin {

namespace {

// While read-only, how often the page looks whether the other program has ended.
constexpr int kTakeOverMilliseconds = 2000;

} // namespace

BandTableKeeper::BandTableKeeper(QWidget& page, BandTableModel& model, BandTableHistory& history)
    : m_page(page), m_model(model), m_history(history) {
    m_takeOverTimer.setInterval(kTakeOverMilliseconds);
    QObject::connect(&m_takeOverTimer, &QTimer::timeout, &m_takeOverTimer, [this] { TryToTakeOver(); });
}

void BandTableKeeper::Open() {
    if (m_kept) return;
    m_kept = std::make_unique<KeptBandFile>();
    StartFrom(m_kept->Open());
    if (m_kept->ReadOnly()) m_takeOverTimer.start();
}

void BandTableKeeper::TryToTakeOver() {
    auto start = m_kept->TryToTakeOver();
    if (!start) return;
    m_takeOverTimer.stop();
    StartFrom(std::move(*start));
}

void BandTableKeeper::StartFrom(KeptBandFile::Start start) {
    m_readingFile = true;
    m_model.Replace(std::move(start.table));
    m_readingFile = false;
    m_history.Clear();
    if (onStateChanged) onStateChanged();
    if (!start.message.empty())
        QTimer::singleShot(0, &m_page, [this, message = std::move(start.message)] {
            if (tell) tell(message);
        });
}

void BandTableKeeper::RowsChanged() {
    if (m_readingFile || !m_kept) return;
    m_kept->Changed();
    Keep();
}

void BandTableKeeper::Keep() {
    if (!m_kept) return;
    const std::string message = m_kept->Keep(m_model.Table());
    if (onStateChanged) onStateChanged();
    // Every edit writes: the same failure again is not told twice, the note stays meanwhile.
    if (!message.empty() && tell) tell(message);
}

std::string BandTableKeeper::Note() const {
    return m_kept ? m_kept->Note(m_model.RowCount() > 0) : std::string();
}

std::string BandTableKeeper::SaveElsewhereQuestion() const {
    return m_kept ? m_kept->SaveElsewhereQuestion(m_model.RowCount() > 0) : std::string();
}

} // namespace vorelin
