#include "pages/page_window.h"

#include "pages/window_geometry.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace vorelin {

PageWindow::PageWindow(Colour background, PageSize page)
    : m_background(background), m_page(page),
      m_mapping(page, QRectF(0, 0, page.width / 15, page.height / 15)) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (page.width == kWindowPage.width && page.height == kWindowPage.height) setMinimumSize(kSmallestPage);
}

void PageWindow::ShowPage() {
    if (!isVisible()) {
        const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
        const double aspect = m_page.width / m_page.height;
        // The window's frame takes some room; the page area gets the rest, still in 4:3.
        const QRect framed = frameGeometry();
        const QRect inner = geometry();
        const QMargins frame(inner.left() - framed.left(), inner.top() - framed.top(),
                             framed.right() - inner.right(), framed.bottom() - inner.bottom());
        setGeometry(
            LargestPageRect(screen->availableGeometry(), frame.isNull() ? kFrameAllowance : frame, aspect));
    }
    LoadAndShow();
}

void PageWindow::ShowPageAt(const QRect& place) {
    setGeometry(place);
    LoadAndShow();
}

void PageWindow::LoadAndShow() {
    Load();
    show();
    activateWindow();
}

void PageWindow::Place(QWidget* control, const QRectF& pageRect, const Font& font) {
    PlacedControl placed{control, pageRect, true, font};
    if (PlacedControl* existing = Find(control)) {
        *existing = placed;
    } else {
        m_controls.push_back(placed);
    }
    Layout(placed);
}

void PageWindow::Place(QWidget* control, const QRectF& pageRect) {
    if (PlacedControl* existing = Find(control)) {
        existing->pageRect = pageRect;
        Layout(*existing);
        return;
    }
    m_controls.push_back({control, pageRect, false, {}});
    Layout(m_controls.back());
}

PageWindow::PlacedControl* PageWindow::Find(QWidget* control) {
    const auto found =
        std::find_if(m_controls.begin(), m_controls.end(),
                     [control](const PlacedControl& placed) { return placed.control == control; });
    return found == m_controls.end() ? nullptr : &*found;
}

void PageWindow::Layout(const PlacedControl& placed) const {
    const QPointF topLeft = m_mapping.Point(static_cast<float>(placed.pageRect.left()),
                                            static_cast<float>(placed.pageRect.top()));
    const QPointF bottomRight = m_mapping.Point(static_cast<float>(placed.pageRect.right()),
                                                static_cast<float>(placed.pageRect.bottom()));
    placed.control->setGeometry(QRectF(topLeft, bottomRight).toAlignedRect());
    if (!placed.hasFont) return;
    QFont font(
        QString::fromLatin1(placed.font.family.data(), static_cast<qsizetype>(placed.font.family.size())));
    font.setBold(placed.font.bold);
    // A font size in page units is the em height on the page; scaled to pixels it keeps the text
    // in proportion to the page at any window size (a point size would follow the screen's DPI).
    const double pixels = m_mapping.Length(static_cast<double>(placed.font.size));
    font.setPointSizeF(std::max(1.0, pixels * 72.0 / placed.control->logicalDpiY()));
    placed.control->setFont(font);
}

QPointF PageWindow::ToPage(const QPointF& windowPoint) const {
    const QRectF page = m_mapping.PageRect();
    return {(windowPoint.x() - page.left()) / m_mapping.Scale(),
            (windowPoint.y() - page.top()) / m_mapping.Scale()};
}

void PageWindow::RedrawWithin(const PageRect& area) {
    if (!m_wholePage) {
        m_changedWithin = m_changedWithin ? PageRect{std::min(m_changedWithin->left, area.left),
                                                     std::min(m_changedWithin->top, area.top),
                                                     std::max(m_changedWithin->right, area.right),
                                                     std::max(m_changedWithin->bottom, area.bottom)}
                                          : area;
    }
    update();
}

void PageWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const std::optional<PageRect> changed = m_wholePage ? std::nullopt : m_changedWithin;
    painter.drawImage(0, 0, m_cache.Image(m_drawing, m_page, size(), m_background, changed));
    m_wholePage = false;
    m_changedWithin.reset();
}

void PageWindow::resizeEvent(QResizeEvent* event) {
    m_mapping = PageToDevice(m_page, QRectF(0, 0, width(), height()));
    for (const auto& placed : m_controls)
        Layout(placed);
    QWidget::resizeEvent(event);
}

void PageWindow::closeEvent(QCloseEvent* event) {
    // The page itself decides how it goes (hidden, or the program ended); Qt must not close the
    // window on its own, or its last-window logic would run beside ours.
    event->ignore();
    if (isVisible()) CloseFromFrame();
}

void PageWindow::mousePressEvent(QMouseEvent* event) {
    const QPointF page = ToPage(event->position());
    PageMouseDown(page.x(), page.y());
    QWidget::mousePressEvent(event);
}

} // namespace vorelin
