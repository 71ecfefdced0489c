#include "graphics/page_items.h"

#include "graphics/style.h"
#include "graphics/text_metrics.h"

namespace vorelin {

namespace {

PageRect Rect(double left, double top, double width, double height) {
    return {static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + width),
            static_cast<float>(top + height)};
}

} // namespace

void PrintTexts(Surface& surface, std::span<const PlacedText> texts) {
    for (const PlacedText& text : texts) {
        surface.SetFont(*text.font);
        surface.SetTextColour(text.colour);
        surface.MoveTo(text.at.x, text.at.y);
        surface.Print(text.text);
    }
    surface.SetTextColour(kInkColour);
}

PageRect RectOf(const PageLabel& label) { return Rect(label.left, label.top, label.width, label.height); }

PageRect RectOf(const ControlPlace& control) {
    return Rect(control.left, control.top, control.width, control.height);
}

void DrawLabel(Surface& surface, const PageLabel& label) {
    if (label.filled) {
        const PageRect box = RectOf(label);
        surface.FilledBox(box.left, box.top, box.right, box.bottom, label.background);
    }
    surface.SetFont(label.font);
    surface.SetTextColour(label.textColour);
    if (label.wrapped) {
        const auto lines = WrapText(label.font, label.text, label.width * 0.95);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            surface.MoveTo(static_cast<float>(label.left),
                           static_cast<float>(label.top + static_cast<double>(i) * LineSpacing(label.font)));
            surface.Print(lines[i]);
        }
    } else if (!label.text.empty()) {
        const double indent = label.centred ? (label.width - TextWidth(label.font, label.text)) / 2 : 0;
        surface.MoveTo(static_cast<float>(label.left + indent), static_cast<float>(label.top));
        surface.Print(label.text);
    }
    surface.SetTextColour(kInkColour);
}

} // namespace vorelin
