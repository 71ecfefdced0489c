#pragma once

#include "graphics/style.h"

#include <QString>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorelin {

// The controls of the pages, made with the look the pages give them. Each gets the page's name
// for it as its object name ("txtFrequency", "cmdResults"), which is also how tests find it.

QColor ToColor(Colour colour);

struct LabelLook {
    std::optional<Colour> background; // none: transparent
    Colour text = 0;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false;
};

QLabel* MakeLabel(QWidget* page, const char* name, const QString& caption, const LabelLook& look);
QPushButton* MakeButton(QWidget* page, const char* name, const QString& caption, Colour background);
// A text box holds at most this many characters.
inline constexpr int kLongestBoxText = 40;
QLineEdit* MakeTextBox(QWidget* page, const char* name, Colour background = kPaperColour);

// An up-down spinner bound to a text box that holds its value (50 to 150, step 1): its arrows
// write the new value into the text box and then call `changed`, as a buddy spinner does.
class UpDown : public QWidget {
public:
    UpDown(QWidget* page, const char* name, QLineEdit& buddy, int minimum, int maximum);
    void SetChangeHandler(std::function<void()> changed) { m_changed = std::move(changed); }
    // One step up (+1) or down (-1) from the value the buddy shows, held within the range.
    void Step(int direction);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit& m_buddy;
    int m_minimum;
    int m_maximum;
    std::function<void()> m_changed;
};

} // namespace vorelin
