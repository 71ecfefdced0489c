#pragma once

#include "graphics/display_list.h"
#include "render/page_renderer.h"

#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace vorelin {

// A window whose content is laid out on a logical page (kWindowPage) and scaled
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
    // font's size relative to the page whenever the window is resized.
    void Place(QWidget* control, const QRectF& pageRect, const Font& font);
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
        Font font;
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
