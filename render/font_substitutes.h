#pragma once

namespace vorelin {

// The pages name the faces of their design ("MS Sans Serif", "Arial", "Times New Roman"). Where
// those are missing, these substitutes with the same widths keep every caption inside its box.
// Run once after the application object exists; the tests run it too.
void SubstituteClassicFonts();

} // namespace vorelin
