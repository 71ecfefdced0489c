#pragma once

#include "core/band_results.h"
#include "core/band_table.h"
#include "core/feedline.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

class QSize;
class QWidget;

namespace vorelin {

class DisplayList;
class UserDialogs;

// The band page's file buttons as the user meets them: the dialogs that name the file or choose
// the Touchstone reference, then the band workflow (band_workflow.h) that reads or writes it, as
// vorelin-calc does. What fails is told in a message on the page.
class BandFileDialogs {
public:
    BandFileDialogs(QWidget& page, UserDialogs& dialogs) : m_page(page), m_dialogs(dialogs) {}

    // Open table…: the rows of the file the user picks; nothing when he cancels or it cannot be
    // read.
    std::optional<BandTable> OpenTable();
    // Save table…: whether the table was written.
    bool SaveTable(const BandTable& table);
    // Asks `question` (none when empty) and on "Save table as…" saves as SaveTable does.
    bool OfferToSaveTable(const std::string& question, const BandTable& table);
    // Touchstone…: what keeps the rows from making a file is told before any name is asked for;
    // rows of several impedances ask which one the file refers to. With `feedpointsThrough` the
    // results are the antenna's feedpoints through that line, the file refers to its Zc.
    void SaveTouchstone(const BandTable& table, std::span<const BandResult> results,
                        const std::optional<Feedline>& feedpointsThrough = {});
    // Results CSV…, of the feedpoints as above.
    void SaveResultsCsv(const BandTable& table, std::span<const BandResult> results,
                        const std::optional<Feedline>& feedpointsThrough = {});
    // Picture…: what `draw` puts on the page, as a PNG picture of `pixels` or an SVG drawing.
    void SavePicture(QSize pixels, const std::function<void(DisplayList&)>& draw);

    void Tell(const std::string& message);

private:
    QWidget& m_page;
    UserDialogs& m_dialogs;
};

} // namespace vorelin
