#pragma once

namespace vorelin {

// Qt (its start-up, its raster painting, its text layout) runs AVX code that can return with the
// upper halves of the vector registers still in use. Until they are cleared, every SSE
// instruction of ours pays for it: on this machine the chart grid took seven times as long and
// the results page's largest redraw five times. So the pages clear that state before their own
// heavy arithmetic (the network runs, the mappings, the grid) and the renderer before it hands
// control back. A no-op on processors without AVX and on other architectures.
void ClearUpperVectorState();

} // namespace vorelin
