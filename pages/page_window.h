#pragma once

#include "graphics/display_list.h"
#include "render/page_renderer.h"

#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace vorelin {

// Font sizes in page units. A size given as a factor of the screen height (in twips, giving
// points) is 180000 x factor page units when the page spans the screen; a size in points is 20
// page units a point (a page unit is a twip at the design size).
constexpr float ScreenFont(double factor) { return ScreenFontSize(factor); }
constexpr float PointFont(double points) { return static_cast<float>(20 * points); }

// How a control's font is given: a size in page units (20 per point at the design size), a
// family and weight. Page fonts keep their size relative to the page at any window size.
struct PageFont {
    const char* family = "Arial";
    float size = 0;
    bool bold = false;
};

// A window whose content is laid out on a logical page (12000 x 9000 units) and scaled
// uniformly to the window, centred in it. What is drawn on the page is a retained display list,
// rendered to a cached image; child controls are placed by their logical rectangles and follow
// the scale, fonts included.
//
// A page is one object for the whole run: showing it again runs its load handler (Load()),
// while its own variables keep their values.
class PageWindow : public QWidget {
public:
    explicit PageWindow(Colour background, PageSize page = kWindowPage);

    // Shows the page at the largest 4:3 size that fits the screen and runs its load handler.
    void ShowPage();
    // The same in the place (window geometry) of a page being left.
    void ShowPageAt(const QRect& place);
    // Hides the page; its variables and its drawing stay.
    void Unload() { hide(); }

    DisplayList& Drawing() { return m_drawing; }
    const DisplayList& Drawing() const { return m_drawing; }
    // Erases everything drawn on the page (the background stays).
    void ClearPage() {
        m_drawing.Clear();
        update();
    }
    // Repaints after the drawing changed.
    void Redraw() {
        m_wholePage = true;
        update();
    }
    // Repaints after a change of the drawing that left everything outside `area` as it was
    // drawn before: only that area of the window's picture is painted again.
    void RedrawWithin(const PageRect& area);

    // Places a control at a rectangle in page units with a font; it keeps that place and the
    // font's relative size whenever the window is resized.
    void Place(QWidget* control, const QRectF& pageRect, const PageFont& font);
    void Place(QWidget* control, const QRectF& pageRect);

    // The page coordinates of a point of the window.
    QPointF ToPage(const QPointF& windowPoint) const;
    const PageToDevice& Mapping() const { return m_mapping; }

protected:
    // The page's load handler, run each time the page is shown.
    virtual void Load() {}
    // A mouse button pressed on the page, in page units.
    virtual void PageMouseDown(double /*x*/, double /*y*/) {}
    // The shown window is being closed from its frame (or by close()): each page leaves by its
    // own way out, as its Exit button does. By default the page is only hidden.
    virtual void CloseFromFrame() { Unload(); }

    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct PlacedControl {
        QWidget* control;
        QRectF pageRect;
        bool hasFont;
        PageFont font;
    };
    void LoadAndShow();
    void Layout(const PlacedControl& placed) const;
    PlacedControl* Find(QWidget* control);

    Colour m_background;
    PageSize m_page;
    PageToDevice m_mapping;
    DisplayList m_drawing;
    PageImageCache m_cache;
    // What the next paint must paint afresh: the whole page, or only this area of it.
    bool m_wholePage = true;
    std::optional<PageRect> m_changedWithin;
    std::vector<PlacedControl> m_controls;
};

} // namespace vorelin
