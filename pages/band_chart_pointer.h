#pragma once

#include "graphics/band_scene.h"

#include <QObject>
#include <QPointF>

#include <cstddef>
#include <functional>
#include <optional>

class QLabel;

namespace vorelin {

class PageWindow;

// The band chart under the mouse: the wheel zooms about the pointer, a drag pans, a click picks
// the row of the mark under it, a double click shows the whole chart again, and a box beside the
// pointer tells about the mark it rests on (or the measured point, on the chart or the SWR plot). It hears
// the page's mouse before the page does and keeps the chart's view; the page draws the chart again when told.
class BandChartPointer final : public QObject {
public:
    // `scene` and `drawn` are the page's last drawing of the chart. Makes the box on the page.
    BandChartPointer(PageWindow& page, const BandSceneModel& scene, const BandSceneDrawn& drawn);

    // The view changed: the chart is to be drawn again.
    std::function<void()> onViewChanged;
    // A click picked the row of this mark.
    std::function<void(std::size_t row)> onPicked;

    const BandChartView& View() const { return m_view; }
    // The page hears no move when the pointer goes straight from the chart onto a control (the
    // grid, a button): each control made so far tells when the pointer enters it, and the box goes.
    void WatchControls();
    void HideBox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Press(const QPointF& at);
    // Whether the chart was panned; without a drag, the box follows.
    bool Move(const QPointF& at, bool leftButtonDown);
    // The row whose mark a click picked.
    std::optional<std::size_t> Release();
    // Whether the view changed.
    bool DoubleClick(const QPointF& at);
    bool Wheel(const QPointF& at, int angleDelta);
    // The box for the mark near `at` (a row's, else a measured point's on the chart or the SWR
    // plot), or none.
    void ShowBox(const QPointF& at);
    std::optional<MeasuredPointRef> MeasuredNear(const QPointF& at) const;

    PageWindow& m_page;
    const BandSceneModel& m_scene;
    const BandSceneDrawn& m_drawn;
    BandChartView m_view = HomeBandView();
    std::optional<QPointF> m_pressedAt; // while the left button is down on the chart
    QPointF m_draggedTo;
    bool m_dragging = false;
    QLabel* m_box = nullptr;
};

} // namespace vorelin
